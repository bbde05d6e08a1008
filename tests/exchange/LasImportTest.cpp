#include "doc/TarvikDoc.h"
#include "exchange/LasFile.h"
#include "exchange/LasHeader.h"
#include "exchange/LasImport.h"
#include "exchange/LasReference.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    int Import(const std::string& well, const std::string& curves, const std::string& data) {
        return ImportLas(doc, Write("x.las", Las(well, curves, data)));
    }
    CLogTrack& Log(int i) { return dynamic_cast<CLogTrack&>(*doc.tracks[static_cast<size_t>(i)]); }
    std::vector<int> Types() const {
        std::vector<int> v;
        for (const auto& t : doc.tracks) v.push_back(t->type);
        return v;
    }
};

} // namespace

// Values, units and mnemonics are the sample table's (its steps and curve names).
TEST(LasHeader, FieldRules) {
    EXPECT_EQ(LasDescription(" DEPT .M   : DEPTH   {F} "), " DEPTH");
    EXPECT_EQ(LasWellName("WELL    .       AAAAA_2            :WELL"), "AAAAA_2");
    EXPECT_EQ(LasWellName("WELL.Scorpio E1  :WELL"), "E1");

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
    EXPECT_EQ(doc.wellName, "ANY ET AL OIL WELL #12"); // after the colon in a 1.2 file
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
}

