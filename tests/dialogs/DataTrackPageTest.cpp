#include "dialogs/DataTrackPage.h"
#include "base/TableWriter.h"
#include "dialogs/DialogTestHelpers.h"
#include "tracks/DataTrack.h"

namespace {

// Every field away from its start value.
void Unusual(CDataTrack& t) {
    t.hAxis.title = "Porosity";
    t.width = 3.25f;
    t.drawline = 1;
    t.linewidth = 2;
    t.linestyle = 1;
    t.linecolor = MakeRGB(10, 20, 30);
    t.plotStyle = 2;
    t.drawmarkers = 0;
    t.symbolid = 6;
    t.symbolsize = 11;
    t.symbolcolor = MakeRGB(40, 50, 60);
    t.symbolBkColor = MakeRGB(70, 80, 90);
    t.colorFill = 1;
    t.fillColor = MakeRGB(100, 110, 120);
    t.fillSide = 1;
}

// The header table holds every field, so equal tables mean equal tracks.
std::string Header(CDataTrack& t) {
    std::string text;
    CTableWriter out(text);
    t.SaveHeader(out, "T");
    return text;
}

struct DataTrackPageTest : MessageBoxTest {
    CDataTrack track;
};

// Every value differs from the controls' own start: one not shown would be lost.
TEST_F(DataTrackPageTest, OkStoresWhatIsShownAndCancelNothing) {
    Unusual(track);
    const std::string unusual = Header(track);
    {
        CTrackPropSheet sheet(track);
        sheet.accept();
        ASSERT_EQ(sheet.result(), QDialog::Accepted);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    }
    EXPECT_EQ(Header(track), unusual);

    {
        CTrackPropSheet sheet(track);
        Fill(sheet, {{"width", "9"}, {"plotStyle0", "1"}, {"symbol", "1"}, {"logarithmic", "1"},
                     {"majorDraw", "1"}});
        PickNextColour(*Find<CColourPicker>(sheet, "symbolColour"));
        sheet.reject();
    }
    EXPECT_EQ(Header(track), unusual);
}

TEST_F(DataTrackPageTest, TrackWidthMustLieBetweenItsLimits) {
    ExpectWidthLimits(track, "100", "100.5");
}

// A symbol or size the lists do not offer (any id of the 22 may come from a file) is
// kept until another is picked.
TEST_F(DataTrackPageTest, ValuesTheListsDoNotOfferAreKeptUntilAnotherIsPicked) {
    track.symbolid = 15;
    track.symbolsize = 20;
    for (bool pick : {false, true}) {
        CDataTrackInfoPage page(track);
        if (pick) Fill(page, {{"symbol", "0"}, {"symbolSize", "4"}});
        page.Store();
        EXPECT_EQ(track.symbolid, pick ? 0 : 15);
        EXPECT_EQ(track.symbolsize, pick ? 4 : 20);
    }
}

} // namespace
