#include "dialogs/PropertyPages.h"
#include "dialogs/ColourPicker.h"
#include "dialogs/SelectLogDlg.h"
#include "axes/Axis.h"
#include "axes/TrackVAxis.h"
#include "tracks/AxisTrack.h"
#include "tracks/LogTrack.h"

#include "support/QtHelpers.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

using PropertyPagesTest = MessageBoxTest;

// The axis rules themselves are the core's (AxisPageTest); here, what the page adds.
TEST_F(PropertyPagesTest, AxisPageReadsNumbersAndLocksUnitsForLog) {
    CAxis axis;
    axis.Init(kAxisLinearH, 0, 150, 50, "GR");
    {
        CAxisPropPage page(axis);
        EXPECT_FALSE(page.Check().has_value());
        Fill(page, {{"maximum", "abc"}});
        const auto fault = page.Check();
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->message, "Please enter a number.");
        EXPECT_EQ(fault->focus, Find<QLineEdit>(page, "maximum"));
    }
    axis.Init(kAxisLogH, 1, 1000, 50, "GR");
    CAxisPropPage page(axis);
    auto* major = Find<QLineEdit>(page, "majorUnit");
    EXPECT_FALSE(major->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(page, "minorUnit")->isEnabled());
    Find<QCheckBox>(page, "logarithmic")->click();
    EXPECT_TRUE(major->isEnabled());
}

TEST_F(PropertyPagesTest, NumbersAreReadOnlyWhenTheyFitAFloat) {
    EXPECT_EQ(ParsePageNumber(" 2.5 "), 2.5f);
    EXPECT_EQ(ParsePageNumber("-1e3"), -1000.0f);
    for (const char* bad : {"", "abc", "1.5x", "nan", "inf", "1e40"})
        EXPECT_FALSE(ParsePageNumber(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(FormatPageNumber(0.2f), "0.2");
    EXPECT_EQ(FormatPageNumber(1234567.0), "1.23457e+06");
}

struct LogSheetTest : PropertyPagesTest {
    CLogTrack track;

    void SetUp() override {
        PropertyPagesTest::SetUp();
        track.hAxis.Init(kAxisLinearH, 0, 150, 50, "GR");
        track.hAxis.minorGrids = 1;
    }
};

TEST_F(LogSheetTest, OkStoresEveryPage) {
    // A document may hold widths the radios do not offer: OK keeps them.
    track.linewidth = 5;
    track.hAxis.majorWidth = 3;
    {
        CTrackPropSheet sheet(track);
        ASSERT_EQ(sheet.PageCount(), 3);
        sheet.accept();
    }
    EXPECT_EQ(track.linewidth, 5);
    EXPECT_EQ(track.hAxis.majorWidth, 3);

    CTrackPropSheet sheet(track);
    Fill(sheet, {{"width", "2.25"}, {"kb", "-12.5"}, {"lineWidth2", "1"}, {"lineStyle1", "1"},
                 {"colourFill", "1"}, {"fillSide1", "1"}});
    Find<CColourPicker>(sheet, "lineColour")->SetColour(MakeRGB(255, 0, 0));
    Find<CColourPicker>(sheet, "fillColour")->SetColour(MakeRGB(0, 128, 0));
    Fill(sheet, {{"label", "Resistivity"}, {"minimum", "0.2"}, {"maximum", "2000"},
                 {"logarithmic", "1"}, {"reverse", "1"}});
    Fill(sheet, {{"majorDraw", "1"}, {"majorStyle1", "1"}, {"majorWidth1", "1"},
                 {"minorDraw", "0"}, {"minorStyle0", "1"}});
    Find<CColourPicker>(sheet, "majorColour")->SetColour(MakeRGB(1, 2, 3));
    sheet.accept();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

    EXPECT_FLOAT_EQ(track.width, 2.25f);
    EXPECT_FLOAT_EQ(track.KB, -12.5f);
    EXPECT_EQ(track.linewidth, 2);
    EXPECT_EQ(track.linecolor, MakeRGB(255, 0, 0));
    EXPECT_EQ(track.fillSide, 1);
    EXPECT_EQ(track.hAxis.title, "Resistivity");
    EXPECT_FLOAT_EQ(track.hAxis.max, 2000.0f);
    EXPECT_EQ(track.hAxis.axisType, kAxisLogH); // a header axis stays horizontal
    EXPECT_EQ(track.hAxis.reverse, 1);

    EXPECT_EQ(track.hAxis.majorStyle, 2); // "Dashed" is the dotted pen
    EXPECT_EQ(track.hAxis.majorColour, MakeRGB(1, 2, 3));
    EXPECT_EQ(track.hAxis.minorGrids, 0);
}

TEST_F(LogSheetTest, TrackWidthMustLieBetweenItsLimits) {
    ExpectWidthLimits(track, "12", "12.01");
}

// The description is cut at 225 characters; two-byte ones count once.
TEST_F(LogSheetTest, DescriptionIsCutAt225Characters) {
    for (int i = 0; i < 300; ++i) track.description += "\xC3\xA9";
    const QString shown = Find<QLabel>(CTrackPropSheet(track), "description")->text();
    EXPECT_EQ(shown, QString(225, QChar(0xE9)));
}

TEST_F(LogSheetTest, AnInvalidPageHoldsTheFocusAndNothingIsStored) {
    CTrackPropSheet sheet(track);
    ShowActive(sheet);
    sheet.Tabs()->setCurrentIndex(1);
    Fill(sheet, {{"majorUnit", "0"}});
    sheet.Tabs()->setCurrentIndex(2);
    EXPECT_EQ(sheet.Tabs()->currentIndex(), 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Number should be greater than 0");
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(sheet, "majorUnit"));

    // Once mended, the page may be left.
    Fill(sheet, {{"majorUnit", "50"}});
    sheet.Tabs()->setCurrentIndex(2);
    EXPECT_EQ(sheet.Tabs()->currentIndex(), 2);
    EXPECT_EQ(messages.size(), 1);

    // OK shows the refusing page, whichever is on show.
    Fill(sheet, {{"width", "4"}, {"minimum", "200"}}); // the minimum above the maximum of 150
    sheet.accept();
    EXPECT_EQ(sheet.Tabs()->currentIndex(), 1);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], "Max should be greater than Min");
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(sheet, "minimum"));
    EXPECT_FLOAT_EQ(track.width, 1.5f); // nothing is stored from any page while one refuses
}

