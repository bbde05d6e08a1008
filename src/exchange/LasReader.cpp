#include "exchange/LasReader.h"

#include "base/TextParse.h"
#include "gfx/PlatformServices.h"

#include <algorithm>
#include <cstring>

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
