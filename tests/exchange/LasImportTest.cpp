#include "doc/TarvikDoc.h"
#include "exchange/LasFile.h"
#include "exchange/LasHeader.h"
#include "exchange/LasImport.h"
#include "exchange/LasReference.h"
#include "exchange/OpenFile.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <random>

namespace {

// A small LAS 2.0 file: the well section lines, the curves, the data.
std::string Las(const std::string& well, const std::string& curves, const std::string& data,
                const std::string& version = " VERS. 2.0 : CWLS\n WRAP. NO :\n") {
    return "~VERSION INFORMATION\n" + version + "~WELL INFORMATION\n" + well +
           "~CURVE INFORMATION\n" + curves + "~A\n" + data;
}

struct ImportFixture : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform};
    CTempDir temp;

    std::string Write(const std::string& name, const std::string& text) {
        const auto path = temp.path / name;
        WriteFileText(path, text);
        return path.string();
    }
    // Imports a small file into `into` (the fixture's document when none).
    int Import(const std::string& well, const std::string& curves, const std::string& data,
               CTarvikDoc* into = nullptr) {
        return ImportLas(into ? *into : doc, Write("x.las", Las(well, curves, data)));
    }
    CLogTrack& Log(int i) { return dynamic_cast<CLogTrack&>(*doc.tracks[static_cast<size_t>(i)]); }
    CDataTrack& Data(int i) { return dynamic_cast<CDataTrack&>(*doc.tracks[static_cast<size_t>(i)]); }
    std::vector<int> Types() const {
        std::vector<int> v;
        for (const auto& t : doc.tracks) v.push_back(t->type);
        return v;
    }
};

} // namespace

TEST(LasHeader, FieldRules) {
    EXPECT_FLOAT_EQ(LasValue("STRT.M        1670.000000:"), 1670);
    EXPECT_FLOAT_EQ(LasValue("STRT            .ft   9000.0   :START DEPTH"), 9000);
    EXPECT_FLOAT_EQ(LasValue("STRT.M1670:"), 0); // nothing after the unit
    EXPECT_FLOAT_EQ(LasValue("no period 12"), 0);
    EXPECT_EQ(LasUnit(" DT  .US/M  :  2  SONIC"), "US/M");
    EXPECT_EQ(LasMnemonic("DT  \t.US/M"), "DT");
    EXPECT_EQ(LasDescription(" DEPT .M   : DEPTH   {F} "), " DEPTH");
    EXPECT_EQ(LasDescription("X.Y 1"), "");
    EXPECT_EQ(LasWellName("WELL    .       AAAAA_2            :WELL"), "AAAAA_2");
    EXPECT_EQ(LasWellName("WELL.Scorpio E1  :WELL"), "E1");

    // Sections: 2.0 files go by the first letter, in either case; 3.0 files by name,
    // the standard's Log_ names included.
    EXPECT_EQ(LasSectionOf("VERSION INFORMATION", 2), kLasVersion);
    EXPECT_EQ(LasSectionOf("A  DEPTH", 2), kLasData);
    EXPECT_EQ(LasSectionOf("Log_Data | Log_Definition", 2), kLasNone);
    EXPECT_EQ(LasSectionOf("Log_definition", 3), kLasCurve);
    EXPECT_EQ(LasSectionOf("Log_Data | Log_Definition", 3), kLasData);
    EXPECT_EQ(LasSectionOf("A", 3), kLasNone);
    EXPECT_EQ(LasSectionOf("Inclinometry_Data | Inclinometry_Definition", 3), kLasInclinometryData);

    const CLasHeader h = ReadLasHeader("~Version\n VERS. 3.0 :\n DLM . COMMA : NOT ON TAB\n");
    EXPECT_FLOAT_EQ(h.version, 3.0f);
    EXPECT_EQ(h.delimiter, ',');
}

TEST_F(ImportFixture, ARealFileReadBottomUp) {
    // STRT above STOP: the rows are taken from the last. The header says 1670 to 1660,
    // the rows 1670 to 1669.75: they place sample 0.
    ASSERT_EQ(ImportLas(doc, SamplePath("v1.2_sample.las")), 1);
    ASSERT_EQ(platform.curveEntries.size(), 8u);
    EXPECT_EQ(platform.curveEntries[1], " DT (US/M) \t   2  SONIC TRANSIT TIME");
    EXPECT_EQ(doc.wellName, "ANY ET AL OIL WELL #12");
    EXPECT_EQ(Types(), (std::vector<int>{1, 0, 5, 5, 5, 5, 5, 5, 5, 5})); // dual axis on
    EXPECT_EQ(Log(3).description, "  2  SONIC TRANSIT TIME"); // leading blanks stay
    EXPECT_EQ(Log(2).values, (std::vector<float>{1669.75f, 1669.875f, 1670}));
    EXPECT_FALSE(platform.progressOpen);
}

