#include "exchange/LasReader.h"

#include "base/TextParse.h"
#include "base/ValueRange.h"
#include "gfx/PlatformServices.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <system_error>
#include <thread>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#ifdef __linux__
#include <sched.h>
#include <sys/mman.h>
#endif

namespace {

// Eight digits at once for the plain numbers that make up nearly all log data.
constexpr bool kWordScan = std::endian::native == std::endian::little;
constexpr uint64_t kOnes = 0x0101010101010101u;

inline uint64_t Load8(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// The number the first n (1..8) bytes of v make, each a digit, the first the most
// significant. Bytes after them may be anything: their borrows only run upward.
inline uint64_t DigitsValue(uint64_t v, int n) {
    uint64_t d = (v - kOnes * '0') << (64 - 8 * n); // leading zeros in front
    d = d * 10 + (d >> 8);
    d = (((d & 0x000000FF000000FFu) * (100 + (1000000ull << 32))) +
         (((d >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >>
        32;
    return d & 0xFFFFFFFFu;
}

// The ten powers a plain number's digits are divided by.
constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};

// What the 64 bytes of text from a point are, a bit each (bit i for byte i).
// Bytes from the end of the text on count as white space and nothing else.
struct CBlock {
    uint64_t blanks;   // white space, as IsSpace has it
    uint64_t lineEnds; // '\n'
    uint64_t digits;   // '0' to '9'
    uint64_t points;   // '.'
    uint64_t minus;    // '-'

    // The 64 bytes from p must be readable.
    void Read(const char* p, const char* end) {
#ifdef __SSE2__
        const __m128i blank = _mm_set1_epi8(' '), tab = _mm_set1_epi8('\t'),
                      four = _mm_set1_epi8(4), lf = _mm_set1_epi8('\n'), zero = _mm_set1_epi8('0'),
                      nine = _mm_set1_epi8(9), point = _mm_set1_epi8('.'),
                      dash = _mm_set1_epi8('-');
        const auto bits = [](__m128i m, int i) {
            return static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(m))) << (16 * i);
        };
        blanks = lineEnds = digits = points = minus = 0;
#pragma GCC unroll 4
        for (int i = 0; i < 4; ++i) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
            const __m128i control = _mm_sub_epi8(v, tab); // \t \n \v \f \r become 0..4
            const __m128i digit = _mm_sub_epi8(v, zero);  // digits become 0..9
            blanks |= bits(_mm_or_si128(_mm_cmpeq_epi8(v, blank),
                                        _mm_cmpeq_epi8(_mm_min_epu8(control, four), control)),
                           i);
            lineEnds |= bits(_mm_cmpeq_epi8(v, lf), i);
            digits |= bits(_mm_cmpeq_epi8(_mm_min_epu8(digit, nine), digit), i);
            points |= bits(_mm_cmpeq_epi8(v, point), i);
            minus |= bits(_mm_cmpeq_epi8(v, dash), i);
        }
#else
        blanks = lineEnds = digits = points = minus = 0;
        for (int i = 0; i < 64; ++i) {
            const uint64_t bit = uint64_t{1} << i;
            if (IsSpace(p[i])) blanks |= bit;
            if (p[i] == '\n') lineEnds |= bit;
            if (p[i] >= '0' && p[i] <= '9') digits |= bit;
            if (p[i] == '.') points |= bit;
            if (p[i] == '-') minus |= bit;
        }
#endif
        if (end - p < 64) {
            const uint64_t inside = (uint64_t{1} << (end - p)) - 1;
            blanks |= ~inside;
            lineEnds &= inside;
            digits &= inside;
            points &= inside;
            minus &= inside;
        }
    }

    // The word at block bytes [at, to) in plain decimal form ("-12.345", "7",
    // ".5", "3."), at most seven digits before and seven after the point: its
    // digits as an integer, and how many of them follow the point. Its value is
    // the integer over that power of ten, two exact doubles and one correctly
    // rounded division, as TokenValue reads it. Anything else is left to
    // TokenValue: false. Reads up to 72 bytes from the block's start p.
    bool PlainNumber(const char* p, int at, int to, uint64_t& value, int& scale,
                     bool& negative) const {
        static constexpr uint64_t kScale[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
        const uint64_t word = (uint64_t{1} << to) - (uint64_t{1} << at);
        const int sign = static_cast<int>((minus >> at) & 1);
        const uint64_t other = word & ~digits & ~(static_cast<uint64_t>(sign) << at);
        const uint64_t point = other & points;
        if (other != point || (point & (point - 1)) != 0) return false;
        const int d = __builtin_ctzll(point | uint64_t{1} << to); // the point, or the end
        const int k1 = d - at - sign;
        const int k2 = to - d - (point != 0);
        if (k1 > 7 || k2 > 7 || k1 + k2 == 0) return false;
        const uint64_t whole = Load8(p + at + sign);
        const uint64_t fraction = Load8(p + d + 1);
        if (k1 + k2 <= 8) { // both parts in one word, the point taken out
            const uint64_t before = whole & ((uint64_t{1} << (8 * k1)) - 1);
            value = DigitsValue(before | fraction << (8 * k1), k1 + k2);
        } else {
            value = DigitsValue(whole, k1) * kScale[k2] + DigitsValue(fraction, k2);
        }
        scale = k2;
        negative = sign != 0;
        return true;
    }
};

// The cores this process may run on (taskset and cpusets count), not the machine's.
unsigned UsableCores() {
#ifdef __linux__
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return static_cast<unsigned>(CPU_COUNT(&set));
#endif
    return std::thread::hardware_concurrency();
}

// Has the pages of [from, to) faulted in for writing, at once, where the system
// can; their contents stay as they are.
void PrepareForWrites(char* from, char* to) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    constexpr uintptr_t kPage = 4096;
    const uintptr_t a = reinterpret_cast<uintptr_t>(from) & ~(kPage - 1);
    const uintptr_t b = reinterpret_cast<uintptr_t>(to) & ~(kPage - 1);
    if (b > a) ::madvise(reinterpret_cast<void*>(a), b - a, MADV_POPULATE_WRITE);
#else
    (void)from;
    (void)to;
#endif
}

} // namespace

char CLasReader::SniffDelimiter() {
    SkipComments();
    // The first data line, as far as a megabyte of it.
    constexpr size_t kLook = 1 << 20;
    const char* nl = nullptr;
    for (;;) {
        nl = static_cast<const char*>(std::memchr(buffer.data() + pos, '\n', len - pos));
        if (nl || len - pos >= kLook || !Fill()) break;
    }
    const char* p = buffer.data() + pos;
    const std::string_view line(p, nl ? static_cast<size_t>(nl - p) : std::min(len - pos, kLook));
    if (line.find(',') == std::string_view::npos) return ' ';
    // Comma-separated words: no blank between two parts of a field.
    size_t start = 0, words = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        const std::string_view field = TrimRight(TrimLeft(line.substr(start, comma - start)));
        if (std::any_of(field.begin(), field.end(), IsSpace)) return ' ';
        words += !field.empty();
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return words >= 2 ? ',' : ' ';
}

// The most the second half's values may take for the first half's columns to be
// faulted in ahead of the copy (while both are held).
constexpr size_t kPrepareLimit = size_t{40} << 20;

// The storage of the first half's columns, told to the second half's thread: the
// part its rows will be copied into can be faulted in there while the first half
// is still being read, rather than page by page in the copy.
struct CLasReader::SizedColumns {
    std::atomic<bool> ready{false};
    std::vector<std::pair<char*, size_t>> spans;

