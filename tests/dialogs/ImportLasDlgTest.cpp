#include "dialogs/ImportLasDlg.h"
#include "support/QtHelpers.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

struct ImportLasDlgTest : MessageBoxTest {
    const std::vector<std::string> entries{
        " DEPT (M) \t Depth",
        " GR (GAPI) \t Gamma ray",
        " RHOB (G/C3)",
        " NPHI (V/V) \t Neutron porosity",
    };
    CImportLasDlg dialog{entries};

    std::vector<bool> Ticks() const {
        std::vector<bool> ticks;
        for (int i = 0; i < dialog.List()->topLevelItemCount(); ++i)
            ticks.push_back(dialog.IsTicked(i));
        return ticks;
    }
};

TEST_F(ImportLasDlgTest, ListsTheEntriesInOrderNoneTicked) {
    QTreeWidget* list = dialog.List();
    EXPECT_EQ(Ticks(), std::vector<bool>(4, false));
    // The tab becomes the gap between two columns.
    EXPECT_EQ(list->topLevelItem(1)->text(0), "GR (GAPI)");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "Gamma ray");
    // Windows-1252 bytes (0xB5 micro, 0xE4 a-umlaut) next to a UTF-8 entry.
    CImportLasDlg eightBit({" DT (\xB5s/ft) \t Schall\xE4nderung", " TEMP (\xC2\xB0" "C)"});
    list = eightBit.List();
    EXPECT_EQ(list->topLevelItem(0)->text(0), QString::fromUtf8("DT (\xC2\xB5s/ft)"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QString::fromUtf8("Schall\xC3\xA4nderung"));
}

TEST_F(ImportLasDlgTest, ToggleGoesByItsCaptionAndADoubleClickTogglesOne) {
    QPushButton* toggle = dialog.ToggleButton();
    toggle->click();
    EXPECT_EQ(Ticks(), std::vector<bool>(4, true));
    EXPECT_EQ(toggle->text(), "Uncheck all");

    // Ticking by hand leaves the caption alone, and it still says what happens.
    dialog.SetTicked(0, false);
    toggle->click();
    EXPECT_EQ(Ticks(), std::vector<bool>(4, false));
    EXPECT_EQ(toggle->text(), "Check all");
    ShowActive(dialog);
    const auto doubleClick = [this](int row) {
        DoubleClick(dialog.List(), dialog.List()->model()->index(row, 0));
    };
    doubleClick(1);
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, false, false}));
}

TEST_F(ImportLasDlgTest, OkIsRefusedWhileNothingIsTicked) {
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(messages.size(), 1);
    dialog.SetTicked(0, true);
    dialog.SetTicked(3, true);
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(dialog.Checked(), (std::vector<int>{1, 0, 0, 1}));
}

} // namespace
