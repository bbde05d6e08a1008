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
};

// The tab becomes the gap between two columns; Windows-1252 bytes (0xB5 micro, 0xE4
// a-umlaut) next to a UTF-8 entry are read as such.
TEST_F(ImportLasDlgTest, ListsTheEntriesInOrderNoneTicked) {
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(dialog.IsTicked(i)) << i;
    EXPECT_EQ(dialog.List()->topLevelItem(1)->text(0), "GR (GAPI)");
    EXPECT_EQ(dialog.List()->topLevelItem(1)->text(1), "Gamma ray");
    CImportLasDlg eightBit({" DT (\xB5s/ft) \t Schall\xE4nderung", " TEMP (\xC2\xB0" "C)"});
    const QTreeWidgetItem* dt = eightBit.List()->topLevelItem(0);
    EXPECT_EQ(dt->text(0), QString::fromUtf8("DT (\xC2\xB5s/ft)"));
    EXPECT_EQ(dt->text(1), QString::fromUtf8("Schall\xC3\xA4nderung"));
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
