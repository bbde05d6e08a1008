// The LAS data reader as it was before reading went word-wide and two-threaded,
// kept whole and simple to hold the new one to it: the text in memory, one token
// at a time, every number through the old locale-free conversion.
#pragma once

#include "base/TextParse.h"
#include "base/ValueRange.h"
#include "exchange/LasReader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace las_reference {

inline bool PlainDecimal(const char* p, const char* end, double& out) {
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = p < end && *p == '-';
    p += negative;
    uint64_t m = 0;
    int digits = 0, fraction = 0;
    const auto take = [&](bool afterPoint) {
        for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p) {
            if (++digits > 19) return false;
            m = m * 10 + static_cast<unsigned>(*p - '0');
            fraction += afterPoint;
        }
        return true;
    };
    if (!take(false)) return false;
    if (p < end && *p == '.') {
        ++p;
        if (!take(true)) return false;
    }
    if (digits == 0 || (p < end && (*p == 'e' || *p == 'E')) || m > (uint64_t{1} << 53))
        return false;
    const double v = static_cast<double>(m) / kPow10[fraction];
    out = negative ? -v : v;
    return true;
}

inline bool TokenValue(const char* p, const char* end, float& out) {
    double d;
    if (PlainDecimal(p, end, d)) {
        out = static_cast<float>(d);
        return true;
    }
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

// The data section of `text` from `start` (the line after the one that opened it).
inline CLasData ReadData(const std::string& text, size_t start, char delimiter,
                         const std::vector<char>& keep, float nullValue) {
    CLasData out;
    out.columns.assign(keep.size(), {});
    out.ranges.assign(keep.size(), {});
    size_t column = 0;
    const auto store = [&](const char* p, const char* e) {
        if (keep[column]) {
            float v;
            if (TokenValue(p, e, v)) ++out.numbers;
            out.columns[column].push_back(v);
        }
        if (++column == keep.size()) {
            column = 0;
            ++out.rows;
        }
        ++out.tokens;
    };
    // Comment lines right after the line that opened the data.
    while (start < text.size() && text[start] == '#') {
        const size_t nl = text.find('\n', start);
        start = nl == std::string::npos ? text.size() : nl + 1;
    }
    const char* p = text.data() + start;
    const char* end = text.data() + text.size();
    bool lineStart = true;
    if (delimiter == ' ') {
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
            store(t, p);
        }
        // A NUL byte anywhere after the data's start, in a later section too.
        out.binary = text.find('\0', start) != std::string::npos;
    } else {
        std::string token;
        int quotes = 0;
        const auto blank = [&] { return std::all_of(token.begin(), token.end(), IsSpace); };
        const auto finish = [&](bool atLineEnd) {
            if (!(atLineEnd && blank())) store(token.data(), token.data() + token.size());
            token.clear();
            quotes = 0;
        };
        bool stopped = false;
        for (; p < end && !stopped; ++p) {
            const char c = *p;
            if (c == '\0') out.binary = true;
            if (c == '~' && lineStart && blank()) {
                stopped = true;
                break;
            }
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
        if (!stopped && !token.empty()) finish(true);
    }
    for (size_t c = 0; c < keep.size(); ++c) {
        if (out.columns[c].size() > out.rows) out.columns[c].resize(out.rows);
        WidenToValues(out.columns[c].data(), out.columns[c].size(), nullValue, out.ranges[c].lo,
                      out.ranges[c].hi);
    }
    return out;
}

} // namespace las_reference
