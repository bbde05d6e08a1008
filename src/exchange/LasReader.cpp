#include "exchange/LasReader.h"

#include "base/TextParse.h"
#include "gfx/PlatformServices.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr size_t kChunk = 1 << 20;

// A token as the C library's string-to-double reads it: its leading number, or 0,
// stored as a float. Reports whether a number was there.
bool TokenValue(const char* p, const char* end, float& out) {
    double d;
    const auto r = std::from_chars(p, end, d);
    if (r.ec == std::errc()) {
        out = static_cast<float>(d);
        return true;
    }
    if (ScanDouble(std::string_view(p, static_cast<size_t>(end - p)), d)) {
        out = static_cast<float>(d);
        return true;
    }
    out = 0.0f;
    return false;
}

} // namespace

CLasReader::~CLasReader() {
    if (file) std::fclose(file);
}

bool CLasReader::Open(const std::string& path) {
    file = std::fopen(path.c_str(), "rb");
    if (!file) {
        openError = std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(::fileno(file), &st) != 0 || S_ISDIR(st.st_mode)) {
        openError = S_ISDIR(st.st_mode) ? "it is a folder" : std::strerror(errno);
        std::fclose(file);
        file = nullptr;
        return false;
    }
    fileSize = static_cast<uint64_t>(st.st_size);
    // A piece of the file at a time; a small file needs no more than itself.
    buffer.resize(static_cast<size_t>(std::clamp<uint64_t>(fileSize + 1, 4096, kChunk)));
    TakeByteOrderMark();
    return true;
}

void CLasReader::TakeByteOrderMark() {
    while (len < 3 && FillBytes(3 - len)) {
    }
    const auto at = [&](size_t i) { return i < len ? static_cast<unsigned char>(buffer[i]) : 0u; };
    if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) { // UTF-8, as some editors write it
        pos = 3;
        return;
    }
    const bool le = at(0) == 0xFF && at(1) == 0xFE;
    const bool be = at(0) == 0xFE && at(1) == 0xFF;
    if (!le && !be) return;
    encoding = le ? Encoding::Utf16LE : Encoding::Utf16BE;
    raw.assign(buffer.begin() + 2, buffer.begin() + static_cast<std::ptrdiff_t>(len));
    len = 0;
    DecodeUtf16();
}

bool CLasReader::FillBytes(size_t room) {
    const size_t n = std::fread(buffer.data() + len, 1, room, file);
    len += n;
    return n > 0;
}

void CLasReader::DecodeUtf16() {
    // Each code unit takes at most three bytes of UTF-8.
    const size_t units = raw.size() / 2;
    if (buffer.size() - len < units * 3 + 8) buffer.resize(len + units * 3 + 8);
    char* out = buffer.data() + len;
    const auto emit = [&](unsigned cp) {
        if (cp < 0x80) {
            *out++ = static_cast<char>(cp);
        } else if (cp < 0x800) {
            *out++ = static_cast<char>(0xC0 | (cp >> 6));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (cp >> 12));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *out++ = static_cast<char>(0xF0 | (cp >> 18));
            *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    };
    constexpr unsigned kReplacement = 0xFFFD;
    for (size_t i = 0; i < units; ++i) {
        const unsigned a = raw[2 * i], b = raw[2 * i + 1];
        const unsigned u = encoding == Encoding::Utf16LE ? (a | b << 8) : (a << 8 | b);
        if (pendingHigh) {
            if (u >= 0xDC00 && u <= 0xDFFF) {
                emit(0x10000 + ((pendingHigh - 0xD800) << 10) + (u - 0xDC00));
                pendingHigh = 0;
                continue;
            }
            emit(kReplacement);
            pendingHigh = 0;
        }
        if (u >= 0xD800 && u <= 0xDBFF)
            pendingHigh = u;
        else if (u >= 0xDC00 && u <= 0xDFFF)
            emit(kReplacement);
        else
            emit(u);
    }
    raw.erase(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(units * 2));
    len = static_cast<size_t>(out - buffer.data());
}

bool CLasReader::Fill() {
    // Keep what is left unread at the front.
    if (pos > 0) {
        std::memmove(buffer.data(), buffer.data() + pos, len - pos);
        consumed += pos;
        len -= pos;
        pos = 0;
    }
    if (len == buffer.size()) buffer.resize(buffer.size() * 2); // a very long line
    if (encoding == Encoding::Bytes) return FillBytes(buffer.size() - len);

    const size_t before = len;
    const size_t had = raw.size();
    const size_t piece = std::max<size_t>(4096, buffer.size() / 2);
    raw.resize(had + piece);
    raw.resize(had + std::fread(raw.data() + had, 1, piece, file));
    if (raw.size() == had) { // the end: what is left over is not a character
        if (raw.empty() && !pendingHigh) return false;
        raw.clear();
        pendingHigh = 0;
        if (buffer.size() - len < 3) buffer.resize(len + 3);
        buffer[len++] = static_cast<char>(0xEF);
        buffer[len++] = static_cast<char>(0xBF);
        buffer[len++] = static_cast<char>(0xBD);
        return true;
    }
    DecodeUtf16();
    return len > before || !raw.empty();
}

