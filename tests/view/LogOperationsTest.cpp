// The log operations on a document: the two-track operations and the sum of
// selected tracks.
#include "view/LogOperations.h"
#include "base/ValueRange.h"
#include "doc/TarvikDoc.h"
#include "support/ScriptedPlatform.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"
#include "tracks/StratTrack.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Points = std::deque<CDataTrack::Point>;

struct OpsFixture : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform};

    // A log of n samples from start every step, sample i holding first + i; nulls -999.25.
    CLogTrack& AddLog(float start, float step, int n, float first = 0) {
        auto log = std::make_unique<CLogTrack>();
        log->startdepth = start;
        log->depthstep = step;
        log->stopdepth = start + static_cast<float>(n - 1) * step;
        log->count = n;
        log->nullvalue = -999.25f;
        for (int i = 0; i < n; ++i) log->values.push_back(first + static_cast<float>(i));
        doc.BindToDepthAxis(*log, kMeters);
        doc.tracks.push_back(std::move(log));
        return static_cast<CLogTrack&>(*doc.tracks.back());
    }
    // A data track of (depth, value) points in the order given.
    CDataTrack& AddData(std::initializer_list<std::pair<float, float>> points) {
        auto data = std::make_unique<CDataTrack>();
        for (const auto& [depth, value] : points) data->AppendPoint(value, depth);
        doc.BindToDepthAxis(*data, kMeters);
        doc.tracks.push_back(std::move(data));
        return static_cast<CDataTrack&>(*doc.tracks.back());
    }
    CLogTrack& LastLog() { return dynamic_cast<CLogTrack&>(*doc.tracks.back()); }
    CDataTrack& LastData() { return dynamic_cast<CDataTrack&>(*doc.tracks.back()); }
};

} // namespace

TEST_F(OpsFixture, CombineLogsOverTheDepthsBothCoverOrNotAtAll) {
    CLogTrack& a = AddLog(1000, 0.5f, 201);       // 1000 to 1100, sample i holds i
    CLogTrack& b = AddLog(1050, 0.5f, 301, 1000); // 1050 to 1200, sample i holds 1000 + i
    ASSERT_EQ(CombineLogTracks(doc, a, b, kTwoTrackAdd, "A plus B"), 1);
    CLogTrack& sum = LastLog();
    EXPECT_EQ(sum.startdepth, 1050);
    EXPECT_EQ(sum.count, 100); // 1050 to 1099.5: the sample at the stop is not included
    std::vector<float> pairs;
    for (int i = 0; i < 100; ++i) pairs.push_back(static_cast<float>(100 + i + 1000 + i)); // A's 100 + i, B's i
    EXPECT_EQ(sum.values, pairs);

    // Each operation, its undefined results and missing inputs marked -99999.
    CLogTrack& x = AddLog(0, 1, 5);
    CLogTrack& y = AddLog(0, 1, 5);
    x.values = {6, 1, 1, -999.25f, 4};
    y.values = {3, -1, 0, 2, kMissingValue};
    const std::vector<float> want[] = {// 0 to 4: four intervals
                                       {9, 0, 1, kMissingValue},
                                       {3, 2, 1, kMissingValue},
                                       {18, -1, 0, kMissingValue},
                                       {2, -1, kMissingValue, kMissingValue},
                                       {6.0f / 9.0f, kMissingValue, 1, kMissingValue}};
    for (int op = 0; op < 5; ++op) {
        ASSERT_EQ(CombineLogTracks(doc, x, y, op, "op"), 1);
        EXPECT_EQ(LastLog().values, want[op]) << op;
    }

    // No track where it cannot be filled: other steps, no step, no common depths.
    CLogTrack& coarse = AddLog(1000, 1, 101);
    CLogTrack& flat = AddLog(1000, 0, 10);
    CLogTrack& below = AddLog(2000, 0.5f, 10);
    doc.SetModifiedFlag(false);
    EXPECT_EQ(CombineLogTracks(doc, a, coarse, kTwoTrackAdd, "n"), 0);
    EXPECT_EQ(CombineLogTracks(doc, flat, flat, kTwoTrackAdd, "n"), 0);
    EXPECT_EQ(CombineLogTracks(doc, a, below, kTwoTrackAdd, "n"), 0);
    EXPECT_EQ(doc.TrackCount(), 13); // ten made so far and the three inputs
    EXPECT_FALSE(doc.IsModified());

    // A stop depth beyond the samples: the walk ends with the samples (the
    // sanitizer build would catch a read past them).
    CLogTrack& shortA = AddLog(1000, 0.5f, 150); // 1000 to 1074.5 ...
    shortA.stopdepth = 1100;                     // ... though it says 1100
    ASSERT_EQ(CombineLogTracks(doc, shortA, b, kTwoTrackSubtract, "n"), 1);
    EXPECT_EQ(LastLog().count, 50);
    EXPECT_EQ(LastLog().stopdepth, 1075);
    shortA.count = 90; // fewer samples than the overlap starts at
    EXPECT_EQ(CombineLogTracks(doc, shortA, b, kTwoTrackSubtract, "n"), 0);

    // Nothing valid: a track whose axis keeps its range rather than 0 to 1e32.
    CLogTrack& nulls = AddLog(0, 1, 10);
    nulls.values.assign(10, -999.25f);
    ASSERT_EQ(CombineLogTracks(doc, nulls, nulls, kTwoTrackAdd, "n"), 1);
    EXPECT_EQ(LastLog().values, std::vector<float>(9, kMissingValue));
    EXPECT_EQ(LastLog().hAxis.min, 0);
    EXPECT_EQ(LastLog().hAxis.max, 1);
}

