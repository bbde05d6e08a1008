// The document's dialogs: "Well options" and the two "Confirm input" dialogs.
#include "dialogs/ConfirmInputDlg.h"
#include "dialogs/WellOptionsDlg.h"

#include "dialogs/DialogTestHelpers.h"

#include <QRadioButton>

namespace {

using DocumentDialogsTest = MessageBoxTest;

TEST_F(DocumentDialogsTest, WellOptionsKeepAUnitWithoutARadioAndAnEightBitName) {
    // A unit neither radio stands for stays until one is picked; a Windows-1252 name
    // left alone keeps its bytes.
    CWellOptionsDlg dialog({"Caf\xE9", -1, 0});
    EXPECT_EQ(Find<QLineEdit>(dialog, "wellName")->text(), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_FALSE(Find<QRadioButton>(dialog, "depthUnit0")->isChecked());
    EXPECT_EQ(dialog.Options().depthUnit, -1);
    EXPECT_EQ(dialog.Options().wellName, "Caf\xE9");
}

// The number rules are the property pages' (PropertyPagesTest); here, the dialogs'
// use of them: exact display, the first bad field refused, nothing taken from it.
TEST_F(DocumentDialogsTest, ConfirmDialogsShowExactNumbersAndRefuseTheFirstBadField) {
    CConfirmInputDlg dialog(1523.4567f, -0.1f);
    // Shown exactly, so a point confirmed unchanged is not rounded.
    EXPECT_EQ(Find<QLineEdit>(dialog, "depth")->text(), "1523.4567");
    ShowActive(dialog);
    Fill(dialog, {{"depth", "1500"}, {"value", "deep"}});
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(dialog, "value"));
    EXPECT_EQ(dialog.Depth(), 1523.4567f); // nothing is taken from a refused dialog
    Fill(dialog, {{"value", " 42.5 "}});
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Depth(), 1500.0f);
    EXPECT_EQ(dialog.Value(), 42.5f);

    // Of two bad fields the first in the dialog's order is refused, its text selected.
    CConfirmRangeInpudDlg range(100.0f, 120.0f, 3.0f);
    ShowActive(range);
    Fill(range, {{"top", "101"}, {"base", "x"}, {"value", "nan"}});
    range.accept();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(range, "base"));
    EXPECT_EQ(Find<QLineEdit>(range, "base")->selectedText(), "x");
    EXPECT_EQ(range.Top(), 100.0f);
}

} // namespace
