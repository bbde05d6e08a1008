// The document's dialogs: "Well options", "Input method", the two "Confirm input"
// dialogs and "Select new track type", alone and as the window's platform asks them.
#include "app/QtPlatform.h"
#include "dialogs/ConfirmInputDlg.h"
#include "dialogs/InputOptionsDlg.h"
#include "dialogs/NewTrackTypeDlg.h"
#include "dialogs/WellOptionsDlg.h"

#include "dialogs/DialogTestHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <string>

namespace {

using DocumentDialogsTest = MessageBoxTest;

TEST_F(DocumentDialogsTest, WellOptionsShowTheValuesAndGiveBackTheShownOnes) {
    {
        CWellOptionsDlg dialog({"North 7", 1, 1});
        EXPECT_EQ(dialog.windowTitle(), "Well options");
        EXPECT_EQ(Find<QLineEdit>(dialog, "wellName")->text(), "North 7");
        EXPECT_EQ(Find<QRadioButton>(dialog, "depthUnit0")->text(), "Meters");
        EXPECT_TRUE(Find<QRadioButton>(dialog, "depthUnit1")->isChecked());
        EXPECT_EQ(Find<QCheckBox>(dialog, "dualAxis")->text(), "Dual depth axis");
        EXPECT_TRUE(Find<QCheckBox>(dialog, "dualAxis")->isChecked());
        Fill(dialog, {{"wellName", "South 2"}, {"depthUnit0", "1"}, {"dualAxis", "0"}});
        const CWellOptions shown = dialog.Options();
        EXPECT_EQ(shown.wellName, "South 2");
        EXPECT_EQ(shown.depthUnit, 0);
        EXPECT_EQ(shown.dualAxis, 0);
    }
    // A unit neither radio stands for stays until one is picked; a Windows-1252 name
    // left alone keeps its bytes.
    CWellOptionsDlg dialog({"Caf\xE9", -1, 0});
    EXPECT_EQ(Find<QLineEdit>(dialog, "wellName")->text(), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_FALSE(Find<QRadioButton>(dialog, "depthUnit0")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(dialog, "depthUnit1")->isChecked());
    EXPECT_EQ(dialog.Options().depthUnit, -1);
    EXPECT_EQ(dialog.Options().wellName, "Caf\xE9");
    Fill(dialog, {{"depthUnit1", "1"}, {"dualAxis", "1"}});
    EXPECT_EQ(dialog.Options().depthUnit, 1);
    EXPECT_EQ(dialog.Options().dualAxis, 1);
}

TEST_F(DocumentDialogsTest, InputMethodExplainsAndGivesBackMethodAndConfirmation) {
    CInputOptionsDlg dialog(1, 0);
    EXPECT_EQ(dialog.windowTitle(), "Input method");
    EXPECT_EQ(Find<QLabel>(dialog, "explanation")->text(),
              "Input method for the data track when using the pencil tool. The simple method "
              "adds value at clicked point. The second method takes values from another log. "
              "You need to draw a range for this to work.");
    EXPECT_EQ(Find<QRadioButton>(dialog, "inputMethod0")->text(),
              "Simple, just add point where clicked.");
    EXPECT_EQ(Find<QRadioButton>(dialog, "inputMethod1")->text(),
              "Average range from next log or overlay");
    EXPECT_TRUE(Find<QRadioButton>(dialog, "inputMethod1")->isChecked());
    EXPECT_EQ(Find<QCheckBox>(dialog, "confirmInput")->text(),
              "Confirm input (enable user modification)");
    EXPECT_EQ(dialog.ConfirmInput(), 0);
    Fill(dialog, {{"inputMethod0", "1"}, {"confirmInput", "1"}});
    EXPECT_EQ(dialog.InputMethod(), 0);
    EXPECT_EQ(dialog.ConfirmInput(), 1);
}

TEST_F(DocumentDialogsTest, NewTrackTypeStartsOnScatterDataAndOffersThreeKinds) {
    CNewTrackTypeDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Select new track type");
    const char* texts[] = {"Scatter data, or curve", "Stratigraphy", "Lithology column"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Find<QRadioButton>(dialog, ("kind" + std::to_string(i)).c_str())->text(),
                  texts[i]);
    EXPECT_TRUE(Find<QRadioButton>(dialog, "kind0")->isChecked());
    EXPECT_EQ(dialog.Kind(), NewTrackKind::Data);
    Fill(dialog, {{"kind2", "1"}});
    EXPECT_EQ(dialog.Kind(), NewTrackKind::Lith);
    Fill(dialog, {{"kind1", "1"}});
    EXPECT_EQ(dialog.Kind(), NewTrackKind::Strat);
}

TEST_F(DocumentDialogsTest, ConfirmPointShowsExactNumbersAndRefusesWhatIsNoNumber) {
    CConfirmInputDlg dialog(1523.4567f, -0.1f);
    EXPECT_EQ(dialog.windowTitle(), "Confirm input");
    // Shown exactly, so a point confirmed unchanged is not rounded.
    EXPECT_EQ(Find<QLineEdit>(dialog, "depth")->text(), "1523.4567");
    EXPECT_EQ(Find<QLineEdit>(dialog, "value")->text(), "-0.1");
    ShowActive(dialog);
    for (const char* bad : {"nan", "inf", "-inf", "deep", "1e39", ""}) {
        SCOPED_TRACE(bad);
        messages.clear();
        Fill(dialog, {{"depth", "1500"}, {"value", bad}});
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0], "Please enter a number.");
        EXPECT_EQ(icons[0], QMessageBox::Warning);
        EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(dialog, "value"));
        EXPECT_EQ(dialog.Depth(), 1523.4567f); // nothing is taken from a refused dialog
    }
    Fill(dialog, {{"value", " 42.5 "}});
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Depth(), 1500.0f);
    EXPECT_EQ(dialog.Value(), 42.5f);
}