TEST_F(ImportFixture, StepZeroMakesDataTracks) {
    platform.curveAnswers = {std::vector<int>{0, 1}};
    ASSERT_EQ(Import(" STRT.M 1000 :\n STOP.M 1010 :\n STEP.M 0 :\n NULL. -999.25 :\n", " DEPT.M :\n POR.V/V :\n",
                     "1000.5 0.1\n1003.25 -999.25\n1007 0.3\n"), 1);
    ASSERT_EQ(Types(), (std::vector<int>{1, 0, 11}));
    const auto& d = dynamic_cast<const CDataTrack&>(*doc.tracks[2]);
    // The points in the order of the rows; the null row is skipped.
    ASSERT_EQ(d.PointCount(), 2);
    EXPECT_EQ(d.Points()[0], (CDataTrack::Point{0.1f, 1000.5f}));
    EXPECT_EQ(d.Points()[1], (CDataTrack::Point{0.3f, 1007}));
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

// The document stores them byte for byte, as it stores every name
// (DocumentFileTest's round trip).
TEST_F(ImportFixture, EightBitNamesAreKeptAsTheyAre) {
    const std::string name = "Bj\xF8rnholt \xE6-1"; // Windows-1252
    ASSERT_EQ(Import(" STRT.M 1 :\n STOP.M 1 :\n STEP.M 1 :\n WELL. " + name + " : WELL\n", " DEPT.M : d\xE9pth\n",
                     "1\n"), 1);
    EXPECT_EQ(doc.wellName, name);
    EXPECT_EQ(doc.tracks[2]->description, " d\xE9pth");
}

TEST_F(ImportFixture, WhatRealFilesDoThatTheHeaderDoesNotSay) {
    const std::string well = " STRT.M 1 :\n STOP.M 2 :\n STEP.M 1 :\n";
    // Imports `text` into a new document: its last track holds `values`, its well is
    // `name` (the file's name where the file gives none).
    const auto rows = [&](const std::string& text, std::vector<float> values, const std::string& name = "x.las") {
        CScriptedPlatform p;
        CTarvikDoc d(p);
        if (!ImportLas(d, Write("x.las", text))) return ::testing::AssertionFailure() << p.messages.back();
        if (dynamic_cast<const CLogTrack&>(*d.tracks.back()).values != values)
            return ::testing::AssertionFailure() << "other values";
        if (d.wellName != name) return ::testing::AssertionFailure() << "well " << d.wellName;
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
    // A section after comma-separated data ends them.
    EXPECT_TRUE(rows(Las(well, curves, "1,10\n2,20\n ~Other\n3,30\n", comma), {10, 20}));
    // Quoted text with blanks is one word; a byte 0xFF is text, not the end.
    EXPECT_TRUE(rows(Las(well, " DEPT.M :\n NAME. :\n GR.API :\n", "1 \"A B\" 10\n2 C 20\n"), {10, 20}));
    EXPECT_TRUE(rows(Las(well, curves, "1,\xFF\n2,20\n", comma), {0, 20}));

    // UTF-16 with its mark, either byte order, is read as text; "@" stands for U+00F8.
    const std::string text = Las(well + " WELL. Bj@rn :\n", curves, "1 10\n2 20\n");
    for (const bool little : {true, false}) {
        std::string utf16 = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const char c : text) {
            const char u = c == '@' ? '\xF8' : c;
            utf16 += little ? std::string{u, '\0'} : std::string{'\0', u};
        }
        EXPECT_TRUE(rows(utf16, {10, 20}, "Bj\xC3\xB8rn")) << little;
    }
}

TEST_F(ImportFixture, InsertWellLogRefusesStepZeroAndConvertsToFeet) {
    const auto insert = [&](const std::string& path, int curve) {
        platform.fileAnswers = {path};
        platform.listAnswers = {curve};
        return InsertWellLog(doc);
    };
    EXPECT_EQ(insert(Write("c.las", Las(" STRT.M 100.0 :\n STOP.M 101.0 :\n STEP.M 0 :\n", " DEPT.M :\n VAL . :\n",
                                        "100 1\n101 2\n")), 1), 0);
    EXPECT_NE(platform.messages.back().find("STEP"), std::string::npos);
    EXPECT_EQ(doc.TrackCount(), 0);

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
// its data read in two halves at once when they are at least `splitAbove` bytes,
// and what the reader before it gave; nothing for data split at commas or tabs.
struct ReadBack {
    bool opened = false, read = false;
    CLasData data, before;
};

ReadBack ReadWithReader(const std::string& path, uint64_t splitAbove) {
    CScriptedPlatform platform;
    CLasFile las;
    ReadBack r;
    if (!las.Open(path, platform) || !las.header.dataFound || las.header.entries.empty()) return r;
    las.reader.splitAbove = splitAbove;
    if (las.DataDelimiter() != ' ') return r;
    std::vector<char> keep(las.header.entries.size(), 1);
    if (keep.size() > 2) keep[1] = 0;
    r.before = las_reference::ReadData(ReadFileText(path), static_cast<size_t>(las.reader.Position()), keep,
                                       las.header.nullValue);
    r.opened = true;
    r.read = las.reader.ReadData(' ', keep, las.header.nullValue, r.data);
    return r;
}

bool SameBits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }

// Everything a read gives, every value and range as its bits.
std::string Dump(bool read, const CLasData& d) {
    std::string s = std::to_string(read) + " binary " + std::to_string(d.binary) + " rows " + std::to_string(d.rows) +
                    " tokens " + std::to_string(d.tokens) + " numbers " + std::to_string(d.numbers);
    const auto bits = [](float v) { return " " + std::to_string(std::bit_cast<uint32_t>(v)); };
    for (size_t c = 0; c < d.columns.size(); ++c) {
        s += "\ncolumn " + std::to_string(c) + " spans" + bits(d.ranges[c].lo) + bits(d.ranges[c].hi) + ":";
        for (const float v : d.columns[c]) s += bits(v);
    }
    return s;
}

// The reader gives what the reader before it gave, value for value and bit for
// bit, read in one piece and in two halves; `rows` gets how many it read.
::testing::AssertionResult ReadsAsBefore(const std::string& path, size_t* rows = nullptr) {
    for (const uint64_t splitAbove : {UINT64_MAX, uint64_t{0}}) {
        const ReadBack r = ReadWithReader(path, splitAbove);
        if (!r.opened) return ::testing::AssertionSuccess() << "not read";
        const CLasData& want = r.before;
        const std::string got = Dump(r.read, r.data);
        const std::string before = Dump(!want.binary && !(want.tokens > 0 && want.numbers == 0), want);
        if (got != before) {
            const auto at = std::mismatch(got.begin(), got.end(), before.begin(), before.end()).first - got.begin();
            const size_t from = static_cast<size_t>(std::max<std::ptrdiff_t>(at - 80, 0));
            return ::testing::AssertionFailure() << path << (splitAbove ? " in one piece" : " in two halves")
                                                 << " reads ..." << got.substr(from, 160) << "\nbefore ..."
                                                 << before.substr(from, 160);
        }
        if (rows) *rows = want.rows;
    }
    return ::testing::AssertionSuccess();
}

// A header of `curves` curves, the first the depth, ending in the line that opens the data.
std::string Header(int curves, const std::string& version = " VERS. 2.0 :\n WRAP. NO :\n") {
    std::string list = " DEPT.M :\n";
    for (int c = 1; c < curves; ++c) list += " C" + std::to_string(c) + ".U :\n";
    return Las(" STRT.M 1000 :\n STOP.M 2000 :\n STEP.M 0.5 :\n NULL. -999.25 :\n", list, "", version);
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
    // Rows of seven words with blanks, tabs and carriage returns of every width
    // between them.
    CTempDir temp;
    WordMaker words;
    const char* const gaps[] = {" ", "  ", "\t", " \t ", "     "};
    std::string text = Header(7);
    for (int r = 0; r < 20000; ++r) {
        for (int c = 0; c < 7; ++c) text += (c ? gaps[(r + c) % 5] : "") + words.Next();
        text += r % 3 ? "\n" : "\r\n";
    }
    size_t rows = 0;
    WriteFileText(temp.path / "words.las", text);
    EXPECT_TRUE(ReadsAsBefore((temp.path / "words.las").string(), &rows));
    EXPECT_EQ(rows, 20000u);
}

TEST(LasReader, HalvesMeetAtALineBreak) {
    // Read in two halves at once, the data give what they give in one piece. The
    // public files hold rows, wrapped ones too, that straddle the middle.
    CTempDir temp;
    const auto rowsOf = [](int n) {
        std::string text;
        for (int r = 0; r < n; ++r) {
            text += std::to_string(1000 + r);
            for (int c = 1; c < 5; ++c) text += " " + std::to_string((r * 7 + c * 13) % 1000) + ".25";
            text += "\n";
        }
        return text;
    };
    std::string zeros = Header(2);
    for (int r = 0; r < 2000; ++r) zeros += std::to_string(r) + (r < 1500 ? " 5\n" : r % 2 ? " 0\n" : " -0\n");
    const struct {
        const char* name;
        std::string text;
        size_t rows;
    } cases[] = {
        // A last row cut short is dropped, and its values widen no range.
        {"short.las", Header(5) + rowsOf(999) + "2000 99999", 999},
        // A section after the data in either half ends them.
        {"late.las", Header(5) + rowsOf(800) + "~Other\n1 2 3 4 5\n" + rowsOf(300), 800},
        {"early.las", Header(5) + rowsOf(100) + " ~Other\n" + rowsOf(900), 100},
        // A NUL byte in the second half, or in a section after the data, makes them not text.
        {"nul.las", Header(5) + rowsOf(900) + std::string("1 2\0 3 4 5\n", 11), 901},
        {"nul_after.las", Header(5) + rowsOf(900) + std::string("~B\n1 \0\n", 7), 900},
        // Of -0 and 0 the first in the rows is a column's smallest and largest value,
        // in whichever half it lies.
        {"zeros.las", zeros, 2000},
    };
    for (const auto& c : cases) {
        size_t rows = 0;
        WriteFileText(temp.path / c.name, c.text);
        EXPECT_TRUE(ReadsAsBefore((temp.path / c.name).string(), &rows));
        EXPECT_EQ(rows, c.rows) << c.name;
    }
    const auto inHalves = [&](const char* name) { return ReadWithReader((temp.path / name).string(), 0); };
    EXPECT_EQ(inHalves("short.las").data.ranges[0].hi, 1998.0f);
    EXPECT_FALSE(inHalves("nul.las").read);
    EXPECT_FALSE(inHalves("nul_after.las").read);
    EXPECT_TRUE(SameBits(inHalves("zeros.las").data.ranges[1].lo, -0.0f));
}
