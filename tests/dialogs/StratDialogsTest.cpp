// The "Stratigraphy" formation dialog and the strat track's "Properties" with its
// font sample and the font dialog.
#include "app/QtPlatform.h"
#include "dialogs/LogTrackInfoDlg.h"
#include "dialogs/StratInputDialog.h"
#include "platform/QtSurface.h"
#include "tracks/StratTrack.h"

#include "dialogs/DialogTestHelpers.h"

#include <QFontDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <string>

namespace {

using StratDialogsTest = MessageBoxTest;

TEST_F(StratDialogsTest, FormationDialogOpensOnTheNameAndShowsTheBottomOnlyForARange) {
    {
        CStratInputDialog dialog("Brent", 1200.25f, 1200.25f);
        EXPECT_TRUE(Find<QLineEdit>(dialog, "bottom")->isHidden());
        ShowActive(dialog);
        // Typing replaces the whole name.
        auto* name = Find<QLineEdit>(dialog, "name");
        EXPECT_EQ(QApplication::focusWidget(), name);
        EXPECT_EQ(name->selectedText(), "Brent");
        // A hidden bottom is not read, whatever it holds, and comes back as given.
        Fill(dialog, {{"name", "Ness"}, {"top", "1210"}, {"bottom", "junk"}});
        PickNextColour(*Find<CColourPicker>(dialog, "fillColor"));
        dialog.accept();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(dialog.Bottom(), 1200.25f);
        EXPECT_EQ(dialog.FillColor(), kColourTable[1].colour);
    }
    CStratInputDialog dialog("Tarbert", 1000.0f, 1050.0f, MakeRGB(1, 2, 3));
    EXPECT_FALSE(Find<QLineEdit>(dialog, "bottom")->isHidden());
    ShowActive(dialog);
    Fill(dialog, {{"bottom", "1e39"}});
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages, QStringList{"Please enter a number."});
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(dialog, "bottom"));
    Fill(dialog, {{"bottom", "1060"}});
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Bottom(), 1060.0f);
}

TEST_F(StratDialogsTest, PlatformEditsAFormationOnlyOnOkAndKeeps8BitNames) {
    CQtPlatform platform(nullptr);
    std::string name = "Kl\xF6v"; // Windows-1252
    float top = 10, bottom = 20;
    ColourRef fill = MakeRGB(9, 9, 9);
    for (bool ok : {false, true}) {
        WhenShown<CStratInputDialog>([ok](CStratInputDialog& d) {
            Fill(d, {{"top", "11"}, {"bottom", "19"}});
            ok ? d.accept() : d.reject();
        });
        EXPECT_EQ(platform.EditStratTop(name, top, bottom, fill), ok);
        EXPECT_EQ(top, ok ? 11.0f : 10.0f);
    }
    EXPECT_EQ(name, "Kl\xF6v"); // shown as "Klöv" and left alone: the bytes stay
    EXPECT_EQ(bottom, 19.0f);
    EXPECT_EQ(fill, MakeRGB(9, 9, 9));
}

// The font dialog's size and face come back as the font the plot drew before.
TEST(FontConversionTest, AnUnchangedPickGivesTheSameDrawnFont) {
    const auto drawnPixels = [](const CFontDesc& font) {
        QPainter idle;
        CQtSurface dc(idle);
        dc.SelectFont(font);
        return dc.CurrentQFont().pixelSize();
    };
    for (const CFontDesc& before : {CFontDesc{"Arial", 14, 700, true}, CFontDesc{"Courier New", -21, 400, false}}) {
        SCOPED_TRACE(before.face + " " + std::to_string(before.height));
        const QFont shown = FontDialogFont(before);
        EXPECT_EQ(shown.family(), MapFontFace(before.face));
        EXPECT_EQ(shown.italic(), before.italic);
        const CFontDesc after = FontFromDialog(shown, before);
        EXPECT_EQ(after.face, before.face);
        EXPECT_LT(after.height, 0); // an em height, as font dialogs give
        EXPECT_EQ(drawnPixels(after), drawnPixels(before));
        EXPECT_EQ(after.weight, before.weight);
        EXPECT_EQ(after.italic, before.italic);
    }
    QFont picked(QStringLiteral("Liberation Serif"));
    picked.setPointSize(15);
    picked.setWeight(QFont::Bold);
    const CFontDesc serif = FontFromDialog(picked, CFontDesc{"Arial", -16, 400, false});
    EXPECT_EQ(serif.face, "Liberation Serif");
    EXPECT_EQ(serif.height, -20);
    EXPECT_EQ(serif.weight, 700);
}

struct StratPropertiesTest : StratDialogsTest {
    CStratTrack track;
};

TEST_F(StratPropertiesTest, ShowsTheTrackAndStoresFontColourTitleAndWidthOnOk) {
    track.font = CFontDesc{"Arial", -40, 700, false};
    track.fontColor = MakeRGB(0, 0, 128);
    {
        CLogTrackInfoDlg dialog(track);
        // The sample is drawn in the track's font and colour.
        CFontExampleWin* sample = dialog.Sample();
        EXPECT_EQ(sample->FontDesc(), track.font);
        EXPECT_TRUE(HasColour(sample->grab().toImage(), MakeRGB(0, 0, 128)));

        // The title takes 64 characters at most.
        Fill(dialog, {{"title", std::string(70, 'T').c_str()}});
        EXPECT_EQ(Find<QLineEdit>(dialog, "title")->text().size(), 64);

        // A new colour shows in the sample at once.
        ShowActive(dialog);
        PickNextColour(*Find<CColourPicker>(dialog, "textColor"));
        EXPECT_TRUE(HasColour(sample->grab().toImage(), kColourTable[1].colour));

        // "Font ..." opens the font dialog on the track's font; the pick shows in the sample.
        QFont offered;
        WhenShown<QFontDialog>([&offered](QFontDialog& d) {
            offered = d.currentFont();
            QFont serif(QStringLiteral("Liberation Serif"));
            serif.setPointSize(24);
            serif.setItalic(true);
            d.setCurrentFont(serif);
            d.accept();
        });
        Find<QPushButton>(dialog, "font")->click();
        EXPECT_EQ(offered.family(), "Liberation Sans");
        EXPECT_EQ(offered.pointSize(), 30); // 40 pixels of a 96 dpi screen
        EXPECT_EQ(offered.weight(), QFont::Bold);

        Fill(dialog, {{"title", "Formations"}, {"width", "0.75"}});
        dialog.accept();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    }
    EXPECT_EQ(track.title, "Formations");
    EXPECT_EQ(track.fontColor, kColourTable[1].colour);
    EXPECT_EQ(track.font.face, "Liberation Serif");
    EXPECT_EQ(track.font.height, -32);
    EXPECT_TRUE(track.font.italic);
}

TEST_F(StratPropertiesTest, CancelOrARefusedWidthStoresNothing) {
    const CFontDesc font = track.font;
    {
        CLogTrackInfoDlg dialog(track);
        ShowActive(dialog);
        Fill(dialog, {{"title", "Other"}, {"width", "13"}});
        PickNextColour(*Find<CColourPicker>(dialog, "textColor"));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(messages.size(), 1);

        // A font dialog cancelled leaves the sample's font.
        WhenShown<QFontDialog>([](QFontDialog& d) { d.reject(); });
        Find<QPushButton>(dialog, "font")->click();
        EXPECT_EQ(dialog.Sample()->FontDesc(), font);
        dialog.reject();
    }
    EXPECT_EQ(track.title, "Strat");
    EXPECT_EQ(track.fontColor, 0u);
    EXPECT_EQ(track.font, font);
}

} // namespace
