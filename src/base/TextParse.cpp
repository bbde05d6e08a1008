#include "base/TextParse.h"

#include <algorithm>
#include <bit>
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
        std::from_chars_result r;
        if constexpr (sizeof(T) == sizeof(float))
            r = FloatFromChars(body.data(), body.data() + body.size(), v);
        else
            r = std::from_chars(body.data(), body.data() + body.size(), v,
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

namespace {

// The eight bytes at p as one word, the first byte lowest.
inline uint64_t Load8(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    return v;
}

// Reads the run of decimal digits at p, but not past last, into m (m * 10 + digit
// for each, modulo 2^64), moves p past it and returns its length. Where eight bytes
// from p are readable (before readable, which is not before last) they are looked
// at in one step.
[[gnu::always_inline]] inline int ReadDecimalRun(const char*& p, const char* last,
                                                 const char* readable, uint64_t& m) {
    static constexpr uint64_t kPow10[] = {1,      10,      100,      1000,     10000,
                                          100000, 1000000, 10000000, 100000000};
    int n = 0;
    while (readable - p >= 8) {
        // Digits become 0..9; a byte is not a digit when it is 10 or more.
        const uint64_t x = Load8(p) ^ 0x3030303030303030u;
        const uint64_t notDigit =
            (((x & 0x7F7F7F7F7F7F7F7Fu) + 0x7676767676767676u) | x) & 0x8080808080808080u;
        int run = std::countr_zero(notDigit) / 8; // 8 when all are digits
        if (run > last - p) run = static_cast<int>(last - p);
        if (run == 0) return n;
        // The run's digits in the high bytes with zeros before them; three steps of
        // pairwise sums give their value.
        uint64_t d = x << (8 * (8 - run));
        d = d * 10 + (d >> 8);
        d = (((d & 0x000000FF000000FFu) * 0x000F424000000064u) +
             (((d >> 16) & 0x000000FF000000FFu) * 0x0000271000000001u)) >>
            32;
        m = m * kPow10[run] + d;
        p += run;
        n += run;
        if (run < 8) return n;
    }
    for (; p < last && static_cast<unsigned char>(*p - '0') < 10; ++p, ++n)
        m = m * 10 + static_cast<unsigned>(*p - '0');
    return n;
}

// The conversion of plain decimals: up to 19 digits with a point and no exponent.
// The digits m (below 2^53, an exact double) times 10^-k for the k digits after the
// point is within two units in its last place of m / 10^k, so where no point
// halfway between two floats lies that close to it, both round to the same float:
// the nearest, which std::from_chars gives. Returns the end of the number, or null
// for every other case, which the caller leaves to the library.
[[gnu::always_inline]] inline const char* PlainDecimal(const char* first, const char* last,
                                                       const char* readable, float& out) {
    static constexpr double kTenth[] = {1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,
                                        1e-6,  1e-7,  1e-8,  1e-9,  1e-10, 1e-11,
                                        1e-12, 1e-13, 1e-14, 1e-15, 1e-16, 1e-17,
                                        1e-18, 1e-19, 1e-20, 1e-21, 1e-22};
    const char* p = first;
    const bool negative = p < last && *p == '-';
    if (negative) ++p;
    uint64_t m = 0;
    int digits = ReadDecimalRun(p, last, readable, m), fraction = 0;
    if (p < last && *p == '.') {
        ++p;
        fraction = ReadDecimalRun(p, last, readable, m);
        digits += fraction;
    }
    if (digits == 0 || digits > 19 || m > (uint64_t{1} << 53) || fraction > 22 ||
        (p < last && (*p == 'e' || *p == 'E')))
        return nullptr;
    // m fits in 53 bits: a signed conversion is exact and needs no unsigned fix-up.
    const double d = static_cast<double>(static_cast<int64_t>(m)) * kTenth[fraction];
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    // From 1e-22 on a float is normal: the 29 bits of a double below a float's
    // precision are 1 followed by zeros at a halfway point. Keep 4 units clear.
    const uint64_t below = bits & ((uint64_t{1} << 29) - 1);
    if (below - ((uint64_t{1} << 28) - 4) <= 8) return nullptr;
    const float f = static_cast<float>(d);
    out = negative ? -f : f;
    return p;
}

} // namespace

std::from_chars_result FloatFromChars(const char* first, const char* last, float& out) {
    if (const char* end = PlainDecimal(first, last, last, out)) return {end, std::errc()};
    return std::from_chars(first, last, out);
}

size_t ScanFloatRow(std::string_view text, float* out, size_t maxCount) {
    const char* p = text.data();
    const char* const end = p + text.size();
    size_t n = 0;
    while (n < maxCount) {
        while (p < end && *p == ' ') ++p;
        float v;
        const char* numberEnd = PlainDecimal(p, end, end, v);
        if (!numberEnd || (numberEnd != end && *numberEnd != ' ')) {
            // A whole token the library converts, else what ScanFloat makes of it.
            const auto r = std::from_chars(p, end, v);
            if (r.ec == std::errc() && (r.ptr == end || *r.ptr == ' ')) {
                numberEnd = r.ptr;
            } else {
                const char* tokenEnd = std::find(p, end, ' ');
                if (!ScanFloat(std::string_view(p, static_cast<size_t>(tokenEnd - p)), v)) break;
                numberEnd = tokenEnd;
            }
        }
        out[n++] = v;
        p = numberEnd;
    }
    return n;
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

namespace {

// "00" to "99".
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

constexpr uint64_t kPow10Int[] = {1,
                                  10,
                                  100,
                                  1000,
                                  10000,
                                  100000,
                                  1000000,
                                  10000000,
                                  100000000,
                                  1000000000,
                                  10000000000,
                                  100000000000,
                                  1000000000000,
                                  10000000000000,
                                  100000000000000,
                                  1000000000000000,
                                  10000000000000000,
                                  100000000000000000,
                                  1000000000000000000,
                                  10000000000000000000u};

// The number of decimal digits of x (1 for 0).
inline int DecimalDigits(uint64_t x) {
    // Even numbers have as many digits as the odd one after them, and 0 as 1.
    x |= 1;
    const int t = (std::bit_width(x) * 1233) >> 12; // about log10 of the top bit
    return t + 1 - (x < kPow10Int[t]);
}

// Writes the n lowest digits of x at p, zeros in front where x has fewer.
inline void WriteDigits(char* p, uint64_t x, int n) {
    for (; n >= 2; n -= 2) {
        std::memcpy(p + n - 2, kDigitPairs + 2 * (x % 100), 2);
        x /= 100;
    }
    if (n) *p = static_cast<char>('0' + x % 10);
}

// 0 to 999 as text: with leading zeros to three digits, and without them.
struct CThousand {
    char padded[1000][4];
    char plain[1000][4];
    unsigned char size[1000];
};

constexpr CThousand MakeThousand() {
    CThousand t{};
    for (int i = 0; i < 1000; ++i) {
        const char d[3] = {static_cast<char>('0' + i / 100), static_cast<char>('0' + i / 10 % 10),
                           static_cast<char>('0' + i % 10)};
        const int size = i >= 100 ? 3 : i >= 10 ? 2 : 1;
        for (int k = 0; k < 3; ++k) t.padded[i][k] = d[k];
        for (int k = 0; k < size; ++k) t.plain[i][k] = d[3 - size + k];
        t.size[i] = static_cast<unsigned char>(size);
    }
    return t;
}

constexpr CThousand kThousand = MakeThousand();

// Writes x in decimal at p and returns its end. Below a million it copies four
// bytes at a time from the table, so up to three bytes past the end are scratch.
inline char* WriteWhole(char* p, uint64_t x) {
    if (x < 1000) {
        std::memcpy(p, kThousand.plain[x], 4);
        return p + kThousand.size[x];
    }
    if (x < 1000000) {
        const uint64_t high = x / 1000;
        std::memcpy(p, kThousand.plain[high], 4);
        p += kThousand.size[high];
        std::memcpy(p, kThousand.padded[x % 1000], 4);
        return p + 3;
    }
    const int digits = DecimalDigits(x);
    WriteDigits(p, x, digits);
    return p + digits;
}

template <int Prec> char* WriteFixedOf(char* out, float v) {
    constexpr uint64_t scale = kPow10Int[Prec];
    // A float times 10^Prec (Prec <= 6) is exact in a double (24 + 20 bits), so
    // rounding it half-to-even gives printf's digits without its cost.
    const double scaled = std::fabs(static_cast<double>(v)) * static_cast<double>(scale);
    // Below 10^18: the signed conversion is exact and needs no unsigned fix-up.
    uint64_t n = static_cast<uint64_t>(static_cast<int64_t>(scaled));
    const double rest = scaled - static_cast<double>(static_cast<int64_t>(n)); // exact
    n += static_cast<uint64_t>((rest > 0.5) | ((rest == 0.5) & static_cast<bool>(n & 1)));
    char* p = out;
    *p = '-';
    p += std::signbit(v);
    p = WriteWhole(p, n / scale);
    if constexpr (Prec > 0) {
        *p++ = '.';
        WriteDigits(p, n % scale, Prec);
        p += Prec;
    }
    return p;
}

} // namespace

char* WriteFixed(char* out, float v, int prec) {
    if (std::fabs(v) < 1e12f) {
        switch (prec) {
        case 0: return WriteFixedOf<0>(out, v);
        case 1: return WriteFixedOf<1>(out, v);
        case 2: return WriteFixedOf<2>(out, v);
        case 3: return WriteFixedOf<3>(out, v);
        case 4: return WriteFixedOf<4>(out, v);
        case 5: return WriteFixedOf<5>(out, v);
        case 6: return WriteFixedOf<6>(out, v);
        default: break;
        }
    }
    // Huge values, infinities and NaN (and other precisions) the long way.
    std::string text;
    AppendFixed(text, static_cast<double>(v), std::clamp(prec, 0, 6));
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

void AppendFixed(std::string& out, float v, int prec) {
    if (prec < 0 || prec > 6) {
        AppendFixed(out, static_cast<double>(v), prec);
        return;
    }
    char buf[kMaxFixedFloat];
    out.append(buf, WriteFixed(buf, v, prec));
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
