#include "dialogs/PropertyPages.h"
#include "axes/TrackVAxis.h"
#include "tracks/AxisTrack.h"
#include "tracks/LogTrack.h"

#include "support/QtHelpers.h"

namespace {

using PropertyPagesTest = MessageBoxTest;

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

// A document may hold widths the radios do not offer: OK keeps them. What the radios
// and the log box give is mapped: "Dashed" is the dotted pen, a header axis stays
// horizontal.
TEST_F(LogSheetTest, OkKeepsOddWidthsAndMapsStylesAndScale) {
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
    Fill(sheet, {{"minimum", "0.2"}, {"maximum", "2000"}, {"logarithmic", "1"}, {"majorDraw", "1"},
                 {"majorStyle1", "1"}, {"minorDraw", "0"}});
    sheet.accept();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(track.hAxis.axisType, kAxisLogH);
    EXPECT_EQ(track.hAxis.majorStyle, 2);
    EXPECT_EQ(track.hAxis.minorGrids, 0);
}

TEST_F(LogSheetTest, TrackWidthMustLieBetweenItsLimits) {
    ExpectWidthLimits(track, "12", "12.01");
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

} // namespace