TEST_F(ImportFixture, WhatIsNotALasFileChangesNothing) {
    doc.wellName = "mine";
    EXPECT_EQ(ImportLas(doc, "/no/such.las"), 0);
    EXPECT_EQ(platform.messages.back(), "Unable to open /no/such.las\nNo such file or directory");

    const std::string good = Las(" STRT.M 1 :\n STOP.M 2 :\n STEP.M 1 :\n", " DEPT.M :\n", "1\n2\n");
    std::string utf16; // without its byte-order mark
    for (char c : good) utf16 += std::string{c, '\0'};
    const std::pair<std::string, std::string> refused[] = {
        {utf16, "it is not text"},
        {good + std::string("\x01\x00\xff\x7f", 4), "its data are not text"},
        // A header that promises billions of rows allocates only what the file holds.
        {Las(" STRT.M 1 :\n STOP.M 1e30 :\n STEP.M 1e-30 :\n", " DEPT.M :\n", "no numbers here\n"),
         "its data hold no number"},
        {Las(" STRT.M 1 :\n", "", "1\n"), "it lists no curves (~C)"},
    };
    for (const auto& [text, why] : refused) {
        EXPECT_EQ(ImportLas(doc, Write("refused.las", text)), 0) << why;
        const std::string& said = platform.messages.back();
        EXPECT_EQ(said.substr(said.rfind(": ") + 2), why);
    }
    EXPECT_EQ(doc.TrackCount(), 0);
    EXPECT_EQ(doc.wellName, "mine");

    // Cancelling the curve list adds nothing.
    platform.curveAnswers = {std::nullopt};
    EXPECT_EQ(ImportLas(doc, Write("ok.las", good)), 0);
    EXPECT_EQ(doc.TrackCount(), 0);
}

TEST_F(ImportFixture, StepZeroMakesDataTracks) {
    platform.curveAnswers = {std::vector<int>{0, 1}};
    ASSERT_EQ(Import(" STRT.M 1000 :\n STOP.M 1010 :\n STEP.M 0 :\n NULL. -999.25 :\n", " DEPT.M :\n POR.V/V :\n",
                     "1000.5 0.1\n1003.25 -999.25\n1007 0.3\n"), 1);
    ASSERT_EQ(Types(), (std::vector<int>{1, 0, 11}));
    const CDataTrack& d = Data(2);
    // The points in the order of the rows; the null row is skipped.
    ASSERT_EQ(d.PointCount(), 2);
    EXPECT_EQ(d.Points()[0], (CDataTrack::Point{0.1f, 1000.5f}));
    EXPECT_EQ(d.Points()[1], (CDataTrack::Point{0.3f, 1007}));
    EXPECT_EQ(d.drawline, 1);
}

TEST_F(ImportFixture, FeetFilesAndMetreDocuments) {
    const std::string feet = Write("feet.las", Las(" STRT.FT 3280.84 :\n STOP.FT 6561.68 :\n STEP.FT 0.5 :\n",
                                                   " DEPT.FT :\n GR.API :\n", "3280.84 50\n3281.34 60\n"));
    // Into an empty document: the document goes to feet, both windows (around the
    // rows, whatever STOP says), dual axis.
    ASSERT_EQ(ImportLas(doc, feet), 1);
    EXPECT_EQ(doc.depthUnit, kFeet);
    EXPECT_EQ(doc.dualAxis, 1);
    EXPECT_EQ(Types(), (std::vector<int>{0, 1, 5, 5}));
    EXPECT_EQ(doc.tracks[3]->depthAxis, &doc.feetAxis);
    EXPECT_LE(doc.feetAxis.min, 3280.84f);
    EXPECT_GE(doc.feetAxis.max, 3281.34f);
    EXPECT_LT(doc.feetAxis.max, 3290);

    // Into a metre document with tracks: depths converted, values not.
    CScriptedPlatform p2;
    CTarvikDoc metres(p2);
    metres.EnsureDepthAxisTrack(kMeters);
    const float top = metres.meterAxis.min, bottom = metres.meterAxis.max;
    ASSERT_EQ(ImportLas(metres, feet), 1);
    const auto& gr = dynamic_cast<CLogTrack&>(*metres.tracks.back());
    EXPECT_NEAR(gr.startdepth, 1000, 1e-3);
    EXPECT_NEAR(gr.depthstep, 0.1524, 1e-6);
    EXPECT_EQ(gr.values, (std::vector<float>{50, 60}));
    EXPECT_FLOAT_EQ(metres.meterAxis.min, top); // the window stays
    EXPECT_FLOAT_EQ(metres.meterAxis.max, bottom);
    EXPECT_EQ(metres.dualAxis, 0);
}

