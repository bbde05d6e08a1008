// Smoothing a log, and the value operations on one number, a log and a data track.
#include "base/ValueRange.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"
#include "tracks/ValueOperation.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

namespace {

void Fill(CLogTrack& log, std::vector<float> values) {
    log.count = static_cast<int>(values.size());
    log.values = std::move(values);
    log.nullvalue = -999.25f;
}

std::vector<float> Smoothed(std::vector<float> values, int length) {
    CLogTrack log;
    Fill(log, std::move(values));
    log.Smooth(length);
    return log.values;
}

// The mean over each window, in double precision, one window at a time.
std::vector<double> Reference(const std::vector<float>& v, int length, float nullValue) {
    const long long h = length / 2, n = static_cast<long long>(v.size());
    std::vector<double> out(v.size());
    for (long long i = 0; i < n; ++i) {
        out[static_cast<size_t>(i)] = v[static_cast<size_t>(i)];
        if (v[static_cast<size_t>(i)] == nullValue) continue;
        double sum = 0;
        int taken = 0;
        for (long long j = std::max(0LL, i - h); j <= std::min(n - 1, i + h); ++j) {
            if (v[static_cast<size_t>(j)] == nullValue) continue;
            sum += v[static_cast<size_t>(j)];
            ++taken;
        }
        out[static_cast<size_t>(i)] = sum / taken;
    }
    return out;
}

} // namespace

// Windows cut short at the ends, even lengths and the log's nulls are the reference
// test's; here a window longer than the log, the other missing markers and samples
// past the count.
TEST(LogTrackOps, SmoothLeavesMissingSamplesAndTheRestAlone) {
    const std::vector<float> ramp{1, 2, 3, 4, 5};
    EXPECT_EQ(Smoothed(ramp, 1000), std::vector<float>(5, 3.0f));

    // A missing sample (the marker -99999 or not a number, like the log's null)
    // stays as it was and its neighbours average over what is left of their windows.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> marked = Smoothed({1, kMissingValue, 3, nan, 5}, 3);
    EXPECT_TRUE(std::isnan(marked[3]));
    marked[3] = 0;
    EXPECT_EQ(marked, (std::vector<float>{1, kMissingValue, 3, 0, 5}));
    EXPECT_EQ(Smoothed({-999.25f, -999.25f}, 3), (std::vector<float>{-999.25f, -999.25f}));

    // Samples past the count are not the log's.
    CLogTrack log;
    Fill(log, {1, 2, 3, 100});
    log.count = 3;
    log.Smooth(3);
    EXPECT_EQ(log.values, (std::vector<float>{1.5f, 2, 2.5f, 100}));
}

TEST(LogTrackOps, SmoothMatchesADoublePrecisionMean) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-50.0f, 250.0f);
    std::vector<float> v(10000);
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = i % 37 == 5 ? -999.25f : value(random);
    for (int length : {999, 3, 64}) {
        SCOPED_TRACE(length);
        const std::vector<float> got = Smoothed(v, length);
        const std::vector<double> want = Reference(v, length, -999.25f);
        for (size_t i = 0; i < v.size(); ++i)
            ASSERT_NEAR(got[i], want[i], 1e-5 * std::max(1.0, std::fabs(want[i]))) << i;
    }

    // A huge sample that has left the window leaves no trace in the means after it.
    std::vector<float> spike(3000, 1.0f);
    spike[0] = 1e30f;
    const std::vector<float> got = Smoothed(spike, 999);
    for (size_t i = 500; i < spike.size(); ++i)
        ASSERT_EQ(got[i], 1.0f) << i;
}

// Single precision throughout; no infinity enters a curve; unknown codes change nothing.
TEST(ValueOperation, TheTableAndItsEdges) {
    const float psi = 145.03773498535156f;
    const struct {
        int op;
        float x, v, want;
    } cases[] = {
        {kOpAdd, 1.5f, 2, 3.5f}, {kOpSubtract, 1.5f, 2, -0.5f}, {kOpMultiply, 1.5f, -2, -3},
        {kOpDivide, 3, 2, 1.5f}, {kOpDivide, 3, 0, 3}, {kOpDivide, 1, 3, 1.0f / 3.0f},
        {kOpLog10, 1000, 0, 3}, {kOpLog10, 0, 0, 0}, {kOpLog10, -5, 0, -5},
        {kOpFahrenheitToCelsius, 212, 0, 100}, {kOpCelsiusToFahrenheit, -40, 0, -40},
        {kOpPsiToMpa, psi, 0, 1}, {kOpMpaToPsi, 2, 0, 2 * psi}, {kOpMpaToPsi, FLT_MAX, 0, FLT_MAX},
        {kOpMultiply, FLT_MAX, 2, FLT_MAX}, {kOpDivide, 1e30f, 1e-30f, 1e30f},
        {9, 5, 1, 5}, {-1, 5, 1, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyOperation(c.op, c.x, c.v), c.want) << c.op << " " << c.x << " " << c.v;
}

TEST(ValueOperation, ChangesPresentSamplesAndValuesOnly) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    CLogTrack log;
    Fill(log, {10, -999.25f, kMissingValue, nan, 20});
    EXPECT_EQ(log.ApplyOperation(kOpAdd, 5), 2);
    EXPECT_TRUE(std::isnan(log.values[3]));
    log.values[3] = 0;
    EXPECT_EQ(log.values, (std::vector<float>{15, -999.25f, kMissingValue, 0, 25}));
    EXPECT_EQ(log.ApplyOperation(kOpDivide, 0), 0);

    CDataTrack data;
    data.AppendPoint(100, 1000);
    data.AppendPoint(kMissingValue, 1001);
    data.AppendPoint(1000, 1002);
    EXPECT_EQ(data.ApplyOperation(kOpLog10, 0), 2);
    EXPECT_EQ(data.Points(),
              (std::deque<CDataTrack::Point>{{2, 1000}, {kMissingValue, 1001}, {3, 1002}}));
    data.nullvalue = 3; // a track's own null value counts too
    EXPECT_EQ(data.ApplyOperation(kOpMultiply, 10), 1);
    EXPECT_EQ(data.Points()[0].value, 20);
    EXPECT_EQ(data.Points()[2].value, 3);
}