TEST_F(OpsFixture, CombineDataReadsBAtTheDepthsOfA) {
    CDataTrack& a = AddData(
        {{0, 1}, {1.5f, 1}, {2, 1}, {3, 1}, {3.75f, 1}, {3.9f, kMissingValue}, {10, 1}, {11, 1}});
    CDataTrack& b = AddData({{1, 10}, {2, 20}, {3.5f, kMissingValue}, {4, 40}});
    ASSERT_EQ(CombineDataTracks(doc, a, b, kTwoTrackAdd, "A+B"), 1);
    // Above B's first point its value; between points the line through them; next
    // to a missing one the other; past B's last point its value once, then the end.
    EXPECT_EQ(LastData().Points(),
              (Points{{11, 0}, {16, 1.5f}, {21, 2}, {21, 3}, {41, 3.75f}, {41, 10}}));

    // Points at the same depths pair up without interpolation, whatever order a
    // paste left them in (it puts each point at the head of the list).
    CDataTrack& c = AddData({});
    for (float d : {100.0f, 100.5f, 101.0f})
        c.AddPoint(d / 100, d);
    CDataTrack& e = AddData({{100, 3}, {100.5f, -1}, {101, 0}});
    ASSERT_EQ(CombineDataTracks(doc, c, e, kTwoTrackMultiply, "x"), 1);
    EXPECT_EQ(LastData().Points(), (Points{{3, 100}, {-1.005f, 100.5f}, {0, 101}}));
    EXPECT_EQ(c.Points().front().depth, 100); // the inputs are left sorted
    // Undefined results leave their points out: 1.01 / 0.
    ASSERT_EQ(CombineDataTracks(doc, c, e, kTwoTrackDivide, "d"), 1);
    EXPECT_EQ(LastData().Points(), (Points{{1.0f / 3.0f, 100}, {-1.005f, 100.5f}}));
    // Equal depths in B: the first until the walk passes them, then the last.
    CDataTrack& twin = AddData({{1, 5}, {1, 7}});
    CDataTrack& probe = AddData({{0.5f, 0}, {1, 0}, {2, 0}});
    ASSERT_EQ(CombineDataTracks(doc, probe, twin, kTwoTrackAdd, "t"), 1);
    EXPECT_EQ(LastData().Points(), (Points{{5, 0.5f}, {5, 1}, {7, 2}}));

    // Equal depths in A come out in the order the exchange sort leaves the list
    // that putting each result at its head makes.
    CDataTrack& dup = AddData({});
    std::mt19937 random(3);
    for (int i = 0; i < 300; ++i)
        dup.AppendPoint(static_cast<float>(i), static_cast<float>(random() % 40));
    CDataTrack& zero = AddData({{-1e6f, 0}, {1e6f, 0}});
    ASSERT_EQ(CombineDataTracks(doc, dup, zero, kTwoTrackAdd, "dup"), 1);
    std::vector<CDataTrack::Point> list(dup.Points().rbegin(), dup.Points().rend());
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t j = i + 1; j < list.size(); ++j)
            if (list[j].depth < list[i].depth) std::swap(list[i], list[j]);
    EXPECT_EQ(LastData().Points(), Points(list.begin(), list.end()));
}

