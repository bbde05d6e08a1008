#include "base/TextParse.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The value a scan reads, or nothing when it fails; a failure leaves the value alone.
template <class T>
std::optional<T> Scan(bool (*scan)(std::string_view, T&), std::string_view text) {
    T v = 77;
    if (scan(text, v)) return v;
    EXPECT_EQ(v, T(77)) << text;
    return std::nullopt;
}

} // namespace

// Integers take the leading number and clamp overflow; the any-base form follows the
// prefixes; colours are decimal, then bare hexadecimal; floats as the C conversion.
TEST(TextParse, ScansLikeTheCConversions) {
    EXPECT_EQ(Scan(ScanInt, "12abc"), 12);
    EXPECT_EQ(Scan(ScanInt, "  -7;"), -7);
    EXPECT_EQ(Scan(ScanInt, "abc"), std::nullopt);
    EXPECT_EQ(Scan(ScanInt, "-"), std::nullopt);
    EXPECT_EQ(Scan(ScanInt, "0x1F"), 0); // "%d" stops at the x
    EXPECT_EQ(Scan(ScanInt, "99999999999999999999999"), INT_MAX);
    EXPECT_EQ(Scan(ScanInt, "-99999999999"), INT_MIN);

    EXPECT_EQ(Scan(ScanIntAnyBase, "0x1F"), 31);
    EXPECT_EQ(Scan(ScanIntAnyBase, "010"), 8);
    EXPECT_EQ(Scan(ScanIntAnyBase, "09"), 0); // octal stops at the 9
    EXPECT_EQ(Scan(ScanIntAnyBase, "-0x10"), -16);
    EXPECT_EQ(Scan(ScanIntAnyBase, "x10"), std::nullopt);

    EXPECT_EQ(Scan(ScanColour, "16777215"), 0xFFFFFFu);
    EXPECT_EQ(Scan(ScanColour, "ff00"), 0xFF00u); // begins with a letter: hexadecimal
    EXPECT_EQ(Scan(ScanColour, "0x3232C8"), 0x3232C8u);
    EXPECT_EQ(Scan(ScanColour, "12ab"), 12u);       // decimal leading part
    EXPECT_EQ(Scan(ScanColour, "-1"), 0xFFFFFFFFu); // a 32-bit long written with "%ld"
    EXPECT_EQ(Scan(ScanColour, "zz"), std::nullopt);

    EXPECT_EQ(Scan(ScanFloat, " 1.5e3x"), 1500.0f);
    EXPECT_EQ(Scan(ScanFloat, "-.25"), -0.25f);
    EXPECT_TRUE(std::isinf(Scan(ScanFloat, "1e50").value_or(0)));
    EXPECT_EQ(Scan(ScanFloat, "0x10"), 16.0f);
    EXPECT_EQ(Scan(ScanFloat, "--5"), std::nullopt);
}

// The double form of AppendFixed is the library's to_chars; the float form, the
// program's own digits, gives printf's, ties and signs included.
TEST(TextParse, FormattingMatchesPrintf) {
    EXPECT_EQ(FormatG(13123.359375), "13123.4");
    EXPECT_EQ(FormatG(1e-5), "1e-05");
    EXPECT_EQ(FormatG(static_cast<double>(0.2f)), "0.2");
    EXPECT_EQ(FormatG(1234567.0), "1.23457e+06");

    char ref[64];
    for (float v : {0.0f, -0.0f, 1.5f, 0.00005f, 0.00015f, -0.00004f, 2.71828f, 1234.56789f,
                    -999.25f, 0.12345f, 99999.99995f, 3e11f, 7e13f, 1e-30f}) {
        for (int p : {0, 4, 6}) {
            std::snprintf(ref, sizeof ref, "%.*f", p, static_cast<double>(v));
            std::string s;
            AppendFixed(s, v, p);
            EXPECT_EQ(s, ref) << v << " %." << p << "f";
        }
    }
}
