#include "dialogs/ImportLasDlg.h"
#include "platform/MessageBox.h"
#include "support/QtHelpers.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

struct Shown {
    QMessageBox::Icon icon;
    QString text;
};

struct ImportLasDlgTest : ::testing::Test {
    std::vector<Shown> shown;
    const std::vector<std::string> entries{
        " DEPT (M) \t Depth",
        " GR (GAPI) \t Gamma ray",
        " RHOB (G/C3)",
        " NPHI (V/V) \t Neutron porosity",
    };

    void SetUp() override {
        SetMessageBoxHandler(
            [this](QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons) {
                shown.push_back({icon, text});
                return QMessageBox::Ok;
            });
    }
    void TearDown() override { SetMessageBoxHandler({}); }

    static std::vector<bool> Ticks(const CImportLasDlg& dialog) {
        std::vector<bool> ticks;
        for (int i = 0; i < dialog.List()->topLevelItemCount(); ++i)
            ticks.push_back(dialog.IsTicked(i));
        return ticks;
    }
    static QPushButton* Button(const CImportLasDlg& dialog,
                               QDialogButtonBox::StandardButton which) {
        auto* box = dialog.findChild<QDialogButtonBox*>();
        return box ? box->button(which) : nullptr;
    }
    static void DoubleClickRow(const CImportLasDlg& dialog, int row) {
        DoubleClick(dialog.List(), dialog.List()->model()->index(row, 0));
    }
};

TEST_F(ImportLasDlgTest, ListsTheEntriesInOrderNoneTicked) {
    CImportLasDlg dialog(entries);
    EXPECT_EQ(dialog.windowTitle(), "Select Logs");
    auto* caption = dialog.findChild<QLabel*>();
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "Check the boxes to add logs in the plot:");
    QTreeWidget* list = dialog.List();
    EXPECT_EQ(Ticks(dialog), std::vector<bool>(4, false));
    // The tab becomes the gap between two columns.
    EXPECT_EQ(list->topLevelItem(1)->text(0), "GR (GAPI)");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "Gamma ray");
    EXPECT_EQ(list->topLevelItem(2)->text(0), "RHOB (G/C3)");
    EXPECT_EQ(dialog.ToggleButton()->text(), "Check all");
}

TEST_F(ImportLasDlgTest, EightBitNamesKeepTheirCharacters) {
    // Windows-1252 bytes (0xB5 micro, 0xE4 a-umlaut) next to a UTF-8 entry.
    CImportLasDlg dialog({" DT (\xB5s/ft) \t Schall\xE4nderung", " TEMP (\xC2\xB0"
                                                                 "C)"});
    QTreeWidget* list = dialog.List();
    EXPECT_EQ(list->topLevelItem(0)->text(0), QString::fromUtf8("DT (\xC2\xB5s/ft)"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QString::fromUtf8("Schall\xC3\xA4nderung"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QString::fromUtf8("TEMP (\xC2\xB0"
                                                                "C)"));
}

TEST_F(ImportLasDlgTest, ToggleGoesByItsCaption) {
    CImportLasDlg dialog(entries);
    QPushButton* toggle = dialog.ToggleButton();
    toggle->click();
    EXPECT_EQ(Ticks(dialog), std::vector<bool>(4, true));
    EXPECT_EQ(toggle->text(), "Uncheck all");

    // Ticking by hand leaves the caption alone, and it still says what happens.
    dialog.SetTicked(0, false);
    toggle->click();
    EXPECT_EQ(Ticks(dialog), std::vector<bool>(4, false));
    EXPECT_EQ(toggle->text(), "Check all");
    dialog.SetTicked(2, true);
    toggle->click();
    EXPECT_EQ(Ticks(dialog), std::vector<bool>(4, true));
}

TEST_F(ImportLasDlgTest, DoubleClickTogglesTheItem) {
    CImportLasDlg dialog(entries);
    dialog.show();
    QApplication::processEvents();
    DoubleClickRow(dialog, 1);
    EXPECT_EQ(Ticks(dialog), (std::vector<bool>{false, true, false, false}));
    DoubleClickRow(dialog, 3);
    DoubleClickRow(dialog, 1);
    EXPECT_EQ(Ticks(dialog), (std::vector<bool>{false, false, false, true}));
}

TEST_F(ImportLasDlgTest, OkIsRefusedWhileNothingIsTicked) {
    CImportLasDlg dialog(entries);
    Button(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "No selection made. You need to check the check boxes");
    EXPECT_EQ(shown[0].icon, QMessageBox::Warning);

    dialog.SetTicked(0, true);
    dialog.SetTicked(3, true);
    Button(dialog, QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(dialog.Checked(), (std::vector<int>{1, 0, 0, 1}));
}

TEST_F(ImportLasDlgTest, ListStretchesWithTheDialog) {
    CImportLasDlg dialog(entries);
    dialog.show();
    QApplication::processEvents();
    QTreeWidget* list = dialog.List();
    QPushButton* cancel = Button(dialog, QDialogButtonBox::Cancel);
    for (QSize size : {QSize(400, 320), QSize(700, 600)}) {
        SCOPED_TRACE(size.width());
        dialog.resize(size);
        QApplication::processEvents();
        const QRect cancelRect(cancel->mapTo(&dialog, QPoint(0, 0)), cancel->size());
        const QRect listRect = list->geometry();
        EXPECT_EQ(listRect.right(), cancelRect.right());
        EXPECT_EQ(cancelRect.top() - listRect.bottom() - 1, 12);
    }
}

} // namespace
