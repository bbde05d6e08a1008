#include "axes/Axis.h"
#include "axes/TrackHAxis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

CAxis Scaled(float low, float high, int n) {
    CAxis a;
    a.AutoScale(low, high, n);
    return a;
}

} // namespace

TEST(Axis, AutoScaleChoosesRoundRangesAndUnits) {
    struct Case {
        float low, high;
        int n;
        float min, max, major;
    };
    const Case cases[] = {
        {0, 4000, 5, 0, 4000, 1000},  {3.2f, 97.5f, 4, 0, 100, 20},
        {0.37f, 0.88f, 3, 0.3f, 0.9f, 0.2f}, // 0.1 gives 6 intervals, so the unit doubles
        {5, 5, 4, 4, 6, 0.5f},               // an empty range is widened by one on each side
        {100, 0, 5, 100, 0, -20},            // reversed ends stay reversed
        {0, 70, 10, 0, 70, 5},               // 7 becomes 5; 14 intervals is not twice 10
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.low) + " " + std::to_string(c.high));
        const CAxis a = Scaled(c.low, c.high, c.n);
        EXPECT_NEAR(a.min, c.min, 1e-6);
        EXPECT_NEAR(a.max, c.max, 1e-6);
        EXPECT_NEAR(a.majorUnit, c.major, 1e-7);
        EXPECT_NEAR(a.minorUnit, c.major / 5, 1e-7);
    }

    // Never garbage: adding 1 does not change a float as large as 1e8.
    CAxis a = Scaled(1e8f, 1e8f, 4);
    EXPECT_GT(a.max, a.min);
    EXPECT_TRUE(a.majorUnit > 0 && std::isfinite(a.majorUnit));
    EXPECT_GT(Scaled(-1e-30f, 1e-30f, 5).majorUnit, 0);
    a.AutoScale(std::numeric_limits<float>::quiet_NaN(), 1, 4);
    a.AutoScale(0, std::numeric_limits<float>::infinity(), 4);
    a.AutoScale(0, 10, 0);
    EXPECT_TRUE(std::isfinite(a.majorUnit) && std::isfinite(a.min) && std::isfinite(a.max));
}

TEST(Axis, RoundingHelpers) {
    EXPECT_EQ(RoundHalfUp(-2.5f), -2);
    EXPECT_EQ(RoundHalfUp(-2.51f), -3);
    EXPECT_EQ(RoundHalfUp(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(RoundHalfUp(1e20f), 1 << 30);
    EXPECT_EQ(RoundHalfUp(-std::numeric_limits<float>::infinity()), -(1 << 30));

    EXPECT_EQ(Decade(2.99999f), 3);
    EXPECT_EQ(Decade(2.9998), 2);
    EXPECT_EQ(Decade(-std::numeric_limits<double>::infinity()), -64);

    EXPECT_DOUBLE_EQ(LabelRound(0.123456, 0.2), 0.123);
    EXPECT_DOUBLE_EQ(LabelRound(0.5, 0), 1); // no unit: whole numbers, no overflow
    EXPECT_TRUE(std::isfinite(LabelRound(0.123456, 1e-12)));
}

// Values to pixels on each kind, and back where `back` is not negative: within it of
// the value. Empty, zero-based log, NaN and infinite ranges give defined pixels.
TEST(Axis, MappingBothWaysAndItsDegenerateRanges) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        int type;
        float min, max;
        int from, to, reverse;
        float value;
        int pixel;
        double back;
    } cases[] = {
        {kAxisLinearH, 0, 100, 10, 210, 0, 25, 60, 0},
        {kAxisLinearH, 0, 100, 10, 210, 0, 0.25f, 11, -1}, // 0.5 rounds up
        {kAxisLinearH, 0, 100, 10, 210, 1, 0, 210, 0},
        {kAxisLogH, 1, 1000, 0, 300, 0, 100, 200, 1e-3},
        {kAxisProbabilityV, 1, 99, 0, 1000, 0, 50, 500, -1}, // z(50) = 0 between symmetric ends
        {kAxisLinearH, 5, 5, 10, 110, 0, 7, 10, -1},         // an empty range: its start
        {kAxisLinearH, 5, 6, 10, 10, 0, 5, 10, 0},           // no pixels: the minimum back
        {kAxisLogH, 0, 100, 0, 100, 0, 10, 0, -1},           // log from zero: pinned to the start
        {kAxisLogH, 1, 100, 0, 100, 0, 0, -(1 << 30), -1},   // far off the start, not undefined
        {kAxisLogH, 1, 100, 0, 100, 0, -5, 0, -1},           // log of a negative: pinned
        {kAxisLinearH, 0, 1, 0, 100, 0, nan, 0, -1},
        {kAxisLinearH, 0, std::numeric_limits<float>::infinity(), 0, 100, 0, 1, 0, -1},
        {kAxisLinearH, 0, 1e-30f, 0, 100, 0, 1e30f, 1 << 30, -1}, // a far zoom saturates
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        CAxis a;
        a.Init(c.type, c.min, c.max, 1, "a");
        a.reverse = c.reverse;
        a.SetPixelRange(c.from, c.to, 0);
        EXPECT_EQ(a.ValueToPixel(c.value), c.pixel) << "case " << i;
        if (c.back >= 0) { EXPECT_NEAR(a.PixelToValue(c.pixel), c.value, c.back) << i; }
    }

    CAxis r; // reversed, both ways
    r.Init(kAxisLinearH, 0, 100, 20, "x");
    r.reverse = 1;
    r.SetPixelRange(10, 210, 0);
    for (float v : {0.0f, 13.7f, 50.0f, 99.9f}) {
        const int p = r.ValueToPixel(v);
        EXPECT_NEAR(r.ValueToPixel(r.PixelToValue(p)), p, 1) << v;
        EXPECT_NEAR(r.PixelToValue(p), v, 0.5) << v; // within one device unit (0.5 of value)
    }
    CAxis l;
    l.Init(kAxisLogH, 0, 100, 1, "log from zero");
    EXPECT_FLOAT_EQ(l.PixelToValue(50), 0);
}

// A linear range steps by its unit (the edit tools' test); a logarithmic one steps a
// decade and stays logarithmic.
TEST(Axis, StepRangeAndLogRange) {
    CAxis a;
    a.Init(kAxisLogH, 0.2f, 2000, 1, "RT");
    a.StepRange(4);
    EXPECT_FLOAT_EQ(a.min, 0.2f);
    EXPECT_FLOAT_EQ(a.max, 20000);
    for (int i = 0; i < 4; ++i)
        a.StepRange(-4);
    EXPECT_FLOAT_EQ(a.max, 2); // never down to the minimum

    CAxis l;
    l.SetLogRange(0.37f, 2345);
    EXPECT_NEAR(l.min, 0.3, 1e-6);
    EXPECT_FLOAT_EQ(l.max, 3000);
    l.SetLogRange(-5, 0);
    EXPECT_NEAR(l.min, 0.01, 1e-8);
    EXPECT_FLOAT_EQ(l.max, 1);
    l.SetLogRange(0.009999f, 5); // just under a decade: never a minimum of 0
    EXPECT_NEAR(l.min, 0.009, 1e-6);
    l.SetLogRange(60000, 60000); // a constant curve on a round value: its decade
    EXPECT_FLOAT_EQ(l.min, 10000);
    EXPECT_FLOAT_EQ(l.max, 100000);
}