    // Faults in each span from `fraction` of its length on (the contents stay).
    void Prepare(double fraction) const {
        if (!ready.load(std::memory_order_acquire)) return;
        for (const auto& [p, bytes] : spans)
            PrepareForWrites(p + static_cast<size_t>(fraction * static_cast<double>(bytes)),
                             p + bytes);
    }
};

// Takes the values of the data section in order and files each under its column,
// keeping only the columns asked for and the range of each as it goes. Columns
// grow a block of rows at a time, zeroed while the block is in the cache and then
// written over, so the writes that follow touch memory that is already there.
class CLasReader::Sink {
  public:
    Sink(const std::vector<char>& keep, float nullValue, std::vector<std::vector<float>>& columns,
         std::vector<CLasRange>& ranges, IPlatformServices* progress, uint64_t dataStart,
         uint64_t dataEnd)
        : keep(keep), nullValue(nullValue), columns(columns), ranges(ranges), progress(progress),
          dataStart(dataStart), dataEnd(dataEnd), ncols(keep.size()), target(keep.size(), nullptr),
          recheck(keep.size(), 0) {
        kept = static_cast<size_t>(
            std::count_if(keep.begin(), keep.end(), [](char k) { return k != 0; }));
        block = std::clamp<size_t>(kBlockValues / std::max<size_t>(kept, 1), 1, 4096);
        Grow();
    }

