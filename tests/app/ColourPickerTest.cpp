#include "app/ColourPicker.h"
#include "app/ColourPopup.h"

#include <QApplication>
#include <QColorDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

CColourGrid Grid(bool hasDefault, bool hasCustom) {
    CColourGrid g;
    g.hasDefault = hasDefault;
    g.hasCustom = hasCustom;
    return g;
}

TEST(ColourGridTest, WalkWithBothBoxes) {
    const CColourGrid g = Grid(true, true);
    EXPECT_EQ(g.Down(kDefaultBox), 0);
    EXPECT_EQ(g.Down(3), 11);
    EXPECT_EQ(g.Down(35), kCustomBox);
    EXPECT_EQ(g.Down(kCustomBox), kDefaultBox);
    EXPECT_EQ(g.Up(kDefaultBox), kCustomBox);
    EXPECT_EQ(g.Up(kCustomBox), 39);
    EXPECT_EQ(g.Up(11), 3);
    EXPECT_EQ(g.Up(3), kDefaultBox);
    EXPECT_EQ(g.Right(kDefaultBox), 0);
    EXPECT_EQ(g.Right(7), 8); // last column wraps to the next row
    EXPECT_EQ(g.Right(39), kCustomBox);
    EXPECT_EQ(g.Right(kCustomBox), kDefaultBox);
    EXPECT_EQ(g.Left(kDefaultBox), kCustomBox);
    EXPECT_EQ(g.Left(kCustomBox), 39);
    EXPECT_EQ(g.Left(8), 7); // first column wraps to the previous row
    EXPECT_EQ(g.Left(0), kDefaultBox);
}

TEST(ColourGridTest, WalkWithOnlyOneBox) {
    const CColourGrid automatic = Grid(true, false);
    EXPECT_EQ(automatic.Down(35), kDefaultBox);
    EXPECT_EQ(automatic.Right(39), kDefaultBox);
    EXPECT_EQ(automatic.Up(kDefaultBox), 39);
    EXPECT_EQ(automatic.Left(kDefaultBox), 39);

    const CColourGrid more = Grid(false, true);
    EXPECT_EQ(more.Down(kCustomBox), 0);
    EXPECT_EQ(more.Right(kCustomBox), 0);
    EXPECT_EQ(more.Up(2), kCustomBox);
    EXPECT_EQ(more.Left(0), kCustomBox);
}

TEST(ColourGridTest, WithoutBoxesTheWalkWrapsBetweenFirstAndLastCell) {
    const CColourGrid g = Grid(false, false);
    EXPECT_EQ(g.Right(39), 0);
    EXPECT_EQ(g.Left(0), 39);
    EXPECT_EQ(g.Down(36), 0); // to (0,0), not to the same column
    EXPECT_EQ(g.Up(4), 39);
}

TEST(ColourGridTest, BoxSizeRoundsAndKeepsRoomForTheColour) {
    EXPECT_EQ(ColourBoxSize(96, 2), 14);  // 14.4
    EXPECT_EQ(ColourBoxSize(144, 2), 22); // 21.6 rounds up
    EXPECT_EQ(ColourBoxSize(96, 3), 14);  // 14 - 6 - 2 leaves 6
    EXPECT_EQ(ColourBoxSize(96, 4), 15);  // 14 - 8 - 2 leaves 4: 2 x 4 + 7
}

TEST(ColourTableTest, FortyNamedColours) {
    EXPECT_EQ(std::size(kColourTable), 40u);
    EXPECT_EQ(kColourTable[1].colour, 0x002AA5u); // red 165 in the low byte
    EXPECT_STREQ(kColourTable[1].name, "Brown");
    EXPECT_EQ(kColourTable[20].colour, 0xD4FF7Fu);
    EXPECT_STREQ(kColourTable[20].name, "Aqua");
    EXPECT_STREQ(kColourTable[35].name, "Pale green ");
    EXPECT_EQ(kColourTable[37].colour, MakeRGB(104, 131, 139));
    EXPECT_STREQ(kColourTable[39].name, "White");
}

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
        picker.resize(60, 24);
        Place(QPoint(100, 100));
    }
    void TearDown() override {
        if (CColourPopup* popup = picker.Popup()) Key(popup, Qt::Key_Escape);
    }

    void Place(QPoint topLeft) {
        picker.move(topLeft);
        picker.show();
    }
    CColourPopup* Open(ColourRef colour) {
        picker.SetColour(colour);
        log.clear();
        picker.click();
        return picker.Popup();
    }
    static void Key(QWidget* w, int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
    }
    static void Mouse(CColourPopup* w, QEvent::Type type, QPoint at, Qt::MouseButton button) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
        QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    static void Hover(CColourPopup* w, int cell) {
        Mouse(w, QEvent::MouseMove, w->CellRect(cell).center(), Qt::NoButton);
    }
    static void ReleaseOn(CColourPopup* w, int cell) {
        Mouse(w, QEvent::MouseButtonRelease, w->CellRect(cell).center(), Qt::LeftButton);
    }
    QRect ButtonOnScreen() const { return QRect(picker.mapToGlobal(QPoint(0, 0)), picker.size()); }
};

