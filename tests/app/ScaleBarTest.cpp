#include "app/ScaleListBar.h"
#include "dialogs/SmartComboBox.h"
#include "support/QtHelpers.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QPushButton>

#include <ostream>

// Readable failures: texts rather than bytes.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// Keys as the keyboard delivers them: to the box, which hands them to its edit.
void Type(QWidget* target, const QString& text) {
    for (const QChar c : text)
        Key(target, c.toUpper().unicode(), QString(c));
}

struct ScaleBarFixture : MessageBoxTest {
    CScaleListBar bar;
    CSmartComboBox* scale = bar.ScaleBox();
    CSmartComboBox* length = bar.LengthBox();
    QStringList scaleCommands, lengthCommands;

    ScaleBarFixture() {
        QObject::connect(&bar, &CScaleListBar::ScaleCommand, [this](auto t) { scaleCommands << t; });
        QObject::connect(&bar, &CScaleListBar::LengthCommand, [this](auto t) { lengthCommands << t; });
    }
};

} // namespace

TEST_F(ScaleBarFixture, TypingCompletesFromTheList) {
    Type(scale, "1");
    EXPECT_EQ(scale->currentText(), "100");
    EXPECT_EQ(scale->lineEdit()->selectedText(), "00");
    Key(scale, Qt::Key_Backspace);
    EXPECT_EQ(scale->currentText(), "1");

    // Typing on replaces the completed part; any case matches.
    scale->lineEdit()->clear();
    Type(scale, "25");
    EXPECT_EQ(scale->currentText(), "250");
    EXPECT_EQ(scale->LastTyped(), "25");

    // Delete does not complete either, though "12 in" begins with what is left.
    length->lineEdit()->setText("12x");
    length->lineEdit()->setCursorPosition(2);
    Key(length, Qt::Key_Delete);
    EXPECT_EQ(length->currentText(), "12");
}

// The last item, "Other", sends nothing: a plain message says to type the number.
TEST_F(ScaleBarFixture, ChoosingSendsTheItemButOtherOnlyTells) {
    scale->setCurrentIndex(2);
    Key(scale, Qt::Key_Down); // the keyboard chooses in a closed box
    scale->setCurrentIndex(5);
    Key(scale, Qt::Key_Down);
    emit length->activated(6);
    EXPECT_EQ(scaleCommands, QStringList{"500"});
    EXPECT_TRUE(lengthCommands.isEmpty());
    EXPECT_EQ(icons, std::vector(2, QMessageBox::NoIcon));
}

TEST_F(ScaleBarFixture, EnterSendsTheEditTextAndStops) {
    // A dialog around the bar would take an Enter that got past it.
    QDialog dialog;
    bar.setParent(&dialog);
    auto* ok = new QPushButton("OK", &dialog);
    ok->setDefault(true);
    int clicks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&clicks] { ++clicks; });
    dialog.show();

    scale->lineEdit()->setText("333 m");
    Key(scale, Qt::Key_Return);
    length->lineEdit()->setText("7.5");
    Key(length->lineEdit(), Qt::Key_Enter);
    EXPECT_EQ(scaleCommands, QStringList{"333 m"});
    EXPECT_EQ(lengthCommands, QStringList{"7.5"});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(scale->count(), 7); // typed values never join the list
    bar.setParent(nullptr);
}

TEST_F(ScaleBarFixture, ShowValuesPicksAnItemAndSparesTheBoxInUse) {
    length->lineEdit()->setText("9.0 in");
    bar.ShowValues("1", "9 IN", "ft");
    EXPECT_EQ(scale->currentText(), "1000");  // searched from the second item: before "100"
    EXPECT_EQ(length->currentText(), "9 in"); // round to the first

    scale->lineEdit()->clear();
    ShowActive(bar);
    scale->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(scale->hasFocus());
    Type(scale, "3");
    bar.ShowValues("444.4", "9.0 in", "m");
    EXPECT_EQ(scale->currentText(), "3");
    EXPECT_EQ(length->currentText(), "9.0 in");

    length->showPopup(); // nor while its list is open
    QApplication::processEvents();
    ASSERT_TRUE(length->view()->isVisible());
    bar.ShowValues("444.4", "8.0 in", "m");
    EXPECT_EQ(length->currentText(), "9.0 in");
    EXPECT_EQ(scale->currentText(), "444.4");
    length->hidePopup();
}