    [[gnu::always_inline]] void Put(float v, bool number) {
        if (float* d = target[column]) {
            d[row] = v;
            notNumbers += !number;
            if (IsValue(v, nullValue)) {
                CLasRange& r = ranges[column];
                if (v < r.lo) r.lo = v;
                if (v > r.hi) r.hi = v;
            }
        }
        if (++column == ncols) NextRow();
    }

    // The bytes of the values kept.
    size_t ValueBytes() const { return row * kept * sizeof(float); }

    // Every value taken, and those in the columns kept that were numbers.
    size_t Tokens() const { return row * ncols + column; }
    size_t Numbers() const {
        const auto keptBefore = static_cast<size_t>(
            std::count_if(target.begin(), target.begin() + static_cast<std::ptrdiff_t>(column),
                          [](float* t) { return t != nullptr; }));
        return row * kept + keptBefore - notNumbers;
    }

    // Sizes the columns once from what the first numbers took, so they do not grow
    // by doubling; never more than the rest of the file could hold at two bytes a
    // number. `at` is the offset read up to.
    void PieceRead(uint64_t at) {
        if (reserved || Tokens() < 4096) return;
        reserved = true;
        const uint64_t remaining = dataEnd > at ? dataEnd - at : 0;
        const double seen = static_cast<double>(Tokens());
        const double bytesPerToken =
            std::max(2.0, static_cast<double>(at > dataStart ? at - dataStart : 0) / seen);
        const double expected = static_cast<double>(remaining) / bytesPerToken * 1.02 + seen;
        const size_t rows = static_cast<size_t>(expected / static_cast<double>(ncols)) + 16;
        for (size_t c = 0; c < ncols; ++c)
            if (target[c]) {
                columns[c].reserve(rows);
                target[c] = columns[c].data();
            }
        if (share) {
            for (size_t c = 0; c < ncols; ++c)
                if (target[c])
                    share->spans.push_back({reinterpret_cast<char*>(target[c]),
                                            columns[c].capacity() * sizeof(float)});
            share->ready.store(true, std::memory_order_release);
        }
    }

    // Drops the block's spare rows and a row the data cut short. A value of that
    // row that may be a column's smallest or largest has the range taken again.
    void Finish() {
        if (finished) return;
        finished = true;
        for (size_t c = 0; c < column; ++c) {
            if (!target[c]) continue;
            const float v = target[c][row];
            if (IsValue(v, nullValue) && (v == ranges[c].lo || v == ranges[c].hi)) recheck[c] = 1;
        }
        for (size_t c = 0; c < ncols; ++c)
            if (target[c]) columns[c].resize(row);
    }

    // Puts the rows of a sink that read the data after this one's behind them. This
    // one ended at a row's end; both are finished.
    void Append(Sink& tail) {
        for (size_t c = 0; c < ncols; ++c) {
            if (!target[c]) continue;
            std::vector<float>& to = columns[c];
            std::vector<float>& from = tail.columns[c];
            to.insert(to.end(), from.begin(), from.end());
            std::vector<float>().swap(from); // at most one column held twice
            target[c] = to.data();
            CLasRange& r = ranges[c];
            if (tail.ranges[c].lo < r.lo) r.lo = tail.ranges[c].lo;
            if (tail.ranges[c].hi > r.hi) r.hi = tail.ranges[c].hi;
            recheck[c] |= tail.recheck[c];
        }
        row += tail.row;
        column = tail.column;
        notNumbers += tail.notNumbers;
    }

