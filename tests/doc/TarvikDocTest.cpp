#include "doc/TarvikDoc.h"
#include "support/ScriptedPlatform.h"
#include "tracks/LogTrack.h"
#include "tracks/StratTrack.h"

#include <gtest/gtest.h>

namespace {

struct DocFixture : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform};

    // The meter window, as min and max.
    std::pair<float, float> Window() const { return {doc.meterAxis.min, doc.meterAxis.max}; }
    void SetWindow(float min, float max) {
        doc.meterAxis.min = min;
        doc.meterAxis.max = max;
    }
    std::vector<int> Types() const {
        std::vector<int> v;
        for (const auto& t : doc.tracks) v.push_back(t->type);
        return v;
    }
};

} // namespace

TEST_F(DocFixture, ZoomAndScrollFollowTheRatioRules) {
    using W = std::pair<float, float>;
    doc.OnZoomIn(); // ratio 8: units stay
    EXPECT_EQ(Window(), W(500, 3500));
    EXPECT_FLOAT_EQ(doc.meterAxis.majorUnit, 500);
    EXPECT_NEAR(doc.feetAxis.max, 3500 * 3.28084, 0.01); // the other axis follows

    SetWindow(0, 1000);
    doc.OnZoomIn(); // ratio 2: units halve first
    EXPECT_FLOAT_EQ(doc.meterAxis.minorUnit, 50);
    EXPECT_EQ(Window(), W(250, 750));

    SetWindow(0, 4000);
    doc.meterAxis.majorUnit = 200;
    doc.meterAxis.minorUnit = 40;
    doc.OnZoomOut(); // ratio 20: units double first
    EXPECT_FLOAT_EQ(doc.meterAxis.majorUnit, 400);
    EXPECT_EQ(Window(), W(-400, 4400));

    EXPECT_FALSE(doc.IsModified());

    // A window of half a unit would turn over: zoom in stops instead.
    SetWindow(0, 100);
    doc.meterAxis.majorUnit = 200;
    doc.OnZoomIn();
    EXPECT_EQ(Window(), W(0, 100));
}

TEST_F(DocFixture, UnitSwitchesUseTheWindowLastComputed) {
    doc.OnDepthMeters(); // the unit it already has, but no tracks: the ruler comes
    EXPECT_EQ(Types(), (std::vector<int>{kTrackMeterAxis}));
    doc.tracks.clear();
    doc.OnScrollUp();
    EXPECT_EQ(Window(), (std::pair<float, float>(500, 4500)));
    EXPECT_NEAR(doc.feetAxis.min, 1640.42, 0.01);

    doc.feetAxis.min = 0;
    doc.OnDepthFeet(); // no tracks: the switch happens and adds the feet ruler
    EXPECT_EQ(doc.depthUnit, kFeet);
    EXPECT_EQ(Types(), (std::vector<int>{kTrackFeetAxis}));
    EXPECT_NEAR(doc.CurrentDepthAxis().max, 14763.78, 0.01);
    EXPECT_FLOAT_EQ(doc.feetAxis.min, 0); // switching recomputes neither axis
    EXPECT_FLOAT_EQ(doc.meterAxis.min, 500);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocFixture, UnitSwitchRebindsContentAndKeepsDualRulers) {
    CTrack& data = *doc.AddNewTrack(NewTrackKind::Data); // after a meter ruler
    // Markers move with the unit, so they stay at the same depth.
    doc.markers.push_back({1652.5f, 1671, kMarkerColour});
    doc.OnDepthFeet();
    EXPECT_FLOAT_EQ(doc.markers[0].top, static_cast<float>(1652.5 * kFeetPerMeter));
    EXPECT_FLOAT_EQ(doc.markers[0].bottom, static_cast<float>(1671 * kFeetPerMeter));
    EXPECT_EQ(data.depthAxis, &doc.feetAxis);
    doc.OnDualAxis(); // on: a meter ruler is added at the left
    EXPECT_EQ(Types(), (std::vector<int>{kTrackMeterAxis, kTrackFeetAxis, kTrackData}));
    doc.OnDepthMeters(); // dual: the feet ruler stays
    EXPECT_EQ(Types(), (std::vector<int>{kTrackMeterAxis, kTrackFeetAxis, kTrackData}));
    EXPECT_EQ(data.depthAxis, &doc.meterAxis);
    EXPECT_FLOAT_EQ(doc.markers[0].top, 1652.5f); // back where they were
    doc.OnDualAxis(); // off: the ruler of the other unit goes
    EXPECT_EQ(Types(), (std::vector<int>{kTrackMeterAxis, kTrackData}));
}

TEST_F(DocFixture, SelectionOfTracks) {
    for (int i = 0; i < 4; ++i) doc.tracks.push_back(std::make_unique<CLogTrack>());
    doc.SelectTrack(1, false);
    doc.SelectTrack(-1, true); // Shift beside the tracks: the first flagged track answers
    EXPECT_EQ(doc.SelectedTrack(), doc.tracks[1].get());
    doc.SelectTrack(2, false); // a plain selection drops the others
    EXPECT_EQ(doc.tracks[1]->selected, 0);

    // Inserting a ruler at the left keeps the selection on the same track.
    CTrack* chosen = doc.tracks[2].get();
    doc.EnsureDepthAxisTrack(kMeters);
    EXPECT_EQ(doc.selectedTrack, 3);
    EXPECT_EQ(doc.SelectedTrack(), chosen);
    // Deleting the selected tracks leaves no current track.
    doc.SelectTrack(4, true);
    doc.DeleteSelectedTracks();
    EXPECT_EQ(doc.TrackCount(), 3);
    EXPECT_EQ(doc.selectedTrack, -1);
}

TEST_F(DocFixture, ChangesMarkTheDocumentOnlyWhenMade) {
    // Track options on a ruler recompute the other axis only when confirmed.
    doc.EnsureDepthAxisTrack(kFeet);
    doc.feetAxis.min = 328.084f;
    platform.propertiesAnswers = {0, 1};
    doc.EditTrack(0); // cancelled
    EXPECT_FLOAT_EQ(doc.meterAxis.min, 0);
    EXPECT_FALSE(doc.IsModified());
    doc.EditTrack(0);
    EXPECT_NEAR(doc.meterAxis.min, 100, 1e-3);
    EXPECT_TRUE(doc.IsModified());

    // A new document keeps the depth unit and a stale selected index, which Track
    // options does nothing with.
    doc.SelectTrack(0, false);
    doc.markers.push_back({});
    doc.depthUnit = kFeet;
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.TrackCount(), 0);
    EXPECT_TRUE(doc.markers.empty());
    EXPECT_EQ(doc.depthUnit, kFeet);
    EXPECT_EQ(doc.selectedTrack, 0);
    EXPECT_EQ(doc.SelectedTrack(), nullptr);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocFixture, PasteInTrackGoesToTheSelectedKindThatTakesATable) {
    doc.AddNewTrack(NewTrackKind::Strat); // after the ruler the document lacked
    EXPECT_EQ(Types(), (std::vector<int>{kTrackMeterAxis, kTrackStrat}));
    platform.clipboardText = "Brent\t1600\r\n";
    doc.SelectTrack(0, false); // a ruler takes nothing
    doc.OnPasteInTrack();
    EXPECT_FALSE(doc.IsModified());
    doc.SelectTrack(1, false);
    doc.OnPasteInTrack();
    EXPECT_EQ(dynamic_cast<CStratTrack&>(*doc.tracks[1]).Tops().size(), 1u);
    EXPECT_TRUE(doc.IsModified());
}
