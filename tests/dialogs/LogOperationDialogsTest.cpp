// The filter length and ASCII import dialogs, and the status-bar progress of long
// imports.
#include "app/QtPlatform.h"
#include "dialogs/FilterLengthDlg.h"
#include "dialogs/ImportAsciiDlg.h"

#include "dialogs/DialogTestHelpers.h"

#include <QDialogButtonBox>
#include <QMainWindow>
#include <QPushButton>

namespace {

using LogOperationDialogsTest = MessageBoxTest;

void ClickOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

} // namespace

TEST_F(LogOperationDialogsTest, FilterLengthTakes3To1000) {
    CFilterLengthDlg dialog(9);
    ShowActive(dialog);
    const QString outside = "Please enter an integer between 3 and 1000.";
    for (const char* refused : {"2", "1001", "4.5"}) {
        messages.clear();
        Fill(dialog, {{"length", refused}});
        ClickOk(dialog);
        EXPECT_TRUE(dialog.isVisible()) << refused;
        EXPECT_EQ(messages, QStringList{refused[1] == '.' ? "Please enter an integer." : outside}) << refused;
        EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(dialog, "length"));
    }
    Fill(dialog, {{"length", "1000"}});
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Length(), 1000);
}

TEST_F(LogOperationDialogsTest, SelectDataColumnsNeedsATickAndADepthColumn) {
    CImportAsciiDlg dialog({"DEPTH", "GR", "RHOB"}, CAsciiColumns{{0, 0, 0}, 0, 1});
    ClickOk(dialog);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages, QStringList{"No selection made. You need to check the check boxes"});
    dialog.SetTicked(1, true);
    dialog.SetTicked(2, true);
    for (const char* refused : {"0", "256"}) {
        Fill(dialog, {{"depthColumn", refused}});
        ClickOk(dialog);
        EXPECT_NE(dialog.result(), QDialog::Accepted) << refused;
        EXPECT_EQ(messages.back(), "Please enter an integer between 1 and 255.");
    }
    Fill(dialog, {{"depthColumn", "255"}, {"unit1", "1"}});
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Columns().ticked, (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(dialog.Columns().depthColumn, 255);
}

TEST_F(LogOperationDialogsTest, AFullProgressBarLeavesTheEventsAlone) {
    QMainWindow window;
    CQtPlatform platform(&window);
    platform.BeginProgress("Loading ascii data", 0, 500, 1);
    for (int i = 0; i < 500; ++i)
        platform.StepProgress();
    // Steps past the end must not run the event loop: a posted call stays queued.
    bool ran = false;
    QMetaObject::invokeMethod(&window, [&ran] { ran = true; }, Qt::QueuedConnection);
    for (int i = 0; i < 1000; ++i)
        platform.StepProgress();
    EXPECT_FALSE(ran);
    platform.EndProgress();
    QApplication::processEvents();
    EXPECT_TRUE(ran);
}
