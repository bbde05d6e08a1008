#include "axes/AxisPage.h"
#include "axes/Axis.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

CAxisPageValues Linear(float min, float max, float major, float minor) {
    CAxisPageValues v;
    v.label = "GR";
    v.min = min;
    v.max = max;
    v.majorUnit = major;
    v.minorUnit = minor;
    return v;
}

// The message and focus of the first failing check, or "" when the page may close.
std::string Refusal(const CAxisPageValues& v, AxisPageField* focus = nullptr) {
    const auto e = ValidateAxisPage(v);
    if (!e) return "";
    if (focus) *focus = e->focus;
    return e->message;
}

} // namespace

TEST(AxisPage, ChecksInOrderAndNamesTheField) {
    AxisPageField f{};
    EXPECT_EQ(Refusal(Linear(0, 100, 20, 4)), "");

    EXPECT_EQ(Refusal(Linear(0, 100, 0, 4), &f), "Number should be greater than 0");
    EXPECT_EQ(f, AxisPageField::MajorUnit);
    EXPECT_EQ(Refusal(Linear(100, 100, 0, 0), &f), "Max should be greater than Min");
    EXPECT_EQ(f, AxisPageField::Minimum);

    EXPECT_EQ(Refusal(Linear(0, 1000, 1, 0.5f), &f),
              "The major unit may be too small for the range.");
    EXPECT_EQ(f, AxisPageField::MajorUnit);
    EXPECT_EQ(Refusal(Linear(0, 1000, 5, 2)), ""); // 200 and 500 divisions are allowed
    EXPECT_EQ(Refusal(Linear(0, 1000, 5, 1.9f), &f),
              "The minor unit may be too small for the range.");
    EXPECT_EQ(f, AxisPageField::MinorUnit);

    CAxisPageValues log = Linear(0, 100, 1, 0.001f);
    log.logarithmic = true;
    EXPECT_EQ(Refusal(log, &f), "Number should be greater than 0 for log scale");
    EXPECT_EQ(f, AxisPageField::Minimum);
    log.min = 0.1f; // a log range ignores how many units it holds
    EXPECT_EQ(Refusal(log), "");
    log.majorUnit = 0; // but not a unit of 0
    EXPECT_EQ(Refusal(log, &f), "Number should be greater than 0");

    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(Refusal(Linear(nan, 100, 20, 4)), "Max should be greater than Min");
    EXPECT_EQ(Refusal(Linear(0, 100, nan, 4)), "Number should be greater than 0");
}

TEST(AxisPage, LoadsAndStoresWithTheTypeRule) {
    EXPECT_EQ(AxisTypeFor(kAxisLinearH, true), kAxisLogH);
    EXPECT_EQ(AxisTypeFor(kAxisDateH, false), kAxisLinearV);

    CAxis a;
    a.Init(kAxisLogV, 1, 1000, 1, "Depth");
    a.reverse = 1;
    CAxisPageValues v = LoadAxisPage(a);
    EXPECT_TRUE(v.logarithmic);
    EXPECT_TRUE(v.reverse);
    EXPECT_FLOAT_EQ(v.minorUnit, 0.2f);
    a.axisType = kAxisDateH;
    EXPECT_FALSE(LoadAxisPage(a).logarithmic);
    a.axisType = kAxisLogV;

    v.logarithmic = false;
    v.reverse = false;
    v.min = 10;
    v.label = std::string(70, 'x');
    StoreAxisPage(v, a);
    EXPECT_EQ(a.axisType, kAxisLinearV);
    EXPECT_EQ(a.reverse, 0);
    EXPECT_FLOAT_EQ(a.min, 10);
    EXPECT_EQ(a.title, std::string(64, 'x'));

    // The limit counts characters: 70 two-byte letters keep 64 of them whole.
    std::string accents;
    for (int i = 0; i < 70; ++i)
        accents += "\xC3\xA9";
    EXPECT_EQ(LimitLabel(accents), accents.substr(0, 128));
    EXPECT_EQ(LimitLabel("short"), "short");
}

TEST(AxisPage, GridPageRoundTrip) {
    CAxis a;
    a.majorGrids = 1;
    a.majorStyle = 1; // any non-solid style shows as "Dashed"
    a.majorWidth = 1;
    a.majorColour = MakeRGB(10, 20, 30);

    const CGridPageValues v = LoadGridPage(a);
    EXPECT_TRUE(v.major.dashed);
    EXPECT_FALSE(v.minor.draw);

    CAxis b;
    b.minorGrids = 1;
    b.minorStyle = 2;
    StoreGridPage(v, b);
    EXPECT_EQ(b.majorGrids, 1);
    EXPECT_EQ(b.majorStyle, 2); // "Dashed" is stored as the dotted style
    EXPECT_EQ(b.majorColour, MakeRGB(10, 20, 30));
    EXPECT_EQ(b.minorGrids, 0);
}