TEST_F(ColourPickerTest, InitialCellFollowsTheColour) {
    const auto initialCell = [this](ColourRef colour) {
        CColourPopup* popup = Open(colour);
        EXPECT_NE(popup, nullptr);
        const int cell = popup ? popup->ChosenCell() : 99;
        if (popup) Key(popup, Qt::Key_Escape);
        return cell;
    };
    EXPECT_EQ(initialCell(kColourTable[12].colour), 12);
    EXPECT_EQ(initialCell(kAutomaticColour), kDefaultBox);
    EXPECT_EQ(initialCell(MakeRGB(1, 2, 3)), kCustomBox);
    // Without the "Automatic" box its colour is just another colour.
    picker.SetDefaultText(QString());
    EXPECT_EQ(initialCell(kAutomaticColour), kCustomBox);
    picker.SetCustomText(QString());
    EXPECT_EQ(initialCell(MakeRGB(1, 2, 3)), kNoCell);
}

TEST_F(ColourPickerTest, ArrowKeysWalkAndReportEachCell) {
    CColourPopup* popup = Open(kColourTable[0].colour);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->CurrentCell(), 0);
    for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Left, Qt::Key_Left})
        Key(popup, key);
    EXPECT_EQ(popup->CurrentCell(), 39);
    // The "More Colours..." box reports the initial colour, "Automatic" 0x010101.
    EXPECT_EQ(log, (Log{"dropdown 000000", "changed " + Hex(kColourTable[8].colour),
                        "changed 000000", "changed 010101", "changed 000000", "changed ffffff"}));
}

TEST_F(ColourPickerTest, WithoutTextBoxesTheKeysWrapAroundTheCells) {
    picker.SetDefaultText(QString());
    picker.SetCustomText(QString());
    CColourPopup* popup = Open(kColourTable[0].colour);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->CellRect(kDefaultBox).isEmpty());
    EXPECT_TRUE(popup->CellRect(kCustomBox).isEmpty());
    Key(popup, Qt::Key_Up);
    EXPECT_EQ(popup->CurrentCell(), 39);
    Key(popup, Qt::Key_Right);
    EXPECT_EQ(popup->CurrentCell(), 0);
}

TEST_F(ColourPickerTest, EnterChoosesTheCurrentCell) {
    CColourPopup* popup = Open(kColourTable[16].colour);
    ASSERT_NE(popup, nullptr);
    for (int key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up})
        Key(popup, key);
    ASSERT_EQ(popup->CurrentCell(), kDefaultBox);
    log.clear();
    Key(popup, Qt::Key_Return);
    EXPECT_EQ(picker.Popup(), nullptr);
    EXPECT_EQ(picker.GetColour(), kAutomaticColour);
    EXPECT_EQ(log, (Log{"closeup 010101", "ok 010101", "changed 010101"}));
}

TEST_F(ColourPickerTest, EscapeRestoresTheColourAndCancels) {
    const ColourRef red = kColourTable[16].colour, lightOrange = kColourTable[17].colour;
    picker.SetTrackSelection(true);
    CColourPopup* popup = Open(red);
    ASSERT_NE(popup, nullptr);
    Key(popup, Qt::Key_Right);
    EXPECT_EQ(picker.GetColour(), lightOrange); // previewed on the button
    Key(popup, Qt::Key_Escape);
    EXPECT_EQ(picker.Popup(), nullptr);
    EXPECT_EQ(picker.GetColour(), red);
    EXPECT_EQ(log, (Log{"dropdown " + Hex(red), "changed " + Hex(lightOrange),
                        "closeup " + Hex(red), "cancel " + Hex(red)}));
}

TEST_F(ColourPickerTest, ChoosingTheSameColourIsNoChange) {
    const ColourRef blue = kColourTable[13].colour;
    CColourPopup* popup = Open(blue);
    ASSERT_NE(popup, nullptr);
    Hover(popup, 13);
    ReleaseOn(popup, 13);
    EXPECT_EQ(picker.GetColour(), blue);
    EXPECT_EQ(log, (Log{"dropdown " + Hex(blue), "closeup " + Hex(blue), "ok " + Hex(blue)}));
}