    // The ranges of the columns whose cut row may have widened them, over the rows.
    void SettleRanges() {
        for (size_t c = 0; c < ncols; ++c)
            if (recheck[c]) {
                ranges[c] = {};
                WidenToValues(columns[c].data(), columns[c].size(), nullValue, ranges[c].lo,
                              ranges[c].hi);
            }
    }

    size_t column = 0;             // of the next value
    size_t row = 0;                // complete rows
    SizedColumns* share = nullptr; // told of the columns' storage once it is sized

  private:
    static constexpr size_t kBlockValues = 1 << 16; // a block of every column: 256 KB

    void NextRow() {
        column = 0;
        ++row;
        if (progress) progress->StepProgress();
        if (row == sized) Grow();
    }

    void Grow() {
        sized += block;
        for (size_t c = 0; c < ncols; ++c)
            if (keep[c] != 0) {
                columns[c].resize(sized);
                target[c] = columns[c].data();
            }
    }

    const std::vector<char>& keep;
    const float nullValue;
    std::vector<std::vector<float>>& columns;
    std::vector<CLasRange>& ranges;
    IPlatformServices* const progress;
    const uint64_t dataStart;
    const uint64_t dataEnd;
    const size_t ncols;
    std::vector<float*> target; // the kept columns' values; null for the others
    std::vector<char> recheck;
    size_t kept = 0;       // columns kept
    size_t notNumbers = 0; // values in the columns kept that were not numbers
    size_t block = 1;
    size_t sized = 0;
    bool reserved = false;
    bool finished = false;
};

struct CLasReader::BlankState {
    bool lineStart = true; // the data start on the line after the one that opened them
    bool binary = false;
    bool stopped = false; // a line that starts with "~" ended the data
};

void CLasReader::SkipComments() {
    for (;;) {
        if (pos == len && !Fill()) return;
        if (buffer[pos] != '#') return;
        std::string skipped;
        if (!ReadLine(skipped)) return;
    }
}

void CLasReader::ScanBlank(BlankState& state, Sink& sink) {
    for (;;) {
        const char* p = buffer.data() + pos;
        const char* const end = buffer.data() + len;
        // Words are found from bit masks of 64 bytes at a time, so where the next
        // one starts does not wait for the digits of this one. p lies in the block.
        const char* base = p;
        CBlock block;
        block.Read(base, end);
        bool lineEnded = state.lineStart; // a line end since the last word
        // Whether a line end lies before block position `at`, since the last word.
        const auto lineStartAt = [&](int at) {
            return lineEnded ||
                   (block.lineEnds & (~uint64_t{0} << (p - base)) & ((uint64_t{1} << at) - 1)) != 0;
        };
        // Any word the fast path does not take: a word with a NUL in it never reads as
        // a plain number, and every byte that is not white space belongs to a word.
        const auto storeWord = [&](const char* t, const char* e) {
            if (std::memchr(t, '\0', static_cast<size_t>(e - t))) state.binary = true;
            float v;
            const bool number = TokenValue(t, e, v);
            sink.Put(v, number);
        };
        for (;;) {
            const uint64_t words = ~block.blanks & (~uint64_t{0} << (p - base));
            if (!words) { // blanks to the end of the block
                lineEnded |= (block.lineEnds & (~uint64_t{0} << (p - base))) != 0;
                base += 64;
                if (base >= end) {
                    p = end;
                    break;
                }
                p = base;
                block.Read(base, end);
                continue;
            }
            const int at = __builtin_ctzll(words);
            const char* t = base + at;
            const uint64_t after = block.blanks & (~uint64_t{0} << at);
            if (*t != '~' && *t != '"' && after) {
                const char* e = base + __builtin_ctzll(after);
                if (e >= end) { // the word may go on in the next piece: keep it unread
                    lineEnded = lineStartAt(at);
                    p = t;
                    break;
                }
                uint64_t digits;
                int scale;
                bool negative;
                if (kWordScan && block.PlainNumber(base, at, static_cast<int>(e - base), digits,
                                                   scale, negative)) {
                    const double q = static_cast<double>(digits) / kPow10[scale];
                    sink.Put(static_cast<float>(negative ? -q : q), true);
                } else {
                    storeWord(t, e);
                }
                lineEnded = false;
                p = e;
                continue;
            }
            if (*t == '~' && lineStartAt(at)) { // a section after the data
                state.stopped = true;
                state.lineStart = true;
                pos = static_cast<size_t>(t - buffer.data());
                if (NulToTheEnd()) state.binary = true;
                return;
            }
            if (!after && t != base) { // the word runs past the block: a block from it
                lineEnded = lineStartAt(at);
                p = base = t;
                block.Read(base, end);
                continue;
            }
            // A word of 64 bytes or more, or quoted text, which is one word up to its
            // closing quote whatever it holds.
            const char* e = t;
            if (*e == '"') {
                ++e;
                while (e < end && *e != '"' && *e != '\n')
                    ++e;
                if (e < end && *e == '"') ++e;
            }
            while (e < end && !IsSpace(*e))
                ++e;
            if (e == end) {
                lineEnded = lineStartAt(at);
                p = t;
                break;
            }
            storeWord(t, e);
            lineEnded = false;
            p = e;
            if (p - base >= 64) {
                base = p;
                block.Read(base, end);
            }
        }
        state.lineStart = lineEnded;
        pos = static_cast<size_t>(p - buffer.data());
        sink.PieceRead(consumed + pos);
        if (!Fill()) break;
    }
    if (pos < len) { // a last word without a line end, or a last line "~..."
        const char* t = buffer.data() + pos;
        if (std::memchr(t, '\0', len - pos)) state.binary = true;
        if (!(state.lineStart && *t == '~')) {
            float v;
            const bool number = TokenValue(t, buffer.data() + len, v);
            sink.Put(v, number);
            state.lineStart = false;
        }
        pos = len;
    }
}

bool CLasReader::NulToTheEnd() {
    readEnd = UINT64_MAX;
    for (;;) {
        if (std::memchr(buffer.data() + pos, '\0', len - pos)) return true;
        pos = len;
        if (!Fill()) return false;
    }
}

uint64_t CLasReader::SplitPoint() const {
    const uint64_t start = consumed + pos;
    if (!Seekable() || fileSize <= start || fileSize - start < std::max<uint64_t>(splitAbove, 2) ||
        UsableCores() < 2)
        return 0;
    // The first line end from a little past the middle on, within 64 KB of it: the
    // second half's thread also faults in the pages its rows will be copied to.
    char window[4096];
    uint64_t at = start + (fileSize - start) / 100 * 52;
    for (int i = 0; i < 16; ++i) {
        const size_t got = ReadAt(window, sizeof window, at);
        if (const void* nl = std::memchr(window, '\n', got)) {
            const uint64_t split =
                at + static_cast<uint64_t>(static_cast<const char*>(nl) - window) + 1;
            return split < fileSize ? split : 0;
        }
        if (got < sizeof window) break;
        at += got;
    }
    return 0;
}

bool CLasReader::ReadBlankDelimited(Sink& sink, const std::vector<char>& keep, float nullValue,
                                    bool twoHalves) {
    BlankState state;
    const uint64_t split = twoHalves ? SplitPoint() : 0;
    if (split == 0) {
        ScanBlank(state, sink);
        return !state.binary;
    }
    // The first half here, the second on another thread into columns of its own.
    // Each half starts at a line's start, where no quote is open; the second's
    // words fall in the columns it assumed when the first ends at a row's end (a
    // wrapped file may not), else the second half is read again after the first.
    if (nextRead > split) { // already in the buffer: the second half reads it again
        len = static_cast<size_t>(split - consumed);
        nextRead = split;
    }
    readEnd = split;

    CLasReader tail;
    tail.ShareFrom(*this, split);
    std::vector<std::vector<float>> tailColumns(keep.size());
    std::vector<CLasRange> tailRanges(keep.size());
    Sink tailSink(keep, nullValue, tailColumns, tailRanges, nullptr, split, fileSize);
    BlankState tailState;
    SizedColumns sized;
    sink.share = &sized;
    // The share of the rows the first half holds, as near as the bytes tell; the
    // copy starts a little before it.
    const double firstShare = 0.97 * static_cast<double>(split - (consumed + pos)) /
                              static_cast<double>(fileSize - (consumed + pos));
    bool tailRead = false;
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                tail.ScanBlank(tailState, tailSink);
                tailSink.Finish();
                tailRead = true;
                // Both halves' pages are held while the copy's are faulted in
                // ahead; past a limit they are faulted in by the copy instead,
                // which frees the second half's columns one by one as it goes.
                if (tailSink.ValueBytes() <= kPrepareLimit) sized.Prepare(firstShare);
            } catch (...) { // out of memory there: the second half is read again here
            }
        });
    } catch (const std::system_error&) { // no thread to be had: read on here
    }
    struct Join {
        std::thread& t;
        ~Join() {
            if (t.joinable()) t.join();
        }
    } join{worker};

    ScanBlank(state, sink);
    if (worker.joinable()) worker.join();
    sink.share = nullptr;
    if (state.stopped) return !state.binary; // the data ended in the first half
    if (tailRead && sink.column == 0) {
        sink.Finish();
        sink.Append(tailSink);
        return !(state.binary || tailState.binary);
    }
    std::vector<std::vector<float>>().swap(tailColumns);
    readEnd = UINT64_MAX;
    ScanBlank(state, sink);
    return !state.binary;
}

