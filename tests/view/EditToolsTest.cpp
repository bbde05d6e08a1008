// The editing tools on a laid-out page: each tool on each kind of track, by page
// points, with the user's answers scripted.
#include "base/Units.h"
#include "doc/CommandIds.h"
#include "doc/TarvikDoc.h"
#include "gfx/RecordingSurface.h"
#include "support/ScriptedPlatform.h"
#include "tracks/DataTrack.h"
#include "tracks/LithTrack.h"
#include "tracks/LogTrack.h"
#include "tracks/StratTrack.h"
#include "view/EditTools.h"
#include "view/TarvikView.h"

#include <gtest/gtest.h>

namespace {

using ScriptedLith = CScriptedPlatform::LithAnswer;
using ScriptedStrat = CScriptedPlatform::StratAnswer;

// At 100 pixels per inch: rulers (feet, meters) at x 50-110 and 110-170, a log track
// 170-320, a data track 320-470, a lithology column 470-520, a strat column 520-570;
// depths 1000 to 1100 m from y 100 to 1000, 9 pixels a metre.
struct ToolsFixture : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform};
    CTarvikView view{doc};
    CEditTools tools{doc};
    CLithArray library;

    enum { kFeetRuler, kMeterRuler, kLog, kData, kLith, kStrat };

    void SetUp() override {
        doc.OnDualAxis(); // both rulers, feet first
        doc.meterAxis.min = 1000;
        doc.meterAxis.max = 1100;
        doc.RecomputeOtherAxis(kMeters);
        auto log = std::make_unique<CLogTrack>();
        log->startdepth = 1000;
        log->depthstep = 1;
        log->nullvalue = -999.25f;
        for (int i = 0; i <= 100; ++i) log->values.push_back(static_cast<float>(i)); // value = depth - 1000
        log->count = 101;
        log->hAxis.Init(kAxisLinearH, 0, 150, 50, "GR");
        doc.BindToDepthAxis(*log, kMeters);
        doc.tracks.push_back(std::move(log));
        doc.AddNewTrack(NewTrackKind::Data)->hAxis.Init(kAxisLinearH, 0, 150, 50, "POR");
        static_cast<CLithTrack*>(doc.AddNewTrack(NewTrackKind::Lith))->library = &library;
        doc.AddNewTrack(NewTrackKind::Strat);
        auto sandstone = std::make_unique<CLithology>();
        sandstone->id = 1;
        sandstone->name = "Sandstone";
        library.Add(std::move(sandstone));
        view.SetResolution(100, 100);
        view.RecalcLayout();
        Layout();
        doc.SetModifiedFlag(false);
    }
    // Draws the page, which lays the tracks out and places the axes.
    void Layout() {
        CRecordingSurface dc;
        view.DrawPage(dc, view.PageRect());
    }
    static int Y(float depth) { return static_cast<int>(100 + (depth - 1000) * 9); }
    template <class T> T& Track(int i) { return dynamic_cast<T&>(*doc.tracks[static_cast<size_t>(i)]); }
    // A press, a drag and a release with the current tool.
    void Drag(CPoint from, CPoint to) {
        tools.Press(from, false);
        tools.Move(to);
        tools.Release(to);
    }
};

} // namespace

TEST_F(ToolsFixture, CorrelationShiftsATrackOrMovesTheWindow) {
    tools.Choose(ID_TOOL_CORRELATION);
    // A log track dragged down by 10 m: its shift is 10 less.
    Drag({200, Y(1040)}, {200, Y(1050)});
    EXPECT_NEAR(doc.tracks[kLog]->KB, -10, 1e-3);
    EXPECT_TRUE(doc.IsModified());

    // The meter ruler: the depth grabbed stays under the pointer; the feet window
    // follows in feet. Escape puts the window back.
    tools.Press({140, Y(1040)}, false);
    tools.Move({140, Y(1050)});
    EXPECT_NEAR(doc.meterAxis.min, 990, 1e-3);
    EXPECT_NEAR(doc.feetAxis.min, 990 * kFeetPerMeter, 1e-2);
    tools.Cancel();
    EXPECT_NEAR(doc.meterAxis.min, 1000, 1e-3);
    EXPECT_NEAR(doc.feetAxis.max, 1100 * kFeetPerMeter, 1e-2);
}