TEST_F(ImportFixture, AxesAndColours) {
    // Resistivity all positive: logarithmic; one zero: linear.
    ASSERT_EQ(Import(" STRT.M 1 :\n STOP.M 3 :\n STEP.M 1 :\n", " DEPT.M :\n RT.OHMM :\n RT2.OHMM :\n",
                     "1 2 2\n2 20 0\n3 200 3\n"), 1);
    EXPECT_EQ(Log(3).hAxis.axisType, kAxisLogH);
    EXPECT_EQ(Log(4).hAxis.axisType, kAxisLinearH);

    // Forty curves: the palette starts again after the 38th.
    std::string many, row;
    for (int i = 0; i < 40; ++i) {
        many += " C" + std::to_string(i) + ".U :\n";
        row += std::to_string(i + 1) + " ";
    }
    doc.tracks.clear();
    ASSERT_EQ(Import(" STRT.M 1 :\n STOP.M 1 :\n STEP.M 1 :\n", many, row + "\n"), 1);
    const auto colour = [&](size_t k) { return Log(static_cast<int>(doc.tracks.size() - 40 + k)).linecolor; };
    EXPECT_EQ(colour(38), colour(0));
    EXPECT_EQ(colour(39), colour(1));
    EXPECT_NE(colour(37), colour(0));
}

TEST_F(ImportFixture, EightBitNamesAreKeptAsTheyAre) {
    const std::string name = "Bj\xF8rnholt \xE6-1"; // Windows-1252
    ASSERT_EQ(Import(" STRT.M 1 :\n STOP.M 1 :\n STEP.M 1 :\n WELL. " + name + " : WELL\n", " DEPT.M : d\xE9pth\n",
                     "1\n"), 1);
    EXPECT_EQ(doc.wellName, name);
    EXPECT_EQ(doc.tracks[2]->description, " d\xE9pth");
    const auto saved = temp.path / "cp.tvk";
    ASSERT_TRUE(doc.OnSaveDocument(saved.string()));
    CScriptedPlatform p2;
    CTarvikDoc back(p2);
    ASSERT_TRUE(back.OnOpenDocument(saved.string()));
    EXPECT_EQ(back.wellName, name);
}