bool CLasReader::ReadFieldDelimited(char delimiter, Sink& sink) {
    bool binary = false;
    bool lineStart = true;
    std::string token;
    int quotes = 0;
    const auto blank = [&] { return std::all_of(token.begin(), token.end(), IsSpace); };
    const auto finish = [&](bool atLineEnd) {
        // A line end after nothing (a blank line, a delimiter closing the line) is
        // not a field.
        if (!(atLineEnd && blank())) {
            float v;
            const bool number = TokenValue(token.data(), token.data() + token.size(), v);
            sink.Put(v, number);
        }
        token.clear();
        quotes = 0;
    };
    for (;;) {
        const char* p = buffer.data() + pos;
        const char* end = buffer.data() + len;
        for (; p < end; ++p) {
            const char c = *p;
            if (c == '\0') binary = true;
            if (c == '~' && lineStart && blank()) return !binary; // a section after the data
            if (c == '\n') {
                finish(true);
                lineStart = true;
                continue;
            }
            if (c == delimiter && quotes % 2 == 0) {
                finish(false);
            } else {
                if (c == '"') ++quotes;
                token.push_back(c);
            }
            if (!IsSpace(c)) lineStart = false;
        }
        pos = len;
        sink.PieceRead(consumed + pos);
        if (!Fill()) break;
    }
    if (!token.empty()) finish(true); // a last field without a line end is kept
    return !binary;
}

bool CLasReader::ReadData(char delimiter, const std::vector<char>& keep, float nullValue,
                          CLasData& out, IPlatformServices* rowProgress) {
    out = {};
    out.columns.assign(keep.size(), {});
    out.ranges.assign(keep.size(), {});
    if (keep.empty() || !IsOpen()) return false;

    SkipComments(); // comment lines right after the line that opened the data section
    Sink sink(keep, nullValue, out.columns, out.ranges, rowProgress, consumed + pos, fileSize);
    const bool text = delimiter == ' '
                          ? ReadBlankDelimited(sink, keep, nullValue, rowProgress == nullptr)
                          : ReadFieldDelimited(delimiter, sink);
    sink.Finish();
    sink.SettleRanges();
    out.rows = sink.row;
    out.tokens = sink.Tokens();
    out.numbers = sink.Numbers();
    out.binary = !text;
    return text && !(out.tokens > 0 && out.numbers == 0);
}