TEST_F(PropertyPagesTest, DepthAxisSheetEditsTheBoundAxisAsVertical) {
    CTrackVAxis depth;
    depth.Init(kAxisLinearV, 1000, 1200, 50, "Depth (m)");
    CAxisTrack track;
    EXPECT_EQ(CTrackPropSheet(track).PageCount(), 0); // no depth axis to edit

    track.depthAxis = &depth;
    {
        CTrackPropSheet sheet(track);
        ASSERT_EQ(sheet.PageCount(), 2);
        Fill(sheet, {{"logarithmic", "1"}, {"minorDraw", "1"}, {"minorStyle1", "1"}});
        sheet.accept();
        ASSERT_EQ(sheet.result(), QDialog::Accepted);
    }
    EXPECT_EQ(depth.axisType, kAxisLogV);
    EXPECT_EQ(depth.minorStyle, 2);
    // The track's own header axis is not what the sheet edits.
    EXPECT_EQ(track.hAxis.minorGrids, CAxis().minorGrids);

    // Whatever type the axis came with, the depth ruler stays vertical.
    depth.axisType = kAxisLinearH;
    CTrackPropSheet sheet(track);
    Fill(sheet, {{"logarithmic", "1"}});
    sheet.accept();
    EXPECT_EQ(depth.axisType, kAxisLogV);
}

TEST_F(PropertyPagesTest, SelectLogGivesTheChosenPosition) {
    SelectLogDlg dialog({"DEPT (M)", "GR (GAPI)", "RHOB (G/C3)"});
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled()); // nothing chosen yet
    dialog.List()->setCurrentRow(2);
    EXPECT_EQ(dialog.Selection(), 2);
    EXPECT_TRUE(ok->isEnabled());
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
