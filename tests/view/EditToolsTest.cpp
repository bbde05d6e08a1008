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
        Add(std::move(log));
        auto data = std::make_unique<CDataTrack>();
        data->hAxis.Init(kAxisLinearH, 0, 150, 50, "POR");
        Add(std::move(data));
        auto lith = std::make_unique<CLithTrack>();
        lith->library = &library;
        Add(std::move(lith));
        Add(std::make_unique<CStratTrack>());
        for (int id : {0, 1}) {
            auto l = std::make_unique<CLithology>();
            l->id = id;
            l->name = id ? "Sandstone" : "Unknown";
            library.Add(std::move(l));
        }
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
    void Add(std::unique_ptr<CTrack> t) {
        doc.BindToDepthAxis(*t, kMeters);
        t->width = t->type == kTrackLog || t->type == kTrackData ? 1.5f : 0.5f;
        doc.tracks.push_back(std::move(t));
    }
    static int Y(float depth) { return static_cast<int>(100 + (depth - 1000) * 9); }
    template <class T> T& Track(int i) { return dynamic_cast<T&>(*doc.tracks[static_cast<size_t>(i)]); }
    // A press, a drag and a release with the current tool.
    void Drag(CPoint from, CPoint to, bool release = true) {
        tools.Press(from, false);
        tools.Move(to);
        if (release) tools.Release(to);
    }
};

} // namespace

TEST_F(ToolsFixture, ToolsAreChosenAndDrawAndMarkerSwitchBack) {
    EXPECT_TRUE(tools.IsChosen(ID_TOOL_ARROW));
    tools.Choose(ID_TOOL_DRAW);
    EXPECT_TRUE(tools.IsChosen(ID_TOOL_DRAW));
    tools.Choose(ID_TOOL_DRAW);
    EXPECT_EQ(tools.Current(), Tool::Arrow);
    tools.Choose(ID_TOOL_ERASER);
    tools.Choose(ID_TOOL_ERASER); // the Eraser stays
    EXPECT_EQ(tools.Current(), Tool::Eraser);
    tools.Choose(ID_TOOL_MARKER);
    tools.Choose(ID_TOOL_MARKER);
    EXPECT_EQ(tools.Current(), Tool::Arrow);
    // Arrow: a click selects one track, Shift adds to the selection.
    tools.Press({200, 500}, false);
    tools.Press({400, 500}, true);
    EXPECT_EQ(doc.tracks[kLog]->selected + doc.tracks[kData]->selected, 2);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ToolsFixture, MoveDropsByTheNeighboursCentres) {
    tools.Choose(ID_TOOL_MOVE);
    const CTrack* log = doc.tracks[kLog].get();
    // Onto the data track's right half (its centre at 395): one place to the right.
    Drag({245, 500}, {245 + 160, 500});
    EXPECT_EQ(doc.tracks[kData].get(), log);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.selectedTrack, kData);
    // Back onto the left half of its new left neighbour: one place to the left.
    Layout();
    Drag({395, 500}, {395 - 160, 500});
    EXPECT_EQ(doc.tracks[kLog].get(), log);
    // Past the end: last. On itself: unchanged, but the document is modified.
    Layout();
    Drag({245, 500}, {1200, 500});
    EXPECT_EQ(doc.tracks.back().get(), log);
    Layout();
    doc.SetModifiedFlag(false);
    const CRect at = log->rect;
    const CToolFeedback f = tools.Press({at.left + 10, 500}, false);
    ASSERT_TRUE(f.tracker);
    EXPECT_EQ(*f.tracker, at);
    tools.Move({at.left + 15, 520});
    tools.Release({at.left + 15, 520});
    EXPECT_EQ(doc.tracks.back().get(), log);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ToolsFixture, CorrelationShiftsATrackOrMovesTheWindow) {
    tools.Choose(ID_TOOL_CORRELATION);
    // A log track dragged down by 10 m: its shift is 10 less.
    Drag({200, Y(1040)}, {200, Y(1050)});
    EXPECT_NEAR(doc.tracks[kLog]->KB, -10, 1e-3);
    EXPECT_TRUE(doc.IsModified());

    // The meter ruler: the depth grabbed stays under the pointer; the feet window
    // follows in feet.
    tools.Press({140, Y(1040)}, false);
    tools.Move({140, Y(1050)});
    EXPECT_NEAR(doc.meterAxis.min, 990, 1e-3);
    EXPECT_NEAR(doc.meterAxis.PixelToValue(Y(1050)), 1040, 1e-3);
    EXPECT_NEAR(doc.feetAxis.min, 990 * kFeetPerMeter, 1e-2);
    // Escape puts the window back.
    tools.Cancel();
    EXPECT_NEAR(doc.meterAxis.min, 1000, 1e-3);
    EXPECT_NEAR(doc.feetAxis.max, 1100 * kFeetPerMeter, 1e-2);
}

