// Importing delimited text: the cells, the rows that place points, the dialog's
// choices, the depth unit of the tracks, and the command line.
#include "exchange/AsciiImport.h"
#include "doc/TarvikDoc.h"
#include "exchange/OpenFile.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "tracks/DataTrack.h"

#include <gtest/gtest.h>

namespace {

using Points = std::deque<CDataTrack::Point>;

struct AsciiFixture : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform};
    CTempDir temp;

    std::string Write(const std::string& name, const std::string& text) {
        const auto path = temp.path / name;
        WriteFileText(path, text);
        return path.string();
    }
    void Answer(std::vector<int> ticked, int unit = 0, int depthColumn = 1) {
        platform.asciiAnswers.push_back(CAsciiColumns{std::move(ticked), unit, depthColumn});
    }
    CDataTrack& Data(int i) { return dynamic_cast<CDataTrack&>(*doc.tracks[static_cast<size_t>(i)]); }
    std::vector<int> Types() const {
        std::vector<int> v;
        for (const auto& t : doc.tracks) v.push_back(t->type);
        return v;
    }
};

} // namespace

TEST_F(AsciiFixture, CellsRowsAndPoints) {
    const std::string longNote(3000, 'a');
    const std::string path = Write("wells.txt",
                                   "DEPTH\tGR\tRHOB\tNOTE\tX\r\n"
                                   "1000\t50\t2.5\r\n"
                                   "1001\t\t2.6\r\n"         // two tabs in a row
                                   "1002\t52\t\r\n"          // a trailing tab
                                   "  1003\t   53\t 2.7\r\n" // leading blanks
                                   "1004\r\n"                // a short row
                                   "\t54\t2.8\r\n"           // no depth: skipped
                                   "abc\t55\t2.9\r\n"        // not a depth: skipped
                                   "1005\tn/a\t3.0\r\n"      // no number: no point
                                   "1006\t56\t3.1\t" +
                                       longNote +
                                       "\t7\r\n"
                                       "1007\t57\t3.2"); // no line end
    Answer({0, 1, 1, 0, 1});
    ASSERT_EQ(ImportAscii(doc, path), 1);
    EXPECT_EQ(platform.asciiNames, (std::vector<std::string>{"DEPTH", "GR", "RHOB", "NOTE", "X"}));

    // An empty document gets its meter ruler first.
    ASSERT_EQ(Types(), (std::vector<int>{kTrackMeterAxis, kTrackData, kTrackData, kTrackData}));
    EXPECT_EQ(Data(1).Label(), "GR");
    EXPECT_EQ(Data(1).Points(), (Points{{50, 1000}, {52, 1002}, {53, 1003}, {56, 1006}, {57, 1007}}));
    EXPECT_EQ(Data(2).Points(),
              (Points{{2.5f, 1000}, {2.6f, 1001}, {2.7f, 1003}, {3, 1005}, {3.1f, 1006}, {3.2f, 1007}}));
    EXPECT_EQ(Data(3).Points(), (Points{{7, 1006}}));
    // The depth window fits the rows, with 10 intervals.
    EXPECT_EQ(doc.meterAxis.min, 1000);
    EXPECT_EQ(doc.meterAxis.max, 1007);
    EXPECT_FALSE(platform.progressOpen);

    // Into a document with tracks the window stays; the depth may be any column.
    Answer({1, 0, 0, 0, 0}, kMeters, 2);
    ASSERT_EQ(ImportAscii(doc, path), 1);
    EXPECT_EQ(Data(4).Points(), (Points{{1000, 50}, {1002, 52}, {1003, 53}, {1006, 56}, {1007, 57}}));
    EXPECT_EQ(doc.meterAxis.min, 1000);
    EXPECT_EQ(doc.meterAxis.max, 1007);

    // Commas when the first line has no tab; the depth column ticked gives values
    // equal to the depths; a UTF-16 file with its mark.
    Answer({1, 1});
    ASSERT_EQ(ImportAscii(doc, Write("c.csv", "DEPTH,GR\n5,6\n")), 1);
    EXPECT_EQ(Data(5).Points(), (Points{{5, 5}}));
    EXPECT_EQ(Data(6).Points(), (Points{{6, 5}}));
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("D\tV\r\n7\t8\r\n")) utf16 += std::string{c, '\0'};
    Answer({0, 1});
    ASSERT_EQ(ImportAscii(doc, Write("u.txt", utf16)), 1);
    EXPECT_EQ(platform.asciiNames, (std::vector<std::string>{"D", "V"}));
    EXPECT_EQ(Data(7).Points(), (Points{{8, 7}}));
}

// A track keeps its own unit through save and reload (DocumentFileTest).
TEST_F(AsciiFixture, FeetTracksKeepTheirUnitUntilTheDocumentSwitches) {
    Answer({0, 1}, kFeet);
    ASSERT_EQ(ImportAscii(doc, Write("ft.txt", "MD\tT\n100\t5\n200\t6\n")), 1);
    EXPECT_EQ(doc.depthUnit, kMeters);
    ASSERT_EQ(Types(), (std::vector<int>{kTrackMeterAxis, kTrackData}));
    EXPECT_EQ(Data(1).depthunit, kFeet);
    EXPECT_EQ(Data(1).depthAxis, &doc.feetAxis);
    EXPECT_EQ(Data(1).Points(), (Points{{5, 100}, {6, 200}})); // not converted
    EXPECT_FLOAT_EQ(doc.meterAxis.max, 60.96f); // the ruler shows the same depths

    CDataTrack& t = Data(1);
    doc.OnDepthFeet();
    doc.OnDepthMeters();
    EXPECT_FLOAT_EQ(t.Points()[1].depth, 60.96f);
    EXPECT_EQ(t.depthAxis, &doc.meterAxis);
}

TEST_F(AsciiFixture, RefusalsChangeNothing) {
    EXPECT_EQ(ImportAscii(doc, Write("empty.txt", "")), 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "Unable to import " + (temp.path / "empty.txt").string() + "\nthe file is empty");
    EXPECT_EQ(ImportAscii(doc, Write("bin.txt", std::string("A\0B\n", 4))), 0);
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(doc.tracks.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(AsciiFixture, OpenedByExtensionAndFromTheCommandLine) {
    const std::string text = "DEPTH\tGR\tRHOB\n1000\t50\t2.5\n1000.5\t51\t2.4\n";
    const std::string in = Write("logs.DAT", text);
    Answer({0, 1, 0});
    ASSERT_TRUE(OpenPath(doc, in));
    EXPECT_EQ(doc.PathName(), (temp.path / "logs.tvk").string()); // never over the text
    EXPECT_EQ(Data(1).Label(), "GR");

    // Without a window: every column against column 1, in meters.
    const std::string out = (temp.path / "out.tvk").string();
    std::string err;
    ASSERT_EQ(RunTarvik(TARVIK_BINARY, "--save-as " + out + " " + Write("in.tsv", text), err), 0) << err;
    CTarvikDoc saved(platform);
    ASSERT_TRUE(saved.OnOpenDocument(out));
    ASSERT_EQ(saved.TrackCount(), 4);
    auto& rhob = dynamic_cast<CDataTrack&>(*saved.tracks[3]);
    EXPECT_EQ(rhob.Points(), (Points{{2.5f, 1000}, {2.4f, 1000.5f}}));
}