TEST_F(ImportFixture, WhatRealFilesDoThatTheHeaderDoesNotSay) {
    const std::string well = " STRT.M 1 :\n STOP.M 2 :\n STEP.M 1 :\n";
    const auto rows = [&](const std::string& text, std::vector<float> values) {
        CScriptedPlatform p;
        CTarvikDoc d(p);
        if (!ImportLas(d, Write("x.las", text))) return ::testing::AssertionFailure() << p.messages.back();
        const auto& last = dynamic_cast<const CLogTrack&>(*d.tracks.back());
        if (last.values != values) return ::testing::AssertionFailure() << "other values";
        return ::testing::AssertionSuccess();
    };
    const std::string curves = " DEPT.M :\n GR.API :\n", comma = " VERS. 2.0 :\n DLM. COMMA :\n";
    // A UTF-8 byte-order mark before "~V"; lower-case section letters.
    EXPECT_TRUE(rows("\xEF\xBB\xBF" + Las(well, curves, "1 10\n2 20\n"), {10, 20}));
    EXPECT_TRUE(rows("~v\n VERS. 2.0 :\n~w\n" + well + "~c\n" + curves + "~a\n1 10\n2 20\n", {10, 20}));
    // Comma-separated rows without a DLM line; with one, blanks around commas.
    EXPECT_TRUE(rows(Las(well, curves, "1,10\n2, 20\n"), {10, 20}));
    EXPECT_TRUE(rows(Las(well, curves, "1 ,10\n2 , 20\n", comma), {10, 20}));
    // A quoted field with a comma is one field; blank lines add nothing; the last
    // field without a line end counts.
    EXPECT_TRUE(rows(Las(well, " DEPT.M :\n NAME. :\n V.U :\n", "1,\"a,b\",5\r\n\r\n2,c,6", comma), {5, 6}));
    // A section after the data ends them, in either splitting.
    EXPECT_TRUE(rows(Las(well, curves, "1 10\n2 20\n~Other\n 3 30 4 40\n"), {10, 20}));
    EXPECT_TRUE(rows(Las(well, curves, "1,10\n2,20\n ~Other\n3,30\n", comma), {10, 20}));
    // Quoted text with blanks is one word; a byte 0xFF is text, not the end.
    EXPECT_TRUE(rows(Las(well, " DEPT.M :\n NAME. :\n GR.API :\n", "1 \"A B\" 10\n2 C 20\n"), {10, 20}));
    EXPECT_TRUE(rows(Las(well, curves, "1,\xFF\n2,20\n", comma), {0, 20}));

    // UTF-16 with its mark, either byte order, is read as text.
    const std::string text = Las(well + " WELL. Bj\xC3\xB8rn :\n", curves, "1 10\n2 20\n");
    for (const bool little : {true, false}) {
        std::string utf16 = little ? "\xFF\xFE" : "\xFE\xFF";
        for (size_t i = 0; i < text.size(); ++i) {
            // The one non-ASCII character, U+00F8, as its code unit.
            const unsigned u = text.compare(i, 2, "\xC3\xB8") == 0 ? (++i, 0xF8u) : static_cast<unsigned char>(text[i]);
            utf16.push_back(static_cast<char>(little ? u : 0));
            utf16.push_back(static_cast<char>(little ? 0 : u));
        }
        CScriptedPlatform p;
        CTarvikDoc d(p);
        ASSERT_EQ(ImportLas(d, Write("u16.las", utf16)), 1) << little;
        EXPECT_EQ(d.wellName, "Bj\xC3\xB8rn");
        EXPECT_EQ(dynamic_cast<const CLogTrack&>(*d.tracks.back()).values, (std::vector<float>{10, 20}));
    }
}

TEST_F(ImportFixture, TheRowsPlaceTheSamples) {
    // No STRT or STOP line: the window follows the depth column.
    ASSERT_EQ(Import(" STEP.M 0.5 :\n", " DEPT.M :\n GR.API :\n", "2500 1\n2500.5 2\n2501 3\n"), 1);
    EXPECT_FLOAT_EQ(Log(3).startdepth, 2500);
    EXPECT_LE(doc.meterAxis.min, 2500);
    EXPECT_GE(doc.meterAxis.max, 2501);
    EXPECT_GT(doc.meterAxis.min, 2000);

    // An empty data section makes tracks without samples and a plain header axis.
    CScriptedPlatform p2;
    CTarvikDoc e(p2);
    ASSERT_EQ(Import(" STRT.M 1 :\n STOP.M 2 :\n STEP.M 1 :\n", " DEPT.M :\n RT.OHMM :\n", "", &e), 1);
    const auto& rt = dynamic_cast<const CLogTrack&>(*e.tracks.back());
    EXPECT_EQ(rt.count, 0);
    EXPECT_FLOAT_EQ(rt.hAxis.min, 0);
    EXPECT_FLOAT_EQ(rt.hAxis.max, 1);
}

