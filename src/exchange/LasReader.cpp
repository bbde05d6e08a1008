#include "exchange/LasReader.h"

#include "base/TextParse.h"

#include <algorithm>
#include <charconv>
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
    if (!file) return false;
    struct stat st {};
    if (::fstat(::fileno(file), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(file);
        file = nullptr;
        return false;
    }
    fileSize = static_cast<uint64_t>(st.st_size);
    buffer.resize(kChunk);
    return true;
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
    const size_t n = std::fread(buffer.data() + len, 1, buffer.size() - len, file);
    len += n;
    return n > 0;
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

// Takes the tokens of the data section in order and files each under its column,
// keeping only the columns asked for.
struct CLasReader::Sink {
    CLasReader& reader;
    const std::vector<char>& keep;
    CLasData& out;
    uint64_t dataStart;
    size_t column = 0, tokens = 0, numbers = 0;
    bool reserved = false;

    void Store(const char* p, const char* e) {
        if (keep[column]) {
            float v;
            if (TokenValue(p, e, v)) ++numbers;
            out.columns[column].push_back(v);
        }
        if (++column == keep.size()) {
            column = 0;
            ++out.rows;
        }
        if (++tokens == 4096 && !reserved) {
            reserved = true;
            Reserve();
        }
    }

    // Sizes the columns once from what the first numbers took, so they do not grow
    // by doubling; never more than the file could hold at two bytes a number.
    void Reserve() {
        const uint64_t at = reader.consumed + reader.pos;
        const uint64_t remaining = reader.fileSize > at ? reader.fileSize - at : 0;
        const double bytesPerToken = std::max(2.0, static_cast<double>(at - dataStart) / tokens);
        const double expected = static_cast<double>(remaining) / bytesPerToken * 1.02 + tokens;
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
    for (;;) {
        const char* p = buffer.data() + pos;
        const char* end = buffer.data() + len;
        if (std::memchr(p, '\0', static_cast<size_t>(end - p))) binary = true;
        while (p < end) {
            while (p < end && IsSpace(*p)) ++p;
            const char* t = p;
            while (p < end && !IsSpace(*p)) ++p;
            if (p == end) { // the token may go on in the next piece: keep it unread
                p = t;
                break;
            }
            pos = static_cast<size_t>(p - buffer.data());
            sink.Store(t, p);
        }
        pos = static_cast<size_t>(p - buffer.data());
        if (!Fill()) break;
    }
    if (pos < len) sink.Store(buffer.data() + pos, buffer.data() + len); // no line end after it
    return !binary;
}

bool CLasReader::ReadFieldDelimited(char delimiter, Sink& sink) {
    bool binary = false;
    std::string token;
    int quotes = 0;
    const auto finish = [&](bool atLineEnd) {
        // A line end after nothing (a blank line, a delimiter closing the line) is
        // not a field.
        const bool blank = std::all_of(token.begin(), token.end(), IsSpace);
        if (!(atLineEnd && blank)) sink.Store(token.data(), token.data() + token.size());
        token.clear();
        quotes = 0;
    };
    for (;;) {
        const char* p = buffer.data() + pos;
        const char* end = buffer.data() + len;
        for (; p < end; ++p) {
            const char c = *p;
            if (c == '\0') binary = true;
            if (c == '\n') {
                finish(true);
            } else if (c == delimiter && quotes % 2 == 0) {
                finish(false);
            } else {
                if (c == '"') ++quotes;
                token.push_back(c);
            }
        }
        pos = len;
        if (!Fill()) break;
    }
    if (!token.empty()) finish(true); // a last field without a line end is kept
    return !binary;
}

bool CLasReader::ReadData(char delimiter, const std::vector<char>& keep, CLasData& out) {
    out = {};
    out.columns.assign(keep.size(), {});
    if (keep.empty() || !file) return false;

    SkipComments(); // comment lines right after the line that opened the data section
    Sink sink{*this, keep, out, consumed + pos};
    const bool text = delimiter == ' ' ? ReadBlankDelimited(sink) : ReadFieldDelimited(delimiter, sink);
    if (!text || sink.numbers == 0) return false;
    for (auto& c : out.columns)
        if (c.size() > out.rows) c.resize(out.rows);
    return true;
}