TEST_F(OpsFixture, SumOfSelectedTracksOfTheFirstSelectedKind) {
    CLogTrack& a = AddLog(1000.1f, 0.1f, 100);      // 1000.1 to 1010.0
    CLogTrack& b = AddLog(1000.5f, 0.1f, 50, 1000); // from 1000.5, four samples later
    AddLog(1000.1f, 0, 100);                        // no step: not summed
    AddData({{1000.2f, 5}});                        // another kind: not summed
    b.values[10] = -999.25f;
    for (auto& t : doc.tracks)
        t->selected = 1;
    ASSERT_EQ(SumSelected(doc), 2);
    CLogTrack& sum = LastLog();
    EXPECT_EQ(sum.count, 100);
    ASSERT_EQ(sum.values.size(), 100u);
    for (size_t i = 0; i < 100; ++i) {
        const bool covered = i >= 4 && i < 54 && i != 14;
        ASSERT_EQ(sum.values[i], covered ? a.values[i] + b.values[i - 4] : kMissingValue) << i;
    }

    // Data tracks add point by position: the depths are the first track's; where any
    // track has no value there is no sum.
    for (auto& t : doc.tracks)
        t->selected = 0;
    CDataTrack& d1 = AddData({{10, 1}, {11, 2}, {12, 3}, {13, 4}});
    CDataTrack& d2 = AddData({{20, 10}, {21, kMissingValue}, {22, 30}});
    CDataTrack& d3 = AddData({{30, 100}, {31, 200}, {32, 300}, {33, 400}});
    d1.selected = d2.selected = d3.selected = 1;
    ASSERT_EQ(SumSelected(doc), 3);
    EXPECT_EQ(LastData().Points(), (Points{{111, 10}, {333, 12}}));
}

// Smoothing and the value operation are LogTrackOpsTest's; here, which tracks the
// two-track command offers and what it refuses.
TEST_F(OpsFixture, TwoTrackCommandOffersDataThenLogs) {
    AddLog(0, 1, 5, 1).hAxis.title = "SP";
    AddData({{1, 10}, {2, 20}}).hAxis.title = "Points";
    AddLog(0, 1, 5, 10).hAxis.title = "GR";
    doc.tracks.push_back(std::make_unique<CStratTrack>()); // not offered
    platform.multiTrackAnswers.push_back(CMultiTrackChoice{0, 1, kTwoTrackAdd, "mixed"});
    EXPECT_EQ(OnTrackTrackOperation(doc), 0);
    EXPECT_EQ(platform.multiTrackLabels, (std::vector<std::string>{"Points", "SP", "GR"}));
    EXPECT_EQ(platform.messages.back(), "sorry, can't operate on two different log track types.");
    platform.multiTrackAnswers.push_back(CMultiTrackChoice{1, 2, kTwoTrackSubtract, "SP-GR"});
    EXPECT_EQ(OnTrackTrackOperation(doc), 1);
    EXPECT_EQ(LastLog().values, (std::vector<float>(4, -9)));

    // Fewer than two candidates: a word instead of the dialog.
    CScriptedPlatform lonely;
    CTarvikDoc few(lonely);
    few.tracks.push_back(std::make_unique<CLogTrack>());
    EXPECT_EQ(OnTrackTrackOperation(few), 0);
    EXPECT_EQ(lonely.messages.size(), 1u);
}