TEST_F(DocumentDialogsTest, ConfirmRangeRefusesTheFirstBadFieldInItsOrder) {
    CConfirmRangeInpudDlg dialog(100.0f, 120.0f, 3.0f);
    EXPECT_EQ(Find<QLineEdit>(dialog, "top")->text(), "100");
    EXPECT_EQ(Find<QLineEdit>(dialog, "base")->text(), "120");
    ShowActive(dialog);
    Fill(dialog, {{"top", "101"}, {"base", "x"}, {"value", "nan"}});
    dialog.accept();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(dialog, "base"));
    EXPECT_EQ(Find<QLineEdit>(dialog, "base")->selectedText(), "x");
    EXPECT_EQ(dialog.Top(), 100.0f);
    Fill(dialog, {{"base", "125"}, {"value", "7"}});
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Top(), 101.0f);
    EXPECT_EQ(dialog.Base(), 125.0f);
    EXPECT_EQ(dialog.Value(), 7.0f);
}

// The window's platform shows each dialog and hands back its values on OK only.
TEST_F(DocumentDialogsTest, PlatformGivesBackValuesOnOkAndKeepsThemOnCancel) {
    CQtPlatform platform(nullptr);

    CWellOptions options{"A", 0, 0};
    WhenShown<CWellOptionsDlg>([](CWellOptionsDlg& d) {
        Fill(d, {{"wellName", "B"}, {"depthUnit1", "1"}, {"dualAxis", "1"}});
        d.reject();
    });
    EXPECT_FALSE(platform.EditWellOptions(options));
    EXPECT_EQ(options.wellName, "A");
    WhenShown<CWellOptionsDlg>([](CWellOptionsDlg& d) {
        Fill(d, {{"wellName", "B"}, {"depthUnit1", "1"}, {"dualAxis", "1"}});
        d.accept();
    });
    EXPECT_TRUE(platform.EditWellOptions(options));
    EXPECT_EQ(options.wellName, "B");
    EXPECT_EQ(options.depthUnit, 1);
    EXPECT_EQ(options.dualAxis, 1);

    int method = 0, confirm = 0;
    WhenShown<CInputOptionsDlg>([](CInputOptionsDlg& d) {
        Fill(d, {{"inputMethod1", "1"}, {"confirmInput", "1"}});
        d.accept();
    });
    EXPECT_TRUE(platform.EditInputMethod(method, confirm));
    EXPECT_EQ(method, 1);
    EXPECT_EQ(confirm, 1);

    WhenShown<CNewTrackTypeDlg>([](CNewTrackTypeDlg& d) { d.reject(); });
    EXPECT_EQ(platform.AskNewTrackKind(), std::nullopt);
    WhenShown<CNewTrackTypeDlg>([](CNewTrackTypeDlg& d) {
        Fill(d, {{"kind1", "1"}});
        d.accept();
    });
    EXPECT_EQ(platform.AskNewTrackKind(), NewTrackKind::Strat);

    float depth = 10, value = 1;
    WhenShown<CConfirmInputDlg>([](CConfirmInputDlg& d) {
        Fill(d, {{"value", "2"}});
        d.reject();
    });
    EXPECT_FALSE(platform.ConfirmPoint(depth, value));
    EXPECT_EQ(value, 1.0f);
    WhenShown<CConfirmInputDlg>([](CConfirmInputDlg& d) {
        Fill(d, {{"value", "2"}});
        d.accept();
    });
    EXPECT_TRUE(platform.ConfirmPoint(depth, value));
    EXPECT_EQ(depth, 10.0f);
    EXPECT_EQ(value, 2.0f);

    float top = 5, base = 6;
    WhenShown<CConfirmRangeInpudDlg>([](CConfirmRangeInpudDlg& d) {
        Fill(d, {{"base", "8"}});
        d.accept();
    });
    EXPECT_TRUE(platform.ConfirmRange(top, base, value));
    EXPECT_EQ(top, 5.0f);
    EXPECT_EQ(base, 8.0f);
}

} // namespace
