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
    EXPECT_DOUBLE_EQ(FirstTick(-5, 4), -4);
}

TEST(Axis, LinearMappingBothWaysAndReversed) {
    CAxis a;
    a.Init(kAxisLinearH, 0, 100, 20, "x");
    a.SetPixelRange(10, 210, 0);
    EXPECT_EQ(a.ValueToPixel(25), 60);
    EXPECT_EQ(a.ValueToPixel(0.25f), 11); // 0.5 rounds up
    EXPECT_FLOAT_EQ(a.PixelToValue(60), 25);

    a.reverse = 1;
    EXPECT_EQ(a.ValueToPixel(0), 210);
    for (float v : {0.0f, 13.7f, 50.0f, 99.9f}) {
        const int p = a.ValueToPixel(v);
        EXPECT_NEAR(a.ValueToPixel(a.PixelToValue(p)), p, 1) << v;
        EXPECT_NEAR(a.PixelToValue(p), v, 0.5) << v; // within one device unit (0.5 of value)
    }
}

TEST(Axis, LogarithmicAndProbabilityMapping) {
    CAxis a;
    a.Init(kAxisLogH, 1, 1000, 1, "log");
    a.SetPixelRange(0, 300, 0);
    EXPECT_EQ(a.ValueToPixel(100), 200);
    EXPECT_NEAR(a.PixelToValue(200), 100, 1e-3);

    CAxis p;
    p.Init(kAxisProbabilityV, 1, 99, 1, "p");
    p.SetPixelRange(0, 1000, 0);
    EXPECT_EQ(p.ValueToPixel(50), 500); // z(50) = 0 halfway between symmetric ends
    EXPECT_NEAR(ProbabilityToZ(2.5), 1.96, 0.01); // z falls as P rises
    EXPECT_NEAR(p.PixelToValue(p.ValueToPixel(90)), 90, 0.2);
    EXPECT_EQ(ZToProbability(-7), 100);
}

TEST(Axis, DegenerateRangesGiveDefinedPixels) {
    CAxis a;
    a.Init(kAxisLinearH, 5, 5, 1, "empty");
    a.SetPixelRange(10, 110, 0);
    EXPECT_EQ(a.ValueToPixel(5), 10);
    EXPECT_EQ(a.ValueToPixel(7), 10);
    a.SetPixelRange(10, 10, 0);
    a.max = 6;
    EXPECT_FLOAT_EQ(a.PixelToValue(10), 5);

    CAxis l;
    l.Init(kAxisLogH, 0, 100, 1, "log from zero");
    l.SetPixelRange(0, 100, 0);
    EXPECT_EQ(l.ValueToPixel(10), 0);
    EXPECT_FLOAT_EQ(l.PixelToValue(50), 0);
    l.min = 1;
    EXPECT_EQ(l.ValueToPixel(0), -(1 << 30)); // far off the start, not undefined
    EXPECT_EQ(l.ValueToPixel(-5), 0);         // log of a negative: pinned

    CAxis p;
    p.Init(kAxisProbabilityV, 0, 100, 1, "p");
    p.SetPixelRange(0, 100, 0);
    const int y = p.ValueToPixel(50);
    EXPECT_GE(y, 0);
    EXPECT_LE(y, 100);
    EXPECT_TRUE(std::isfinite(p.PixelToValue(20)));

    CAxis n;
    n.SetPixelRange(0, 100, 0);
    EXPECT_EQ(n.ValueToPixel(std::numeric_limits<float>::quiet_NaN()), 0);
    n.max = std::numeric_limits<float>::infinity();
    EXPECT_EQ(n.ValueToPixel(1), 0);
}

TEST(Axis, StepRangeAndLogRange) {
    CAxis a;
    a.Init(kAxisLinearH, 0, 100, 20, "x");
    a.StepRange(4);
    EXPECT_FLOAT_EQ(a.max, 120);
    for (int i = 0; i < 3; ++i) a.StepRange(4); // 180: 9 units, so it rescales
    EXPECT_FLOAT_EQ(a.max, 200);
    EXPECT_FLOAT_EQ(a.majorUnit, 40);

    a.Init(kAxisLinearH, 0, 20, 20, "x");
    a.StepRange(-4); // not more than one unit: nothing happens
    EXPECT_FLOAT_EQ(a.max, 20);

    // A logarithmic range steps a decade and stays logarithmic.
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