bool CLasReader::ReadLine(std::string& line) {
    for (;;) {
        const char* start = buffer.data() + pos;
        const void* nl = std::memchr(start, '\n', len - pos);
        if (nl) {
            const size_t n = static_cast<size_t>(static_cast<const char*>(nl) - start);
            line.assign(start, n);
            pos += n + 1;
            return true;
        }
        if (!Fill()) {
            if (pos == len) return false;
            line.assign(buffer.data() + pos, len - pos); // a last line without its end
            pos = len;
            return true;
        }
    }
}

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

// Takes the tokens of the data section in order and files each under its column,
// keeping only the columns asked for.
struct CLasReader::Sink {
    CLasReader& reader;
    const std::vector<char>& keep;
    CLasData& out;
    uint64_t dataStart;
    IPlatformServices* rowProgress;
    size_t column = 0;

    void Store(const char* p, const char* e) {
        if (keep[column]) {
            float v;
            if (TokenValue(p, e, v)) ++out.numbers;
            out.columns[column].push_back(v);
        }
        if (++column == keep.size()) {
            column = 0;
            ++out.rows;
            if (rowProgress) rowProgress->StepProgress();
        }
        if (++out.tokens == 4096) Reserve();
    }

    // Sizes the columns once from what the first numbers took, so they do not grow
    // by doubling; never more than the file could hold at two bytes a number.
    void Reserve() {
        const uint64_t at = reader.consumed + reader.pos;
        const uint64_t remaining = reader.fileSize > at ? reader.fileSize - at : 0;
        const double seen = static_cast<double>(out.tokens);
        const double bytesPerToken = std::max(2.0, static_cast<double>(at - dataStart) / seen);
        const double expected = static_cast<double>(remaining) / bytesPerToken * 1.02 + seen;
        const size_t rows = static_cast<size_t>(expected / static_cast<double>(keep.size())) + 16;
        for (size_t c = 0; c < keep.size(); ++c)
            if (keep[c]) out.columns[c].reserve(rows);
    }
};

void CLasReader::SkipComments() {
    for (;;) {
        if (pos == len && !Fill()) return;
        if (buffer[pos] != '#') return;
        std::string skipped;
        if (!ReadLine(skipped)) return;
    }
}

bool CLasReader::ReadBlankDelimited(Sink& sink) {
    bool binary = false;
    bool lineStart = true; // the data start on the line after the one that opened them
    for (;;) {
        const char* p = buffer.data() + pos;
        const char* end = buffer.data() + len;
        if (std::memchr(p, '\0', static_cast<size_t>(end - p))) binary = true;
        while (p < end) {
            while (p < end && IsSpace(*p)) lineStart |= *p++ == '\n';
            if (p == end) break;
            const char* t = p;
            if (lineStart && *t == '~') return !binary; // a section after the data
            if (*p == '"') { // quoted text is one word, up to its closing quote
                ++p;
                while (p < end && *p != '"' && *p != '\n') ++p;
                if (p < end && *p == '"') ++p;
            }
            while (p < end && !IsSpace(*p)) ++p;
            if (p == end) { // the word may go on in the next piece: keep it unread
                p = t;
                break;
            }
            lineStart = false;
            pos = static_cast<size_t>(p - buffer.data());
            sink.Store(t, p);
        }
        pos = static_cast<size_t>(p - buffer.data());
        if (!Fill()) break;
    }
    if (pos < len && !(lineStart && buffer[pos] == '~'))
        sink.Store(buffer.data() + pos, buffer.data() + len); // no line end after it
    return !binary;
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
        if (!(atLineEnd && blank())) sink.Store(token.data(), token.data() + token.size());
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
        if (!Fill()) break;
    }
    if (!token.empty()) finish(true); // a last field without a line end is kept
    return !binary;
}

bool CLasReader::ReadData(char delimiter, const std::vector<char>& keep, CLasData& out,
                          IPlatformServices* rowProgress) {
    out = {};
    out.columns.assign(keep.size(), {});
    if (keep.empty() || !file) return false;

    SkipComments(); // comment lines right after the line that opened the data section
    Sink sink{*this, keep, out, consumed + pos, rowProgress};
    const bool text = delimiter == ' ' ? ReadBlankDelimited(sink) : ReadFieldDelimited(delimiter, sink);
    out.binary = !text;
    if (!text || (out.tokens > 0 && out.numbers == 0)) return false;
    for (auto& c : out.columns)
        if (c.size() > out.rows) c.resize(out.rows);
    return true;
}