TEST_F(ToolsFixture, RangesDrawUnitsThatKeepTheLayerBelow) {
    tools.Choose(ID_TOOL_DRAW);
    CLithTrack& lith = Track<CLithTrack>(kLith);
    lith.InsertLayer(1000, 0);
    // A range dragged upward is drawn.
    platform.lithAnswers = {ScriptedLith{1020, 1060, 1}};
    Drag({495, Y(1060)}, {495, Y(1020)});
    EXPECT_EQ(lith.Layers(),
              (std::vector<CLithTrack::Layer>{{1000, 0}, {1020, 1}, {1060, 0}})); // the layer below goes on
    EXPECT_TRUE(doc.IsModified());

    // A shifted column stores the layer where it is drawn: under the pointer.
    lith.KB = 5;
    platform.lithAnswers = {std::nullopt};
    float shownTop = 0;
    platform.onLith = [&](float top) { shownTop = top; };
    Drag({495, Y(1030)}, {495, Y(1030)});
    EXPECT_NEAR(shownTop, 1035, 1e-3);

    // The track deleted mid-drag: nothing, no crash.
    tools.Press({545, Y(1050)}, false);
    doc.tracks.erase(doc.tracks.begin() + kStrat);
    EXPECT_FALSE(tools.Move({545, Y(1060)}).capture);
    tools.Release({545, Y(1060)});
    EXPECT_FALSE(tools.Dragging());
}

TEST_F(ToolsFixture, DataPointsEraserAndMarkers) {
    CDataTrack& data = Track<CDataTrack>(kData);
    // The Eraser reaches four pixels each way; every press of it is an edit.
    data.AddPoint(75, 1050);
    const int x = data.hAxis.ValueToPixel(75), y = Y(1050);
    tools.Choose(ID_TOOL_ERASER);
    tools.Press({x + 5, y}, false);
    EXPECT_EQ(data.PointCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    tools.Press({x + 4, y - 4}, false);
    EXPECT_EQ(data.PointCount(), 0);
    // A marker placed on the feet ruler of a meter document is stored in meters.
    tools.Choose(ID_TOOL_MARKER);
    tools.Press({80, Y(1020)}, false);
    ASSERT_EQ(doc.markers.size(), 1u);
    EXPECT_NEAR(doc.markers[0].top, 1020, 0.2);

    tools.Choose(ID_TOOL_DRAW);
    // A press: the value and depth under the pointer.
    tools.Press({395, Y(1030)}, false);
    ASSERT_EQ(data.PointCount(), 1);
    EXPECT_NEAR(data.Points()[0].value, 75, 1.0);
    EXPECT_NEAR(data.Points()[0].depth, 1030, 0.2);

    // The average over a range of the next track (the log, once moved after the data
    // track); on the last track there is no next one and no point.
    doc.inputMethod = 1;
    doc.MoveTrack(kLog, kData);
    Layout();
    Drag({245, Y(1010)}, {245, Y(1020)});
    ASSERT_EQ(data.PointCount(), 2);
    EXPECT_NEAR(data.Points()[0].value, 15, 0.6); // the log's values 10 to 20
    EXPECT_NEAR(data.Points()[0].depth, 1010, 0.2);
    doc.MoveTrack(kLog, kStrat);
    Layout();
    Drag({545, Y(1010)}, {545, Y(1020)});
    EXPECT_EQ(data.PointCount(), 2);
}

TEST_F(ToolsFixture, StatusTextsKeysAndDoubleClicks) {
    // The read-out, by kind; the feet ruler says feet in a meter document.
    EXPECT_EQ(tools.StatusText({80, Y(1050)}).rfind("Depth = 3444.88 (ft)", 0), 0u);
    EXPECT_EQ(tools.StatusText({170 + 75, Y(1050)}), " Depth =1050.00 (m),  GR=75.00");
    Track<CLithTrack>(kLith).InsertLayer(1040, 1);
    EXPECT_EQ(tools.StatusText({495, Y(1050)}), " Depth =1050.00 (m),  Lithology = Sandstone");

    // Left and Right step the current curve's header range by its unit, an edit of
    // the document.
    tools.Press({200, 500}, false);
    tools.StepHeaderAxis(true);
    EXPECT_FLOAT_EQ(doc.tracks[kLog]->hAxis.max, 200);
    EXPECT_TRUE(doc.IsModified());

    // A double click on a formation edits it in place and moves it to its sorted place.
    CStratTrack& strat = Track<CStratTrack>(kStrat);
    strat.InsertTop(1010, "A", 0);
    strat.InsertTop(1030, "B", 0);
    platform.stratAnswers = {ScriptedStrat{"A2", 1050, 1050, 7}};
    tools.DoubleClick({545, Y(1015)});
    ASSERT_EQ(strat.Tops().size(), 2u);
    EXPECT_EQ(strat.Tops()[1].name, "A2");
    EXPECT_EQ(strat.Tops()[1].fillColor, 7u);
}
