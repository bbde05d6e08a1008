#include "doc/CommandIds.h"
#include "doc/CommandState.h"
#include "doc/DropAction.h"
#include "doc/TarvikDoc.h"
#include "support/ScriptedPlatform.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"

#include <gtest/gtest.h>

TEST(CommandState, FollowsTheDocument) {
    CScriptedPlatform platform;
    CTarvikDoc doc(platform);
    auto state = [&](int id) { return QueryDocCommand(doc, id); };

    // An empty document, then a loaded one.
    EXPECT_FALSE(state(ID_EDIT_CLEAR_MARKERS).enabled);
    EXPECT_FALSE(state(ID_OPTIONS_TRACK).enabled);
    EXPECT_TRUE(state(ID_OPTIONS_METERS).checked);
    EXPECT_FALSE(state(ID_FILE_NEW).known); // the window's, not the document's
    doc.tracks.push_back(std::make_unique<CLogTrack>());
    doc.markers.push_back({});
    doc.depthUnit = kFeet;
    doc.dualAxis = 1;
    doc.SelectTrack(0, false);
    EXPECT_TRUE(state(ID_EDIT_CLEAR_MARKERS).enabled);
    EXPECT_TRUE(state(ID_EDIT_RESET_CORRELATIONS).enabled);
    EXPECT_TRUE(state(ID_OPTIONS_TRACK).enabled);
    EXPECT_FALSE(state(ID_OPTIONS_METERS).checked);
    EXPECT_TRUE(state(ID_OPTIONS_FEET).checked);
    EXPECT_TRUE(state(ID_OPTIONS_DUAL_AXIS).checked);
    EXPECT_TRUE(state(ID_TRACK_COPY_DATA).enabled);
    EXPECT_FALSE(state(ID_EDIT_PASTE_IN_TRACK).enabled); // a log track takes no paste
    doc.tracks.push_back(std::make_unique<CDataTrack>());
    doc.SelectTrack(1, false);
    EXPECT_TRUE(state(ID_EDIT_PASTE_IN_TRACK).enabled);

    // A stale selection still enables Track options.
    doc.OnNewDocument();
    EXPECT_TRUE(state(ID_OPTIONS_TRACK).enabled);
    EXPECT_FALSE(state(ID_EDIT_RESET_CORRELATIONS).enabled);
}

TEST(DropAction, OneFileByItsExtension) {
    EXPECT_EQ(ClassifyDrop({"/w/a.las", "/w/b.las"}), DropAction::TooMany);
    EXPECT_EQ(ClassifyDrop({"/w/WELL.LaS"}), DropAction::ImportLas);
    EXPECT_EQ(ClassifyDrop({"/w/plot.TVK"}), DropAction::OpenDocument);
    EXPECT_EQ(ClassifyDrop({"las"}), DropAction::Nothing);
    EXPECT_EQ(ClassifyDrop({}), DropAction::Nothing);
    // Long paths are not cut short.
    EXPECT_EQ(ClassifyDrop({"/" + std::string(400, 'd') + "/w.las"}), DropAction::ImportLas);
}
