#include "doc/TextParse.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

TEST(TextParse, IntegersTakeTheLeadingNumberAndClampOverflow) {
    int v = 77;
    EXPECT_TRUE(ScanInt("12abc", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(ScanInt("  -7;", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(ScanInt("+5", v));
    EXPECT_EQ(v, 5);
    v = 77;
    EXPECT_FALSE(ScanInt("abc", v));
    EXPECT_FALSE(ScanInt("", v));
    EXPECT_FALSE(ScanInt("-", v));
    EXPECT_EQ(v, 77);
    EXPECT_TRUE(ScanInt("0x1F", v)); // "%d" stops at the x
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(ScanInt("99999999999999999999999", v));
    EXPECT_EQ(v, INT_MAX);
    EXPECT_TRUE(ScanInt("-99999999999", v));
    EXPECT_EQ(v, INT_MIN);
}

TEST(TextParse, AnyBaseFollowsThePrefixes) {
    int v = 0;
    EXPECT_TRUE(ScanIntAnyBase("0x1F", v));
    EXPECT_EQ(v, 31);
    EXPECT_TRUE(ScanIntAnyBase("010", v));
    EXPECT_EQ(v, 8);
    EXPECT_TRUE(ScanIntAnyBase("09", v)); // octal stops at the 9
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(ScanIntAnyBase("-0x10", v));
    EXPECT_EQ(v, -16);
    EXPECT_TRUE(ScanIntAnyBase("0xZ", v));
    EXPECT_EQ(v, 0);
    v = 5;
    EXPECT_FALSE(ScanIntAnyBase("x10", v));
    EXPECT_EQ(v, 5);
}

TEST(TextParse, ColoursAreDecimalThenBareHex) {
    uint32_t c = 1;
    EXPECT_TRUE(ScanColour("16777215", c));
    EXPECT_EQ(c, 0xFFFFFFu);
    EXPECT_TRUE(ScanColour("ff00", c)); // begins with a letter: hexadecimal
    EXPECT_EQ(c, 0xFF00u);
    EXPECT_TRUE(ScanColour("0x3232C8", c));
    EXPECT_EQ(c, 0x3232C8u);
    EXPECT_TRUE(ScanColour("12ab", c)); // decimal leading part
    EXPECT_EQ(c, 12u);
    EXPECT_TRUE(ScanColour("-1", c)); // a 32-bit long written with "%ld"
    EXPECT_EQ(c, 0xFFFFFFFFu);
    c = 9;
    EXPECT_FALSE(ScanColour("zz", c));
    EXPECT_EQ(c, 9u);
}

TEST(TextParse, FloatsLikeTheCConversion) {
    float f = 3;
    EXPECT_TRUE(ScanFloat(" 1.5e3x", f));
    EXPECT_FLOAT_EQ(f, 1500.0f);
    EXPECT_TRUE(ScanFloat("-.25", f));
    EXPECT_FLOAT_EQ(f, -0.25f);
    EXPECT_TRUE(ScanFloat("+2", f));
    EXPECT_FLOAT_EQ(f, 2.0f);
    EXPECT_TRUE(ScanFloat("1e50", f));
    EXPECT_TRUE(std::isinf(f));
    EXPECT_TRUE(ScanFloat("1e-60", f));
    EXPECT_EQ(f, 0.0f);
    EXPECT_TRUE(ScanFloat("0x10", f));
    EXPECT_FLOAT_EQ(f, 16.0f);
    f = 3;
    EXPECT_FALSE(ScanFloat("abc", f));
    EXPECT_FALSE(ScanFloat("--5", f));
    EXPECT_FALSE(ScanFloat("", f));
    EXPECT_EQ(f, 3.0f);
}

TEST(TextParse, FormattingMatchesPrintf) {
    const auto fixed = [](double v, int p) {
        std::string s;
        AppendFixed(s, v, p);
        return s;
    };
    EXPECT_EQ(FormatG(1.5), "1.5");
    EXPECT_EQ(FormatG(0.0), "0");
    EXPECT_EQ(FormatG(13123.359375), "13123.4");
    EXPECT_EQ(FormatG(1e-5), "1e-05");
    EXPECT_EQ(FormatG(static_cast<double>(0.2f)), "0.2");
    EXPECT_EQ(FormatG(-999.25), "-999.25");
    EXPECT_EQ(FormatG(1234567.0), "1.23457e+06");
    EXPECT_EQ(fixed(1.5, 6), "1.500000");
    EXPECT_EQ(fixed(-0.00004, 4), "-0.0000");
    EXPECT_EQ(fixed(2.71828, 4), "2.7183");
    EXPECT_EQ(fixed(1e30, 4).size(), 36u); // wide numbers are not cut

    // The float form gives printf's digits, ties and signs included.
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

TEST(TextParse, FreeTextLosesSemicolonsAndLineBreaks) {
    std::string s = "GR;API\r\nnext";
    SanitizeFreeText(s);
    EXPECT_EQ(s, "GR,API  next");
}