TEST_F(ToolsFixture, RangesDrawUnitsThatKeepTheLayerBelow) {
    tools.Choose(ID_TOOL_DRAW);
    CLithTrack& lith = Track<CLithTrack>(kLith);
    lith.InsertLayer(1000, 0);
    // Dragged upward from 1060 to 1020: the tip shows the range as dragged.
    tools.Press({495, Y(1060)}, false);
    const CToolFeedback f = tools.Move({495, Y(1020)});
    EXPECT_TRUE(f.capture);
    EXPECT_EQ(f.band, (CToolFeedback::Band{495, Y(1060), Y(1020)}));
    EXPECT_EQ(f.tip, "1060.00 - 1020.00");
    platform.lithAnswers = {ScriptedLith{1020, 1060, 1}};
    tools.Release({495, Y(1020)});
    EXPECT_EQ(lith.Layers(),
              (std::vector<CLithTrack::Layer>{{1000, 0}, {1020, 1}, {1060, 0}})); // the layer below goes on
    EXPECT_TRUE(doc.IsModified());

    // Cancel in the dialog changes nothing; Escape mid-drag asks nothing.
    doc.SetModifiedFlag(false);
    platform.lithAnswers = {std::nullopt};
    Drag({495, Y(1080)}, {495, Y(1090)});
    tools.Press({495, Y(1080)}, false);
    tools.Move({495, Y(1090)});
    tools.Cancel();
    EXPECT_EQ(lith.Layers().size(), 3u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(platform.lithAnswers.empty()); // one dialog, for the first drag only

    // A shifted column stores the layer where it is drawn: under the pointer.
    lith.KB = 5;
    platform.lithAnswers = {std::nullopt};
    tools.Press({495, Y(1030)}, false);
    float shownTop = 0;
    platform.onLith = [&](float top) { shownTop = top; };
    tools.Release({495, Y(1030)});
    EXPECT_NEAR(shownTop, 1035, 1e-3);

    // A formation drawn as a single top; the track deleted mid-drag: nothing, no crash.
    platform.stratAnswers = {ScriptedStrat{"Brent", 1045, 1045, 0xFF}};
    Drag({545, Y(1045)}, {545, Y(1045)});
    ASSERT_EQ(Track<CStratTrack>(kStrat).Tops().size(), 1u);
    EXPECT_EQ(Track<CStratTrack>(kStrat).Tops()[0].name, "Brent");
    tools.Press({545, Y(1050)}, false);
    doc.tracks.erase(doc.tracks.begin() + kStrat);
    EXPECT_FALSE(tools.Move({545, Y(1060)}).capture);
    tools.Release({545, Y(1060)});
    EXPECT_FALSE(tools.Dragging());
}

TEST_F(ToolsFixture, DataPointsByPressOrByTheNextTracksAverage) {
    tools.Choose(ID_TOOL_DRAW);
    CDataTrack& data = Track<CDataTrack>(kData);
    // Simple: the value and depth under the pointer; Cancel in the confirmation adds
    // nothing.
    tools.Press({395, Y(1030)}, false);
    ASSERT_EQ(data.PointCount(), 1);
    EXPECT_NEAR(data.Points()[0].value, 75, 1.0);
    EXPECT_NEAR(data.Points()[0].depth, 1030, 0.2);
    doc.confirmInput = 1;
    platform.confirmAnswers = {false};
    tools.Press({395, Y(1040)}, false);
    EXPECT_EQ(data.PointCount(), 1);

    // Average over a range of the next track: move the log after the data track.
    doc.confirmInput = 0;
    doc.inputMethod = 1;
    doc.MoveTrack(kLog, kData);
    Layout();
    CDataTrack& points = Track<CDataTrack>(kLog);
    Drag({245, Y(1010)}, {245, Y(1020)});
    ASSERT_EQ(points.PointCount(), 2);
    EXPECT_NEAR(points.Points()[0].value, 15, 0.6); // the log's values 10 to 20
    EXPECT_NEAR(points.Points()[0].depth, 1010, 0.2);
    // On the last track there is no next one.
    doc.MoveTrack(kLog, kStrat);
    Layout();
    Drag({545, Y(1010)}, {545, Y(1020)});
    EXPECT_EQ(Track<CDataTrack>(kStrat).PointCount(), 2);
}

TEST_F(ToolsFixture, EraserReachesFourPixelsAndMarkersKeepTheDocumentsUnit) {
    CDataTrack& data = Track<CDataTrack>(kData);
    data.AddPoint(75, 1050);
    const int x = data.hAxis.ValueToPixel(75), y = Y(1050);
    tools.Choose(ID_TOOL_ERASER);
    tools.Press({x + 5, y}, false);
    EXPECT_EQ(data.PointCount(), 1);
    EXPECT_TRUE(doc.IsModified()); // as every press of the Eraser
    tools.Press({x + 4, y - 4}, false);
    EXPECT_EQ(data.PointCount(), 0);
    // A marker placed on the feet ruler of a meter document is stored in meters.
    tools.Choose(ID_TOOL_MARKER);
    EXPECT_EQ(tools.Move({400, Y(1020)}).markerLine.size(), 2u); // across the log and data tracks
    tools.Press({80, Y(1020)}, false);
    ASSERT_EQ(doc.markers.size(), 1u);
    EXPECT_NEAR(doc.markers[0].top, 1020, 0.2);
    EXPECT_EQ(tools.Current(), Tool::Arrow);
}

TEST_F(ToolsFixture, MenuStatusTextsKeysAndDoubleClicks) {
    // The overlay item: the first curve has no curve before it; the data track has.
    EXPECT_FALSE(tools.RightPress({200, 500}).overlayEnabled);
    const CTrackMenuState data = tools.RightPress({400, 500});
    EXPECT_TRUE(data.overlayEnabled);
    doc.tracks[kData]->overlay = 1;
    EXPECT_EQ(tools.RightPress({200, 500}).overlayText, "UnOverlay");
    EXPECT_FALSE(tools.RightPress({2000, 500}).show);

    // The read-out, by kind; the feet ruler says feet in a meter document.
    EXPECT_EQ(tools.StatusText({80, Y(1050)}).rfind("Depth = 3444.88 (ft)", 0), 0u);
    EXPECT_EQ(tools.StatusText({170 + 75, Y(1050)}), " Depth =1050.00 (m),  GR=75.00");
    Track<CLithTrack>(kLith).InsertLayer(1040, 1);
    EXPECT_EQ(tools.StatusText({495, Y(1050)}), " Depth =1050.00 (m),  Lithology = Sandstone");

    // Left and Right step the current curve's header range; no current track: nothing.
    tools.Press({200, 500}, false);
    const float max = doc.tracks[kLog]->hAxis.max;
    tools.StepHeaderAxis(true);
    EXPECT_GT(doc.tracks[kLog]->hAxis.max, max);
    EXPECT_TRUE(doc.IsModified());

    // A double click on a formation edits it in place and keeps the order.
    CStratTrack& strat = Track<CStratTrack>(kStrat);
    strat.InsertTop(1010, "A", 0);
    strat.InsertTop(1030, "B", 0);
    platform.stratAnswers = {ScriptedStrat{"A2", 1050, 1050, 7}};
    tools.DoubleClick({545, Y(1015)});
    ASSERT_EQ(strat.Tops().size(), 2u);
    EXPECT_EQ(strat.Tops()[1].name, "A2"); // moved below B
    EXPECT_EQ(strat.Tops()[1].fillColor, 7u);
}
