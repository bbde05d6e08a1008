#include "base/TextParse.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// Reads digits of the given base; saturates instead of overflowing.
// Returns the number of digits consumed.
size_t ReadDigits(std::string_view s, int base, uint64_t& magnitude) {
    size_t i = 0;
    uint64_t v = 0;
    bool saturated = false;
    while (i < s.size()) {
        const int d = DigitValue(s[i]);
        if (d >= base) break;
        if (!saturated) {
            if (v > (UINT64_MAX - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base)) {
                saturated = true;
                v = UINT64_MAX;
            } else {
                v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
            }
        }
        ++i;
    }
    magnitude = v;
    return i;
}

int64_t ApplySign(bool negative, uint64_t magnitude) {
    if (negative)
        return magnitude > static_cast<uint64_t>(INT64_MAX) ? INT64_MIN
                                                            : -static_cast<int64_t>(magnitude);
    return magnitude > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX
                                                        : static_cast<int64_t>(magnitude);
}

// Sign, then digits in a fixed base or, with base 0, the "%i" base rules.
bool ScanInteger(std::string_view text, int base, int64_t& out) {
    std::string_view s = TrimLeft(text);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (base == 0 || base == 16) {
        if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
            uint64_t m = 0;
            if (ReadDigits(s.substr(2), 16, m) > 0) {
                out = ApplySign(negative, m);
                return true;
            }
            // "0x" without hex digits: only the 0 converts.
            out = 0;
            return true;
        }
        if (base == 0) base = (!s.empty() && s[0] == '0') ? 8 : 10;
    }
    uint64_t m = 0;
    if (ReadDigits(s, base, m) == 0) return false;
    out = ApplySign(negative, m);
    return true;
}

int ClampToInt(int64_t v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

template <typename T> bool ScanReal(std::string_view text, T& out) {
    std::string_view s = TrimLeft(text);
    bool negative = false;
    std::string_view body = s;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) return false;
    const bool hex = body.size() >= 2 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X');
    if (!hex) {
        T v{};
        const auto r = std::from_chars(body.data(), body.data() + body.size(), v,
                                       std::chars_format::general);
        if (r.ec == std::errc()) {
            out = negative ? -v : v;
            return true;
        }
        if (r.ec == std::errc::invalid_argument) return false;
    }
    // Hex floats and overflow or underflow: let strto* give the C results
    // (infinity, zero) on a bounded, terminated copy.
    char buf[256];
    const size_t n = s.size() < sizeof buf - 1 ? s.size() : sizeof buf - 1;
    std::memcpy(buf, s.data(), n);
    buf[n] = '\0';
    char* end = nullptr;
    T v;
    if constexpr (sizeof(T) == sizeof(float))
        v = std::strtof(buf, &end);
    else
        v = std::strtod(buf, &end);
    if (end == buf) return false;
    out = v;
    return true;
}

} // namespace

std::string_view TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) ++i;
    return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

bool ScanInt(std::string_view text, int& out) {
    int64_t v = 0;
    if (!ScanInteger(text, 10, v)) return false;
    out = ClampToInt(v);
    return true;
}

bool ScanIntAnyBase(std::string_view text, int& out) {
    int64_t v = 0;
    if (!ScanInteger(text, 0, v)) return false;
    out = ClampToInt(v);
    return true;
}

bool ScanHex(std::string_view text, uint32_t& out) {
    int64_t v = 0;
    if (!ScanInteger(text, 16, v)) return false;
    out = static_cast<uint32_t>(static_cast<uint64_t>(v));
    return true;
}

bool ScanBits32(std::string_view text, uint32_t& out) {
    int64_t v = 0;
    if (!ScanInteger(text, 0, v)) return false;
    out = static_cast<uint32_t>(static_cast<uint64_t>(v));
    return true;
}

bool ScanColour(std::string_view text, uint32_t& out) {
    return ScanBits32(text, out) || ScanHex(text, out);
}

bool ScanFloat(std::string_view text, float& out) { return ScanReal(text, out); }
bool ScanDouble(std::string_view text, double& out) { return ScanReal(text, out); }

void AppendG(std::string& out, double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    out.append(buf, r.ptr);
}

void AppendFixed(std::string& out, double v, int prec) {
    // A huge fixed-point number is up to 309 digits plus the fraction.
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, prec);
    if (r.ec == std::errc()) out.append(buf, r.ptr);
}

void AppendFixed(std::string& out, float v, int prec) {
    // A float times 10^prec (prec <= 6) is exact in a double (24 + 20 bits), so
    // rounding it half-to-even gives printf's digits without its cost.
    static constexpr double kScale[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    if (prec < 0 || prec > 6 || !(std::fabs(v) < 1e12f)) {
        AppendFixed(out, static_cast<double>(v), prec);
        return;
    }
    const double scaled = std::nearbyint(std::fabs(static_cast<double>(v)) * kScale[prec]);
    uint64_t n = static_cast<uint64_t>(scaled);
    char buf[40];
    char* p = buf + sizeof buf;
    for (int i = 0; i < prec; ++i) {
        *--p = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    if (prec > 0) *--p = '.';
    do {
        *--p = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n);
    if (std::signbit(v)) *--p = '-';
    out.append(p, static_cast<size_t>(buf + sizeof buf - p));
}

void AppendInt(std::string& out, long long v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void AppendUInt(std::string& out, unsigned long long v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

std::string FormatG(double v) {
    std::string s;
    AppendG(s, v);
    return s;
}

void SanitizeFreeText(std::string& text) {
    for (char& c : text) {
        if (c == ';')
            c = ',';
        else if (c == '\n' || c == '\r')
            c = ' ';
    }
}
