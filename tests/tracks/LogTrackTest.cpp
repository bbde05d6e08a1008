#include "base/TableWriter.h"
#include "base/Units.h"
#include "base/kdManager.h"
#include "gfx/RecordingSurface.h"
#include "support/ScriptedPlatform.h"
#include "tracks/LogTrack.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

// A log of n samples from 1000 m every 1 m, in a track 100 wide and 500 high over a
// depth window of 1000 to 1500 m.
struct LogFixture : ::testing::Test {
    CTrackVAxis depth;
    CLogTrack log;
    CRecordingSurface dc;

    void SetUp() override {
        depth.Init(kAxisLinearV, 1000, 1500, 100, "Depth (m)");
        log.depthAxis = &depth;
        log.rect = {0, 100, 100, 600};
        log.hAxis.Init(kAxisLinearH, 0, 100, 20, "GR");
        log.startdepth = 1000;
        log.depthstep = 1;
        log.nullvalue = -999.25f;
        Fill(501, [](int i) { return static_cast<float>(i % 100); });
    }
    template <typename F> void Fill(int n, F f) {
        log.values.resize(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) log.values[static_cast<size_t>(i)] = f(i);
        log.count = n;
        log.stopdepth = log.startdepth + static_cast<float>(n - 1) * log.depthstep;
    }
    // Draws afresh: the polylines drawn with the curve's pen.
    std::vector<const CRecordedOp*> Curves() {
        dc.Clear();
        log.Draw(dc);
        std::vector<const CRecordedOp*> out;
        for (const auto* op : dc.OfKind(CRecordedOp::Polyline))
            if (op->pen.style == log.linestyle && op->pen.width == log.linewidth &&
                op->pen.colour == log.linecolor && op->points.size() != 5)
                out.push_back(op);
        return out;
    }
};

std::string Saved(CLogTrack& t) {
    std::string text;
    CTableWriter out(text);
    t.SaveHeader(out, "Track1");
    t.SaveData(out, "TrackData1");
    return text;
}

} // namespace

// The header and rows of ten are the demo document's (saved byte for byte); a last
// row that is full still ends the table with an empty line, and reads back.
TEST_F(LogFixture, AFullLastRowEndsWithAnEmptyLineAndReadsBack) {
    Fill(20, [](int i) { return i * 0.5f - 2; });
    const std::string text = Saved(log);
    EXPECT_TRUE(text.ends_with("6.5000 7.0000 7.5000 \n\nEND\n\n")) << text;

    kdManager in;
    in.Read(text, "t");
    CLogTrack copy;
    ASSERT_EQ(copy.LoadHeader(in, "Track1"), 1);
    ASSERT_EQ(copy.LoadData(in, "TrackData1"), 1);
    EXPECT_EQ(Saved(copy), text);
}

TEST_F(LogFixture, DataIsSizedByWhatTheTableHolds) {
    kdManager in;
    in.Read(std::string_view("TABLE=H\nCOLUMNS=[name;value]\ncount;2000000000\nnullvalue;-1\n"
            "TABLE=D\nCOLUMNS=[values]\n1 2 3 4 5 6 7 8 9 10 11 12\n13 x 14\n15\n"
            "TABLE=Short\nCOLUMNS=[values]\n1.5 2.5\n"),
            "t");
    CLogTrack t;
    ASSERT_EQ(t.LoadHeader(in, "H"), 1);
    ASSERT_EQ(t.LoadData(in, "D"), 1);
    // Three rows can hold thirty samples; ten are taken a row, a bad number ends a row.
    ASSERT_EQ(t.values.size(), 30u);
    EXPECT_EQ(t.count, 30);
    // "11 12" are beyond the ten of that row; what was never supplied is null.
    EXPECT_EQ(std::vector<float>(t.values.begin() + 9, t.values.begin() + 13),
              (std::vector<float>{10, 13, 15, -1}));

    t.count = 5;
    ASSERT_EQ(t.LoadData(in, "Short"), 1);
    EXPECT_EQ(t.count, 5);
    EXPECT_EQ(std::vector<float>(t.values.begin(), t.values.begin() + 5),
              (std::vector<float>{1.5f, 2.5f, -1, -1, -1}));
    t.count = -3;
    ASSERT_EQ(t.LoadData(in, "Short"), 1);
    EXPECT_EQ(t.count, 0);
}

// Nulls break the curve and sit on the fill's base (the printed log's test); on the
// high side the base is the maximum, and a log of nulls draws no curve at all.
TEST_F(LogFixture, AFillOnTheHighSideRunsAlongTheMaximum) {
    log.colorFill = 1;
    log.fillSide = 1;
    Fill(501, [](int) { return -999.25f; });
    EXPECT_TRUE(Curves().empty());
    const auto& allNull = dc.OfKind(CRecordedOp::Polygon)[0]->points;
    for (const CPoint& p : allNull) EXPECT_EQ(p.x, 100);
}