TEST(InsertWellLog, FeetDocumentsAndRefusals) {
    CScriptedPlatform platform;
    CTarvikDoc doc(platform);
    CTempDir temp;
    const auto insert = [&](const std::string& path, int curve) {
        platform.fileAnswers = {path};
        platform.listAnswers = {curve};
        return InsertWellLog(doc);
    };
    const auto write = [&](const std::string& text) {
        WriteFileText(temp.path / "c.las", text);
        return (temp.path / "c.las").string();
    };
    const std::string header = "~V\n VERS. 2.0 :\n~W\n STRT.M 100.0 :\n STOP.M 101.0 :\n";
    const std::string curves = "~C\n DEPT.M :\n VAL . :\n~A\n";
    EXPECT_EQ(insert(write(header + " STEP.M 0 :\n" + curves + "100 1\n101 2\n"), 1), 0);
    EXPECT_NE(platform.messages.back().find("STEP"), std::string::npos);
    const size_t said = platform.messages.size();
    EXPECT_EQ(insert(SamplePath("v1.2_sample.las"), -1), 0); // the curve list cancelled
    EXPECT_EQ(platform.messages.size(), said);
    EXPECT_EQ(doc.TrackCount(), 0);

    // No unit after the dot; all values negative: the header range ends near 0.
    ASSERT_EQ(insert(write(header + " STEP. 0.5 :\n" + curves + "100 -5\n100.5 -3\n101 -4\n"), 1), 1);
    const auto& log = dynamic_cast<const CLogTrack&>(*doc.tracks.back());
    EXPECT_EQ(log.values, (std::vector<float>{-5, -3, -4}));
    EXPECT_FLOAT_EQ(log.depthstep, 0.5f);
    EXPECT_LE(log.hAxis.max, 0.5f);
    EXPECT_GE(log.hAxis.max, 0.0f);

    // Into a feet document the depths are converted and the track is in feet.
    doc.OnDepthFeet();
    platform.messages.clear();
    ASSERT_EQ(insert(SamplePath("v2.0_sample_2.0_wrapped.las"), 0), 1);
    const auto& wrapped = dynamic_cast<const CLogTrack&>(*doc.tracks.back());
    EXPECT_EQ(wrapped.values, (std::vector<float>{910, 909.875f})); // the rows the file holds
    EXPECT_FLOAT_EQ(wrapped.startdepth, static_cast<float>(910 * kFeetPerMeter));
    EXPECT_EQ(wrapped.depthAxis, &doc.feetAxis);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.progressOpen);
}

namespace {

// What the reader gives for every curve but the second (a column left out), with
// its data read in two halves at once when they are at least `splitAbove` bytes.
struct ReadBack {
    bool read = false;
    char delimiter = ' ';
    size_t start = 0; // where the data begin
    float nullValue = 0;
    std::vector<char> keep;
    CLasData data;
};

ReadBack ReadWithReader(const std::string& path, uint64_t splitAbove) {
    CScriptedPlatform platform;
    CLasFile las;
    ReadBack r;
    if (!las.Open(path, platform) || !las.header.dataFound || las.header.entries.empty()) return r;
    las.reader.splitAbove = splitAbove;
    r.delimiter = las.DataDelimiter();
    r.start = static_cast<size_t>(las.reader.Position());
    r.nullValue = las.header.nullValue;
    r.keep.assign(las.header.entries.size(), 1);
    if (r.keep.size() > 2) r.keep[1] = 0;
    r.read = las.reader.ReadData(r.delimiter, r.keep, r.nullValue, r.data);
    return r;
}

bool SameBits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }

// The reader gives what the reader before it gave, value for value and bit for
// bit, read in one piece and in two halves; `rows` gets how many it read.
::testing::AssertionResult ReadsAsBefore(const std::string& path, size_t* rows = nullptr) {
    const std::string text = ReadFileText(path);
    const auto counts = [](bool read, const CLasData& d) {
        return std::to_string(read) + " binary " + std::to_string(d.binary) + " rows " + std::to_string(d.rows) +
               " tokens " + std::to_string(d.tokens) + " numbers " + std::to_string(d.numbers);
    };
    for (const uint64_t splitAbove : {UINT64_MAX, uint64_t{0}}) {
        const ReadBack got = ReadWithReader(path, splitAbove);
        if (got.keep.empty()) return ::testing::AssertionSuccess() << "not read";
        const CLasData want = las_reference::ReadData(text, got.start, got.delimiter, got.keep, got.nullValue);
        const bool wantRead = !want.binary && !(want.tokens > 0 && want.numbers == 0);
        const auto fail = [&] {
            return ::testing::AssertionFailure() << path << (splitAbove ? " in one piece: " : " in two halves: ");
        };
        if (counts(got.read, got.data) != counts(wantRead, want))
            return fail() << "read " << counts(got.read, got.data) << ", before " << counts(wantRead, want);
        for (size_t c = 0; c < got.keep.size(); ++c) {
            const auto& g = got.data.columns[c];
            const auto& w = want.columns[c];
            if (g.size() != w.size()) return fail() << "column " << c << " has " << g.size() << ", before " << w.size();
            for (size_t r = 0; r < w.size(); ++r)
                if (!SameBits(g[r], w[r]))
                    return fail() << "row " << r << " column " << c << " reads " << g[r] << ", before " << w[r];
            const CLasRange& gr = got.data.ranges[c];
            const CLasRange& wr = want.ranges[c];
            if (!SameBits(gr.lo, wr.lo) || !SameBits(gr.hi, wr.hi))
                return fail() << "column " << c << " spans " << gr.lo << ".." << gr.hi << ", before " << wr.lo
                              << ".." << wr.hi;
        }
        if (rows) *rows = want.rows;
    }
    return ::testing::AssertionSuccess();
}

