#include "dialogs/DataTrackPage.h"
#include "dialogs/SymbolCombo.h"
#include "base/TableWriter.h"
#include "dialogs/DialogTestHelpers.h"
#include "tracks/DataTrack.h"

#include <QImage>
#include <QPainter>

namespace {

// One item of the chooser as it draws it.
QImage RenderItem(const CSymbolCombo& combo, int id) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    combo.DrawItem(painter, image.rect(), id, false);
    return image;
}

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
void ExpectUnusual(CDataTrack& t) {
    CDataTrack u;
    Unusual(u);
    EXPECT_EQ(Header(t), Header(u));
}

struct DataTrackPageTest : MessageBoxTest {
    CDataTrack track;
};

TEST_F(DataTrackPageTest, OkStoresWhatIsShownAndCancelNothing) {
    {
        CTrackPropSheet sheet(track);
        Fill(sheet, {{"label", "Porosity"}, {"width", "3.25"}, {"drawLine", "1"},
                     {"lineWidth2", "1"}, {"lineStyle1", "1"}, {"plotStyle2", "1"},
                     {"drawMarkers", "0"}, {"symbol", "6"}, {"symbolSize", "11"},
                     {"colourFill", "1"}, {"fillSide1", "1"}});
        Find<CColourPicker>(sheet, "lineColour")->SetColour(MakeRGB(10, 20, 30));
        Find<CColourPicker>(sheet, "symbolColour")->SetColour(MakeRGB(40, 50, 60));
        Find<CColourPicker>(sheet, "symbolBkColour")->SetColour(MakeRGB(70, 80, 90));
        Find<CColourPicker>(sheet, "fillColour")->SetColour(MakeRGB(100, 110, 120));
        sheet.accept();
        ASSERT_EQ(sheet.result(), QDialog::Accepted);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    }
    ExpectUnusual(track);

    // Every value differs from the controls' own start: one not shown would be lost.
    {
        CTrackPropSheet sheet(track);
        sheet.accept();
        ASSERT_EQ(sheet.result(), QDialog::Accepted);
    }
    ExpectUnusual(track);

    {
        CTrackPropSheet sheet(track);
        Fill(sheet, {{"width", "9"}, {"plotStyle0", "1"}, {"symbol", "1"}, {"logarithmic", "1"},
                     {"majorDraw", "1"}});
        PickNextColour(*Find<CColourPicker>(sheet, "symbolColour"));
        sheet.reject();
    }
    ExpectUnusual(track);
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

// The chooser draws each symbol as the plot would, in the page's size and marker
// colours, and redraws when they change; the fill colour does not touch the markers.
TEST_F(DataTrackPageTest, ChooserFollowsTheSizeAndTheSymbolColours) {
    track.symbolid = 1;
    track.symbolsize = 2;
    CDataTrackInfoPage page(track);
    CSymbolCombo* symbols = page.Symbols();
    Fill(page, {{"symbolSize", "8"}});
    CSymbolCombo reference;
    reference.SetSymbolSize(8);
    EXPECT_EQ(RenderItem(*symbols, 1), RenderItem(reference, 1));

    const QImage before = RenderItem(*symbols, 0);
    PickNextColour(*Find<CColourPicker>(page, "symbolBkColour"));
    const QImage after = RenderItem(*symbols, 0);
    EXPECT_NE(after, before);
    PickNextColour(*Find<CColourPicker>(page, "fillColour"));
    EXPECT_EQ(RenderItem(*symbols, 0), after);
}

} // namespace
