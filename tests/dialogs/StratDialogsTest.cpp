// The "Stratigraphy" formation dialog and the strat track's "Properties" with its
// font sample and the font dialog.
#include "dialogs/LogTrackInfoDlg.h"
#include "dialogs/StratInputDialog.h"
#include "platform/QtSurface.h"
#include "tracks/StratTrack.h"

#include "dialogs/DialogTestHelpers.h"

#include <QFontDialog>
#include <QPainter>
#include <QPushButton>

#include <string>

namespace {

using StratDialogsTest = MessageBoxTest;

// A bottom is read only for a range: hidden, it comes back as given, whatever it holds.
TEST_F(StratDialogsTest, FormationDialogReadsTheBottomOnlyForARange) {
    {
        CStratInputDialog dialog("Brent", 1200.25f, 1200.25f);
        EXPECT_TRUE(Find<QLineEdit>(dialog, "bottom")->isHidden());
        Fill(dialog, {{"name", "Ness"}, {"top", "1210"}, {"bottom", "junk"}});
        PickNextColour(*Find<CColourPicker>(dialog, "fillColor"));
        dialog.accept();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(dialog.Bottom(), 1200.25f);
        EXPECT_EQ(dialog.FillColor(), kColourTable[1].colour);
    }
    CStratInputDialog dialog("Tarbert", 1000.0f, 1050.0f, MakeRGB(1, 2, 3));
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

// The strat track's "Properties": a refused width, a cancelled font dialog or Cancel
// store nothing; OK stores title, width, colour and font.
TEST_F(StratDialogsTest, PropertiesStoreFontColourTitleAndWidthOnlyOnAGoodOk) {
    CStratTrack track;
    const CFontDesc font = track.font;
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "refused, then cancelled");
        messages.clear();
        CLogTrackInfoDlg dialog(track);
        ShowActive(dialog);
        Fill(dialog, {{"title", "Tops"}, {"width", ok ? "0.75" : "13"}});
        PickNextColour(*Find<CColourPicker>(dialog, "textColor"));
        WhenShown<QFontDialog>([ok](QFontDialog& d) {
            QFont serif(QStringLiteral("Liberation Serif"));
            serif.setPointSize(24);
            serif.setItalic(true);
            d.setCurrentFont(serif);
            ok ? d.accept() : d.reject();
        });
        Find<QPushButton>(dialog, "font")->click();
        dialog.accept();
        EXPECT_EQ(dialog.isVisible(), !ok);
        EXPECT_EQ(messages.size(), ok ? 0 : 1);
        dialog.reject();
        if (!ok) {
            EXPECT_EQ(track.title, "Strat");
            EXPECT_EQ(track.fontColor, 0u);
            EXPECT_EQ(track.font, font);
        }
    }
    EXPECT_EQ(track.title, "Tops");
    EXPECT_FLOAT_EQ(track.width, 0.75f);
    EXPECT_EQ(track.fontColor, kColourTable[1].colour);
    EXPECT_EQ(track.font.face, "Liberation Serif");
    EXPECT_EQ(track.font.height, -32);
    EXPECT_TRUE(track.font.italic);
}

} // namespace
