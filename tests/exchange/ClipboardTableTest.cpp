// Pasting spreadsheet tables as new data tracks, and the routing of Edit > Paste.
#include "exchange/ClipboardTable.h"

#include "doc/TarvikDoc.h"
#include "support/ScriptedPlatform.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"
#include "tracks/StratTrack.h"

#include <gtest/gtest.h>

namespace {

using Points = std::deque<CDataTrack::Point>;

const char* const kNotValid =
    "Data format is not valid spredsheet columns (one header row, depth in column 1)";

struct PasteTableFixture : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform};

    int Paste(const std::string& text) {
        platform.clipboardText = text;
        return OnPasteTable(doc);
    }
    std::vector<const CDataTrack*> DataTracks() const {
        std::vector<const CDataTrack*> out;
        for (const auto& t : doc.tracks)
            if (auto* d = dynamic_cast<const CDataTrack*>(t.get())) out.push_back(d);
        return out;
    }
};

} // namespace

TEST_F(PasteTableFixture, QuotedFeetHeaderSwitchesTheDocumentFirst) {
    // A metre document with a log of samples every metre from 100 m.
    auto log = std::make_unique<CLogTrack>();
    log->startdepth = 100;
    log->depthstep = 1;
    doc.BindToDepthAxis(*log, kMeters);
    doc.tracks.push_back(std::move(log));

    ASSERT_EQ(Paste("\"Depth (ft)\"\t\"GR\"\t\"RT\"\r\n1000\t45\t1.5\r\n1002\t50\t2\r\n"), 1);
    EXPECT_EQ(doc.depthUnit, kFeet);
    // The log was converted by the unit switch before the new tracks came.
    EXPECT_NEAR(static_cast<const CLogTrack&>(*doc.tracks[1]).startdepth, 328.084, 1e-3);

    const auto data = DataTracks();
    ASSERT_EQ(data.size(), 2u);
    EXPECT_EQ(data[0]->Label(), "GR");
    EXPECT_EQ(data[1]->Label(), "RT");
    EXPECT_EQ(data[1]->Points(), (Points{{1.5f, 1000}, {2, 1002}})); // in row order
    EXPECT_EQ(data[1]->depthunit, kFeet);
    EXPECT_EQ(data[1]->depthAxis, &doc.feetAxis);
    // Fitted to the values, not left at 0 to 1.
    EXPECT_LE(data[0]->hAxis.min, 45);
    EXPECT_GE(data[0]->hAxis.max, 50);
    EXPECT_GT(data[0]->hAxis.min, 0);

    // The depth window runs from 0 past the deepest row, and a feet ruler shows it.
    EXPECT_EQ(doc.feetAxis.min, 0);
    EXPECT_GE(doc.feetAxis.max, 1002);
    EXPECT_NE(doc.FirstTrackOfType(kTrackFeetAxis), nullptr);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(PasteTableFixture, RowsAndColumnsThatBringNothing) {
    // A row without a number for its depth adds nothing; an empty column makes no
    // track; a value or depth that is not finite is no value; the last row counts
    // without a final line end.
    ASSERT_EQ(Paste("Depth\tA\tB\tC\r\n10\t1\t\t5\r\n\t2\t\t6\r\nabc\t3\t\t7\r\nnan\t4\t\t8\r\n"
                    "11\tinf\t\t1e50\r\n12\t9\t\t10"),
              1);
    const auto data = DataTracks();
    ASSERT_EQ(data.size(), 2u);
    EXPECT_EQ(data[0]->Label(), "A");
    EXPECT_EQ(data[1]->Label(), "C");
    EXPECT_EQ(data[0]->Points(), (Points{{1, 10}, {9, 12}}));
    EXPECT_EQ(data[1]->Points(), (Points{{5, 10}, {10, 12}}));
    EXPECT_EQ(doc.depthUnit, kMeters);
    EXPECT_NE(doc.FirstTrackOfType(kTrackMeterAxis), nullptr);
}

TEST_F(PasteTableFixture, RefusalsLeaveTheDocumentAsItWas) {
    platform.clipboardText.reset();
    EXPECT_EQ(OnPasteTable(doc), 0);
    EXPECT_EQ(platform.messages.back(), "No data to paste.");
    const std::string twoColumns = "Please copy at least 2 columns, depth in first column.";
    const std::pair<std::string, std::string> refused[] = {
        {"Depth\r\n10\r\n", twoColumns},
        // In text with carriage returns a bare line feed does not end a row: this is a
        // header of three cells and no data.
        {"Depth\tGR\n10\t1\r\n", kNotValid},
        {"Depth\tGR", twoColumns}, // no line end at all
        // A header alone, or a header in feet over rows that bring nothing: the unit is
        // not switched and nothing is modified.
        {"Depth (ft)\tGR\r\n", kNotValid},
        {"Depth (ft)\tGR\r\nx\t1\r\n", kNotValid},
        // A cell of 255 characters is not a spreadsheet's; 254 is.
        {"Depth\tGR\r\n10\t1" + std::string(254, ' ') + "\r\n", kNotValid},
    };
    for (const auto& [text, why] : refused) {
        EXPECT_EQ(Paste(text), 0) << text;
        EXPECT_EQ(platform.messages.back(), why) << text;
    }
    EXPECT_EQ(platform.messages.size(), 7u);
    EXPECT_EQ(doc.depthUnit, kMeters);
    EXPECT_TRUE(doc.tracks.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Paste("Depth\tGR\r\n10\t1" + std::string(253, ' ') + "\r\n"), 1);

    // A header of more columns than there can be tracks is refused before any is made.
    std::string wide = "Depth";
    for (size_t i = 0; i <= kMaxTableColumns; ++i) wide += "\tc";
    doc.tracks.clear();
    EXPECT_EQ(Paste(wide + "\r\n1\t2\r\n"), 0);
    EXPECT_TRUE(doc.tracks.empty());
}

TEST_F(PasteTableFixture, DecimalCommaAndLineFeedText) {
    // Text from this platform's spreadsheets ends its lines with a line feed; with a
    // decimal comma the numbers read as they were written, the names stay as they are.
    platform.decimalSeparator = ",";
    ASSERT_EQ(Paste("Depth\tVp, m/s\n2,5\t1,5\n3\t2,25\n"), 1);
    const auto data = DataTracks();
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0]->Label(), "Vp, m/s");
    EXPECT_EQ(data[0]->Points(), (Points{{1.5f, 2.5f}, {2.25f, 3}}));
}

TEST_F(PasteTableFixture, PasteGoesToTheCurrentTrackOnlyForTwoColumns) {
    CTrack* strat = doc.AddNewTrack(NewTrackKind::Strat);
    doc.selectedTrack = doc.TrackCount() - 1;
    const int before = doc.TrackCount();
    platform.clipboardText = "Sand\t100\r\nShale\t150\r\n";
    OnEditPaste(doc);
    EXPECT_EQ(doc.TrackCount(), before);
    EXPECT_EQ(static_cast<CStratTrack*>(strat)->Tops().size(), 2u);

    platform.clipboardText = "Depth\tGR\tRT\r\n100\t1\t2\r\n";
    OnEditPaste(doc);
    EXPECT_EQ(doc.TrackCount(), before + 2);

    // Without a current track of those kinds, two columns become a new track too.
    doc.selectedTrack = -1;
    strat->selected = 0;
    platform.clipboardText = "Depth\tGR\r\n100\t1\r\n";
    OnEditPaste(doc);
    EXPECT_EQ(doc.TrackCount(), before + 3);
}
