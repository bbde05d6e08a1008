// The LAS data reader as it was before reading blank-separated data went word-wide
// and two-threaded, kept simple to hold the new one to it: the text in memory, one
// token at a time, every number through the old locale-free conversion.
#pragma once

#include "base/TextParse.h"
#include "base/ValueRange.h"
#include "exchange/LasReader.h"

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace las_reference {

// The blank-separated data section of `text` from `start` (the line after the one
// that opened it). Data split at commas or tabs are still read by the old loop,
// word for word, into the sink the blank-separated words go to.
inline CLasData ReadData(const std::string& text, size_t start, const std::vector<char>& keep,
                         float nullValue) {
    CLasData out;
    out.columns.assign(keep.size(), {});
    out.ranges.assign(keep.size(), {});
    size_t column = 0;
    // Comment lines right after the line that opened the data.
    while (start < text.size() && text[start] == '#') {
        const size_t nl = text.find('\n', start);
        start = nl == std::string::npos ? text.size() : nl + 1;
    }
    const char* p = text.data() + start;
    const char* end = text.data() + text.size();
    bool lineStart = true;
    while (p < end) {
        while (p < end && IsSpace(*p))
            lineStart |= *p++ == '\n';
        if (p == end) break;
        const char* t = p;
        if (lineStart && *t == '~') break;
        if (*p == '"') {
            ++p;
            while (p < end && *p != '"' && *p != '\n')
                ++p;
            if (p < end && *p == '"') ++p;
        }
        while (p < end && !IsSpace(*p))
            ++p;
        lineStart = false;
        if (keep[column]) {
            // A word's value: from_chars, then the C conversion for what it leaves (a
            // '+', hexadecimal, numbers beyond a double); 0 for a word that is none.
            // The old reader took plain decimals on a shorter path whose values were
            // from_chars' by construction.
            double d = 0;
            const bool number = std::from_chars(t, p, d).ec == std::errc() ||
                                ScanDouble(std::string_view(t, static_cast<size_t>(p - t)), d);
            out.numbers += number;
            out.columns[column].push_back(number ? static_cast<float>(d) : 0.0f);
        }
        if (++column == keep.size()) {
            column = 0;
            ++out.rows;
        }
        ++out.tokens;
    }
    // A NUL byte anywhere after the data's start, in a later section too.
    out.binary = text.find('\0', start) != std::string::npos;
    for (size_t c = 0; c < keep.size(); ++c) {
        if (out.columns[c].size() > out.rows) out.columns[c].resize(out.rows);
        WidenToValues(out.columns[c].data(), out.columns[c].size(), nullValue, out.ranges[c].lo,
                      out.ranges[c].hi);
    }
    return out;
}

} // namespace las_reference
