// Number conversions that behave like the C scanf/printf conversions named in the
// file format ("%d", "%i", "%x", "%f", "%g", "%.4f"), without scanf's undefined
// behaviour on overflow and without its cost.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

// White space as the C library's isspace sees it in the "C" locale.
constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
std::string_view TrimLeft(std::string_view s);
std::string_view TrimRight(std::string_view s);

// Each Scan function skips leading white space, converts the leading number of the
// text and reports whether anything was converted; on false the target is untouched.
// Integers that do not fit are clamped to the target's range.
bool ScanInt(std::string_view text, int& out);          // "%d"
bool ScanIntAnyBase(std::string_view text, int& out);   // "%i": 0x.. hex, 0.. octal
bool ScanHex(std::string_view text, uint32_t& out);     // "%x" (an optional 0x prefix)
bool ScanFloat(std::string_view text, float& out);      // "%f" into a 32-bit float
bool ScanDouble(std::string_view text, double& out);

// std::from_chars for a float in the general format: the same value, the same end
// and the same error for any text, and faster on plain decimals ("-1234.5678").
std::from_chars_result FloatFromChars(const char* first, const char* last, float& out);
// The blank-separated numbers of a row of sampled data, from the left, into out: up
// to maxCount of them, ending at the first token that is not a number. A token is
// taken whole by FloatFromChars, or else by ScanFloat, which also takes a number it
// starts with. Returns how many were read.
size_t ScanFloatRow(std::string_view text, float* out, size_t maxCount);

// "%i" first, bare hexadecimal when that converts nothing; the value is taken
// modulo 2^32 as a 32-bit colour.
bool ScanColour(std::string_view text, uint32_t& out);
// "%i" taken modulo 2^32: a value written with "%u" reads back to the same bits.
bool ScanBits32(std::string_view text, uint32_t& out);

// Appenders with the exact output of the printf conversions.
void AppendG(std::string& out, double v);               // "%g"
void AppendFixed(std::string& out, double v, int prec); // "%.<prec>f" ("%f" is 6)
void AppendFixed(std::string& out, float v, int prec);  // the same, faster for floats
// AppendFixed of a float with prec from 0 to 6 into a buffer of kMaxFixedFloat
// chars or more; returns the end of what it wrote.
inline constexpr size_t kMaxFixedFloat = 48;
char* WriteFixed(char* out, float v, int prec);
void AppendInt(std::string& out, long long v);          // "%i", "%d", "%ld"
void AppendUInt(std::string& out, unsigned long long v); // "%u"

std::string FormatG(double v);

// Free text goes into ';'-delimited, line-oriented tables unquoted: every ';'
// becomes ',' and a line break (which would split the row) becomes a blank.
void SanitizeFreeText(std::string& text);
