#include "dialogs/DialogTestHelpers.h"

#include <QColorDialog>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Hex(ColourRef c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06x", static_cast<unsigned>(c));
    return buf;
}

using Log = std::vector<std::string>;

// A shown button whose five notifications are written to a log.
class ColourPickerTest : public ::testing::Test {
  protected:
    CColourPicker picker;
    Log log;

    void SetUp() override {
        auto note = [this](const char* what) {
            return [this, what](ColourRef c) { log.push_back(std::string(what) + " " + Hex(c)); };
        };
        QObject::connect(&picker, &CColourPicker::SelectionChanged, note("changed"));
        QObject::connect(&picker, &CColourPicker::DropDown, note("dropdown"));
        QObject::connect(&picker, &CColourPicker::CloseUp, note("closeup"));
        QObject::connect(&picker, &CColourPicker::SelectionEndedOk, note("ok"));
        QObject::connect(&picker, &CColourPicker::SelectionCancelled, note("cancel"));
        picker.show();
    }
    void TearDown() override {
        if (CColourPopup* popup = picker.Popup()) Key(popup, Qt::Key_Escape);
    }

    CColourPopup* Open(ColourRef colour) {
        picker.SetColour(colour);
        log.clear();
        picker.click();
        CColourPopup* popup = picker.Popup();
        EXPECT_NE(popup, nullptr);
        return popup;
    }
    static void Mouse(CColourPopup* w, QEvent::Type type, int cell) {
        const QPoint at = w->CellRect(cell).center();
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, w->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
};

// Each box the keys reach is previewed: "Automatic" as 0x010101, "More Colours..." as
// the initial colour; Enter chooses the current one.
TEST_F(ColourPickerTest, ArrowKeysReportEachBoxAndEnterChoosesTheCurrent) {
    CColourPopup* popup = Open(kColourTable[0].colour);
    ASSERT_NE(popup, nullptr);
    for (int key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Return}) Key(popup, key);
    EXPECT_EQ(picker.Popup(), nullptr);
    EXPECT_EQ(picker.GetColour(), kAutomaticColour);
    EXPECT_EQ(log, (Log{"dropdown 000000", "changed 010101", "changed 000000", "changed 010101",
                        "closeup 010101", "ok 010101", "changed 010101"}));
}

TEST_F(ColourPickerTest, ChoosingAColourReportsAChangeOnlyForAnother) {
    const ColourRef blue = kColourTable[13].colour, gold = kColourTable[25].colour;
    CColourPopup* popup = Open(blue);
    ASSERT_NE(popup, nullptr);
    Mouse(popup, QEvent::MouseMove, 25);
    EXPECT_EQ(picker.GetColour(), blue); // no preview unless asked for
    Mouse(popup, QEvent::MouseButtonRelease, 25);
    EXPECT_EQ(picker.Popup(), nullptr);
    EXPECT_EQ(picker.GetColour(), gold);
    EXPECT_EQ(log, (Log{"dropdown " + Hex(blue), "changed " + Hex(gold), "closeup " + Hex(gold),
                        "ok " + Hex(gold), "changed " + Hex(gold)}));
    popup = Open(gold);
    ASSERT_NE(popup, nullptr);
    Mouse(popup, QEvent::MouseMove, 25);
    Mouse(popup, QEvent::MouseButtonRelease, 25);
    EXPECT_EQ(log, (Log{"dropdown " + Hex(gold), "closeup " + Hex(gold), "ok " + Hex(gold)}));
}

// Escape and losing the popup cancel and restore the colour.
TEST_F(ColourPickerTest, EscapeOrLosingThePopupCancels) {
    const ColourRef red = kColourTable[16].colour, lightOrange = kColourTable[17].colour;
    picker.SetTrackSelection(true);
    CColourPopup* popup = Open(red);
    ASSERT_NE(popup, nullptr);
    Key(popup, Qt::Key_Right);
    EXPECT_EQ(picker.GetColour(), lightOrange); // previewed on the button
    Key(popup, Qt::Key_Escape);
    EXPECT_EQ(picker.GetColour(), red);
    EXPECT_EQ(log, (Log{"dropdown " + Hex(red), "changed " + Hex(lightOrange), "closeup " + Hex(red),
                        "cancel " + Hex(red)}));
    popup = Open(red);
    ASSERT_NE(popup, nullptr);
    log.clear();
    popup->close(); // as when the application is deactivated
    EXPECT_EQ(log, (Log{"closeup " + Hex(red), "cancel " + Hex(red)}));
}

TEST_F(ColourPickerTest, MoreColoursOpensTheColourDialog) {
    // A colour outside the table starts on the "More Colours..." box.
    CColourPopup* popup = Open(MakeRGB(10, 120, 200));
    ASSERT_NE(popup, nullptr);
    QColor offered;
    WhenShown<QColorDialog>([&offered](QColorDialog& d) {
        offered = d.currentColor();
        d.setCurrentColor(QColor(10, 20, 30));
        d.accept();
    });
    log.clear();
    Key(popup, Qt::Key_Return);
    EXPECT_EQ(offered, QColor(10, 120, 200));
    EXPECT_EQ(log, (Log{"closeup 1e140a", "ok 1e140a", "changed 1e140a"}));
}

} // namespace