std::string Header(int curves, const std::string& version = " VERS. 2.0 :\n WRAP. NO :\n") {
    std::string h = "~VERSION INFORMATION\n" + version +
                    "~WELL INFORMATION\n STRT.M 1000 :\n STOP.M 2000 :\n STEP.M 0.5 :\n NULL. -999.25 :\n"
                    "~CURVE INFORMATION\n DEPT.M :\n";
    for (int c = 1; c < curves; ++c) h += " C" + std::to_string(c) + ".U :\n";
    return h + "~A\n";
}

// Words of every kind log files hold: plain decimals of every length, exponents,
// signs, words of eight digits and more, special values and text.
class WordMaker {
  public:
    std::string Next() {
        const int kind = Pick(100);
        if (kind < 60) {
            std::string w = Pick(3) == 0 ? "-" : "";
            const int before = Pick(8), after = Pick(8);
            for (int i = 0; i < before; ++i) w += static_cast<char>('0' + Pick(10));
            if (after || Pick(3) == 0) w += '.';
            for (int i = 0; i < after; ++i) w += static_cast<char>('0' + Pick(10));
            return w == "-" || w.empty() || w == "." || w == "-." ? "0" : w;
        }
        if (kind < 85) { // fixed decimals, or any exponent with every digit
            char b[64];
            const double x = std::uniform_real_distribution<double>(-1, 1)(rng);
            if (kind < 75) std::snprintf(b, sizeof b, "%.*f", Pick(10), x * 1e4);
            else std::snprintf(b, sizeof b, "%.17g", x * std::pow(10.0, Pick(90) - 45));
            return b;
        }
        if (kind < 90) {
            std::string w;
            const int n = 8 + Pick(16);
            for (int i = 0; i < n; ++i) w += static_cast<char>('0' + Pick(10));
            if (Pick(2)) w += "." + std::string(static_cast<size_t>(Pick(20)), '9');
            return w;
        }
        static const char* const kOdd[] = {
            "-999.25", "-0",    "-0.0",         "0",          ".5",          "5.",         "-.5",
            ".",       "-",     "+5",           "+.5",        "1e5",         "1E-3",       "1e",
            "2.5e+",   "nan",   "-inf",         "Infinity",   "0x1p3",       "1e39",       "-1e39",
            "1e-50",   "12abc", "1.5.3",        "12-3",       "abc",         "a~b",        "#c",
            "16777217", "0.1",  "3.4028236e38", "1.4e-45",    "9007199254740993", "0000000000000001.5",
        };
        return kOdd[Pick(static_cast<int>(std::size(kOdd)))];
    }

  private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    std::mt19937 rng{20240611};
};

} // namespace

TEST(LasReader, ReadsEveryPublicFileAsBefore) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TARVIK_TEST_DATA) + "/las")) {
        if (entry.path().extension() != ".las") continue;
        EXPECT_TRUE(ReadsAsBefore(entry.path().string())) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 19);
}

TEST(LasReader, ReadsEveryKindOfWordAsBefore) {
    // Blank-separated rows of seven words with blanks, tabs and carriage returns of
    // every width between them; the same words split at commas and at tabs.
    CTempDir temp;
    WordMaker words;
    const char* const names[] = {"blank.las", "comma.las", "tab.las"};
    std::string texts[] = {Header(7), Header(7, " VERS. 2.0 :\n DLM. COMMA :\n"),
                           Header(7, " VERS. 2.0 :\n DLM. TAB :\n")};
    const char* const gaps[] = {" ", "  ", "\t", " \t ", "     "};
    for (int r = 0; r < 20000; ++r) {
        for (int c = 0; c < 7; ++c) {
            const std::string w = words.Next();
            texts[0] += (c ? gaps[(r + c) % 5] : "") + w;
            texts[1] += (c ? "," : "") + w;
            texts[2] += (c ? "\t" : "") + w;
        }
        for (std::string& t : texts) t += r % 3 ? "\n" : "\r\n";
    }
    for (int k = 0; k < 3; ++k) {
        size_t rows = 0;
        WriteFileText(temp.path / names[k], texts[k]);
        EXPECT_TRUE(ReadsAsBefore((temp.path / names[k]).string(), &rows)) << names[k];
        EXPECT_EQ(rows, 20000u) << names[k];
    }
}