TEST_F(ColourPickerTest, ChoosingAnotherColourReportsTheChange) {
    const ColourRef blue = kColourTable[13].colour, gold = kColourTable[25].colour;
    CColourPopup* popup = Open(blue);
    ASSERT_NE(popup, nullptr);
    Hover(popup, 25);
    EXPECT_EQ(picker.GetColour(), blue); // no preview unless asked for
    ReleaseOn(popup, 25);
    EXPECT_EQ(picker.Popup(), nullptr);
    EXPECT_EQ(picker.GetColour(), gold);
    EXPECT_EQ(log, (Log{"dropdown " + Hex(blue), "changed " + Hex(gold), "closeup " + Hex(gold),
                        "ok " + Hex(gold), "changed " + Hex(gold)}));
}

TEST_F(ColourPickerTest, PressOutsideOrLosingThePopupCancels) {
    const ColourRef teal = kColourTable[12].colour;
    CColourPopup* popup = Open(teal);
    ASSERT_NE(popup, nullptr);
    Hover(popup, 3);
    log.clear();
    Mouse(popup, QEvent::MouseButtonPress, QPoint(-20, -20), Qt::LeftButton);
    EXPECT_EQ(picker.Popup(), nullptr);
    EXPECT_EQ(picker.GetColour(), teal);
    EXPECT_EQ(log, (Log{"closeup " + Hex(teal), "cancel " + Hex(teal)}));

    popup = Open(teal);
    ASSERT_NE(popup, nullptr);
    log.clear();
    popup->close(); // as when the application is deactivated
    EXPECT_EQ(picker.Popup(), nullptr);
    EXPECT_EQ(log, (Log{"closeup " + Hex(teal), "cancel " + Hex(teal)}));
}

// Ends the colour dialog once it is up.
void AnswerColourDialog(std::function<void(QColorDialog*)> answer, int triesLeft = 500) {
    QTimer::singleShot(10, [answer, triesLeft] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QColorDialog*>(w); dialog && dialog->isVisible())
                return answer(dialog);
        if (triesLeft > 0) AnswerColourDialog(answer, triesLeft - 1);
    });
}

TEST_F(ColourPickerTest, MoreColoursOpensTheColourDialog) {
    // A colour outside the table starts on the "More Colours..." box.
    CColourPopup* popup = Open(MakeRGB(10, 120, 200));
    ASSERT_NE(popup, nullptr);
    QColor offered;
    AnswerColourDialog([&offered](QColorDialog* d) {
        offered = d->currentColor();
        d->setCurrentColor(QColor(10, 20, 30));
        d->accept();
    });
    log.clear();
    Key(popup, Qt::Key_Return);
    EXPECT_EQ(offered, QColor(10, 120, 200));
    EXPECT_EQ(log, (Log{"closeup 1e140a", "ok 1e140a", "changed 1e140a"}));

    // Dismissing the dialog turns the choice into a cancel.
    const ColourRef teal = kColourTable[12].colour;
    popup = Open(teal);
    ASSERT_NE(popup, nullptr);
    Hover(popup, kCustomBox);
    log.clear();
    AnswerColourDialog([](QColorDialog* d) { d->reject(); });
    ReleaseOn(popup, kCustomBox);
    EXPECT_EQ(picker.GetColour(), teal);
    EXPECT_EQ(log, (Log{"closeup " + Hex(teal), "cancel " + Hex(teal)}));
}

TEST_F(ColourPickerTest, PopupStaysOnTheScreen) {
    const QRect desk = picker.screen()->availableVirtualGeometry();
    Place(desk.topLeft() + QPoint(50, 50));
    CColourPopup* popup = Open(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->geometry().topLeft(), ButtonOnScreen().bottomLeft() + QPoint(0, 1));
    Key(popup, Qt::Key_Escape);

    // Near the bottom it opens above the button.
    Place(QPoint(desk.left() + 50, desk.bottom() - 40));
    popup = Open(0);
    ASSERT_NE(popup, nullptr);
    ASSERT_GT(ButtonOnScreen().bottom() + popup->height(), desk.bottom());
    EXPECT_EQ(popup->geometry().bottom(), ButtonOnScreen().top() - 1);
    EXPECT_EQ(popup->geometry().left(), ButtonOnScreen().left());
    Key(popup, Qt::Key_Escape);

    Place(QPoint(desk.right() - 30, desk.top() + 50));
    popup = Open(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->geometry().right(), desk.right());
}

TEST_F(ColourPickerTest, DisabledButtonShowsNoColour) {
    const auto showsMagenta = [this] {
        const QImage image = picker.grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) return true;
        return false;
    };
    picker.SetColour(MakeRGB(255, 0, 255));
    EXPECT_TRUE(showsMagenta());
    picker.setEnabled(false);
    EXPECT_FALSE(showsMagenta());
}

} // namespace