namespace {

// What a printed curve must come to: its points' rows reduced to their first,
// extreme and last points, as the surfaces have always reduced them.
std::vector<CPoint> ReduceRows(const std::vector<CPoint>& p) {
    std::vector<CPoint> out;
    for (size_t i = 0, j; i < p.size(); i = j) {
        size_t lo = i, hi = i;
        for (j = i + 1; j < p.size() && p[j].y == p[i].y; ++j) {
            if (p[j].x < p[lo].x) lo = j;
            if (p[j].x > p[hi].x) hi = j;
        }
        if (j - i <= 4) {
            out.insert(out.end(), p.begin() + static_cast<std::ptrdiff_t>(i), p.begin() + static_cast<std::ptrdiff_t>(j));
            continue;
        }
        const size_t a = std::min(lo, hi), b = std::max(lo, hi);
        out.push_back(p[i]);
        if (a != i) out.push_back(p[a]);
        if (b != a && b != j - 1) out.push_back(p[b]);
        out.push_back(p[j - 1]);
    }
    return out;
}

} // namespace

TEST_F(LogFixture, ScreenDrawsAboutOneSamplePerUnitAndPrintKeepsEveryRowsExtremes) {
    log.depthstep = 0.01f; // 50,001 samples over the 500-unit window, a null every 997
    std::mt19937 random(7);
    Fill(50001, [&](int i) {
        return (i + 1) % 997 == 0 ? log.nullvalue : static_cast<float>(random() % 1000) / 10;
    });
    size_t screenPoints = 0;
    for (const auto* op : Curves()) screenPoints += op->points.size();
    EXPECT_EQ(screenPoints, 500u); // stride 100; sample 32,900 is a null
    dc.SetPrinting(true);
    log.colorFill = 1;
    for (const bool reversed : {false, true}) {
        for (const int style : {PS_SOLID, PS_DASH}) {
            SCOPED_TRACE(testing::Message() << "reversed " << reversed << " style " << style);
            depth.reverse = reversed;
            log.linestyle = style;
            const auto curves = Curves();
            // Every sample mapped on its own; nulls end a curve and sit on the fill's base.
            const auto y = [&](size_t i) { return depth.ValueToPixel(log.SampleDepth(static_cast<long long>(i))); };
            const int xBase = log.hAxis.ValueToPixel(log.hAxis.min);
            std::vector<std::vector<CPoint>> runs(1);
            std::vector<CPoint> area{{xBase, y(0)}};
            for (size_t i = 0; i < log.values.size(); ++i) {
                const float v = log.values[i];
                const bool null = v == log.nullvalue;
                area.push_back({null ? xBase : log.hAxis.ValueToPixel(v), y(i)});
                if (null)
                    runs.emplace_back();
                else
                    runs.back().push_back(area.back());
            }
            area.push_back({xBase, y(log.values.size())});
            ASSERT_EQ(curves.size(), runs.size());
            for (size_t k = 0; k < runs.size(); ++k)
                EXPECT_EQ(curves[k]->points, style == PS_SOLID ? ReduceRows(runs[k]) : runs[k]) << "curve " << k;
            const auto fills = dc.OfKind(CRecordedOp::Polygon);
            ASSERT_EQ(fills.size(), 1u);
            EXPECT_EQ(fills[0]->points, ReduceRows(area));
        }
    }
}

TEST_F(LogFixture, DegenerateLogsDrawWhatTheyCan) {
    const float inf = std::numeric_limits<float>::infinity();
    Fill(501, [&](int i) { return i % 10 == 0 ? std::nanf("") : (i % 10 == 1 ? inf : 5.0f); });
    EXPECT_EQ(Curves().size(), 50u); // NaN and infinity break the curve like nulls

    log.depthstep = 0;
    EXPECT_TRUE(Curves().empty());
}

// A unit change converts depths, the shift and the step but never samples; a copy
// writes the depths without the shift.
TEST_F(LogFixture, UnitChangesAndCopyKeepTheSamples) {
    log.KB = 10;
    log.depthstep = 0.1524f;
    const auto before = log.values;
    log.SetDepthUnit(kFeet);
    EXPECT_NEAR(log.startdepth, 3280.84, 0.01);
    EXPECT_NEAR(log.KB, 32.8084, 1e-4);
    EXPECT_NEAR(log.depthstep, 0.5, 1e-6);
    EXPECT_EQ(log.values, before);

    CScriptedPlatform platform;
    log.startdepth = 1000;
    log.depthstep = 1;
    Fill(3, [](int i) { return i == 1 ? -999.25f : 0.5f * static_cast<float>(i); });
    log.CopyData(platform);
    EXPECT_EQ(platform.clipboard, "1000\t0\r\n1001\t-999.25\r\n1002\t1\r\n");
    log.count = 0;
    log.CopyData(platform);
    EXPECT_EQ(platform.messages.back(), "Nothing to copy");
}

TEST_F(LogFixture, AveragesAndRescales) {
    Fill(10, [](int i) { return static_cast<float>(i); });
    EXPECT_FLOAT_EQ(log.AverageRange(1002, 1004), 3.5f); // samples 2..5 inclusive
    EXPECT_FLOAT_EQ(log.AverageRange(990, 1001), 1.0f);  // raised to sample 0
    EXPECT_FLOAT_EQ(log.AverageRange(2000, 2100), log.nullvalue); // nothing there
    log.values[9] = log.nullvalue;
    log.values[0] = -37;
    log.RescaleToData();
    EXPECT_FLOAT_EQ(log.hAxis.min, -40);
    EXPECT_FLOAT_EQ(log.hAxis.max, 10);
}