TEST(LasReader, HalvesMeetAtALineBreak) {
    // Read in two halves at once, the data give what they give in one piece.
    CTempDir temp;
    const auto rowsOf = [](int from, int n, int curves) {
        std::string text;
        for (int r = from; r < from + n; ++r) {
            text += std::to_string(1000 + r);
            for (int c = 1; c < curves; ++c) text += " " + std::to_string((r * 7 + c * 13) % 1000) + ".25";
            text += "\n";
        }
        return text;
    };
    size_t rows = 0;
    const auto check = [&](const std::string& name, const std::string& text) {
        WriteFileText(temp.path / name, text);
        return ReadsAsBefore((temp.path / name).string(), &rows);
    };
    // A row straddles the middle: the halves meet at the next line break.
    std::string text = Header(5) + rowsOf(0, 999, 5) + "2000 1 2 3";
    EXPECT_TRUE(check("straddle.las", text + " 4\n"));
    EXPECT_EQ(rows, 1000u);
    // A last row cut short is dropped, and its values widen no range.
    EXPECT_TRUE(check("short.las", text.substr(0, text.size() - 6) + " 99999"));
    EXPECT_EQ(rows, 999u);
    ReadBack cut = ReadWithReader((temp.path / "short.las").string(), 0);
    EXPECT_EQ(cut.data.ranges[0].hi, 1998.0f);

    // Wrapped rows: five curves over lines of two words, so the first half may
    // end inside a row. The rows are what they are in one piece.
    std::string wrapped = Header(5, " VERS. 2.0 :\n WRAP. YES :\n");
    int n = 0;
    for (int r = 0; r < 1001; ++r)
        for (int c = 0; c < 5; ++c) wrapped += std::to_string(r * 5 + c) + (++n % 2 ? " " : "\n");
    EXPECT_TRUE(check("wrapped.las", wrapped + "\n"));
    EXPECT_EQ(rows, 1001u);
    ReadBack read = ReadWithReader((temp.path / "wrapped.las").string(), 0);
    ASSERT_EQ(read.data.columns[4].size(), 1001u);
    EXPECT_EQ(read.data.columns[4][1000], 5004.0f);

    // A section after the data in either half ends them; a NUL byte in the second
    // half, or in a section after the data, makes them not text.
    EXPECT_TRUE(check("late.las", Header(5) + rowsOf(0, 800, 5) + "~Other\n1 2 3 4 5\n" + rowsOf(0, 300, 5)));
    EXPECT_EQ(rows, 800u);
    EXPECT_TRUE(check("early.las", Header(5) + rowsOf(0, 100, 5) + " ~Other\n" + rowsOf(0, 900, 5)));
    EXPECT_EQ(rows, 100u);
    EXPECT_TRUE(check("nul.las", Header(5) + rowsOf(0, 900, 5) + std::string("1 2\0 3 4 5\n", 11)));
    EXPECT_FALSE(ReadWithReader((temp.path / "nul.las").string(), 0).read);
    EXPECT_TRUE(check("nul_after.las", Header(5) + rowsOf(0, 900, 5) + std::string("~B\n1 \0\n", 7)));
    EXPECT_FALSE(ReadWithReader((temp.path / "nul_after.las").string(), 0).read);

    // Of -0 and 0 the first in the rows is a column's smallest and largest value,
    // in whichever half it lies.
    std::string zeros = Header(2);
    for (int r = 0; r < 2000; ++r) zeros += std::to_string(r) + (r < 1500 ? " 5\n" : r % 2 ? " 0\n" : " -0\n");
    EXPECT_TRUE(check("zeros.las", zeros));
    read = ReadWithReader((temp.path / "zeros.las").string(), 0);
    EXPECT_TRUE(SameBits(read.data.ranges[1].lo, -0.0f));
}
