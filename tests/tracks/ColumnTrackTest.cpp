// Lithology columns and formation tops: their files, their drawing, copy and paste,
// and the lithology library they draw from.
#include "base/TableWriter.h"
#include "base/Units.h"
#include "base/kdManager.h"
#include "gfx/BmpReader.h"
#include "gfx/RecordingSurface.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "tracks/LithTrack.h"
#include "tracks/StratTrack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace fs = std::filesystem;

namespace {

// A library of three: id 0 the catch-all, then two named ones (one with a blank).
CLithArray SmallLibrary() {
    CLithArray lib;
    for (const char* name : {"Unknown", "Sandstone", "Shaly sand"}) {
        auto l = std::make_unique<CLithology>();
        l->id = static_cast<int>(lib.size());
        l->name = name;
        l->pattern = std::make_shared<CPatternTile>(SolidTile(static_cast<ColourRef>(lib.size())));
        lib.Add(std::move(l));
    }
    return lib;
}

// Tracks 50 wide and 500 high over 1000 to 1100 m: y = 100 + 5 x (depth - 1000).
struct ColumnFixture : ::testing::Test {
    CTrackVAxis depth;
    CLithArray library = SmallLibrary();
    CLithTrack lith;
    CStratTrack strat;
    CScriptedPlatform platform;
    CRecordingSurface dc;

    void SetUp() override {
        depth.Init(kAxisLinearV, 1000, 1100, 20, "Depth (m)");
        Place(lith);
        Place(strat);
    }
    void Place(CTrack& t) {
        t.depthAxis = &depth;
        t.rect = {0, 100, 50, 600};
        if (auto* l = dynamic_cast<CLithTrack*>(&t)) l->library = &library;
    }
    // The boundary lines across the track, by y: a line, or the top edge of an
    // outline two rows high or more.
    std::vector<int> Boundaries() const {
        std::vector<int> ys;
        for (const CRecordedOp* op : dc.OfKind(CRecordedOp::Line))
            if (op->points[0].x == 0 && op->points[1].x == 50 && op->points[0].y == op->points[1].y)
                ys.push_back(op->points[0].y);
        for (const CRecordedOp* op : dc.OfKind(CRecordedOp::Rectangle))
            if (op->pen.style != PS_NULL && op->rect.left == 0 && op->rect.right == 51 &&
                op->rect.bottom - op->rect.top >= 2)
                ys.push_back(op->rect.top);
        std::sort(ys.begin(), ys.end());
        return ys;
    }
};

std::string Saved(CTrack& t) {
    std::string text;
    CTableWriter out(text);
    t.SaveHeader(out, "Track1");
    t.SaveData(out, "TrackData1");
    return text;
}
} // namespace

TEST_F(ColumnFixture, LayersDrawFromTheWindowTopAndStopBelowIt) {
    lith.InsertLayer(1200, 1); // below the window: drawing stops here
    lith.InsertLayer(1050, 99); // not in the library: a boundary, no fill
    lith.InsertLayer(1020, 2);
    lith.InsertLayer(950, 1); // above the window: starts at the window top
    lith.Draw(dc);
    const auto fills = dc.OfKind(CRecordedOp::Rectangle);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0]->rect, (CRect{0, 100, 51, 201}));
    EXPECT_EQ(fills[1]->rect, (CRect{0, 200, 51, 351}));
    EXPECT_EQ(fills[0]->brush.pattern, library[1].pattern);
    EXPECT_EQ(fills[1]->brush.pattern, library[2].pattern);
    EXPECT_EQ(Boundaries(), (std::vector<int>{100, 200, 350}));

    // A shift moves the column: the layer at 1030 is drawn at 1020.
    CLithTrack shifted;
    Place(shifted);
    shifted.KB = 10;
    shifted.InsertLayer(1030, 1);
    shifted.InsertLayer(1030.05f, 2); // on the same pixel row: the thin layer keeps its line
    dc.Clear();
    shifted.Draw(dc);
    EXPECT_EQ(Boundaries(), (std::vector<int>{200, 200}));
    EXPECT_EQ(shifted.LayerAt(1020), 0); // where it is drawn, it is found
    EXPECT_EQ(shifted.LayerAt(1019), -1);
}

TEST_F(ColumnFixture, FormationsFillTheirBoxesAndFitTheirNames) {
    strat.InsertTop(1000, "Upper", MakeRGB(255, 0, 0));
    strat.InsertTop(1090, "A name far too long for a box two metres high", 0);
    strat.InsertTop(1090.4f, "Thin", MakeRGB(0, 255, 0));
    strat.KB = 500; // a formation track ignores the shift
    strat.Draw(dc);
    const auto fills = dc.OfKind(CRecordedOp::Rectangle);
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0]->rect, (CRect{0, 100, 51, 551}));
    // Wider than tall: horizontal, shrunk down to the smallest height of 6.
    const CRecordedOp* tiny = dc.FindText("A name far too long for a box two metres high");
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(tiny->font.escapement, 0);
    EXPECT_EQ(std::abs(tiny->fontHeight), 6);

    // A stored height of any size, the most negative int too, shrinks in bounded
    // steps and still fits.
    for (int height : {INT_MIN, INT_MAX, -2000000000}) {
        strat.font.height = height;
        dc.Clear();
        strat.Draw(dc);
        ASSERT_NE(dc.FindText("Upper"), nullptr) << height;
        EXPECT_LE(std::abs(dc.FindText("Upper")->fontHeight), 500) << height;
    }
}

// Layers and tops as the demo document holds them are saved and read back byte for
// byte by its test; here a formation track's font, which the demo leaves at zero.
TEST_F(ColumnFixture, FilesKeepFontsAndSortWhatTheyRead) {
    strat.InsertTop(1010, "Brent;Group", MakeRGB(1, 2, 3));
    strat.InsertTop(1000, "Top", 0xFFFFFF);
    strat.font = {"Times New Roman", -19, 700, true, 0, 0, 0};
    strat.fontColor = MakeRGB(0, 0, 128);
    const std::string text = Saved(strat);
    // A ';' in a name would shift the columns: it is written as ','. A negative
    // height is written as its unsigned 32-bit value.
    EXPECT_NE(text.find("Brent,Group;1010;197121\n"), std::string::npos) << text;
    EXPECT_NE(text.find("fontSize;4294967277\nfontWeight;700\nfontItalic;1\nfontName;Times New Roman\n"),
              std::string::npos);
    kdManager saved;
    saved.Read(text, "t");
    CStratTrack copy;
    ASSERT_EQ(copy.LoadHeader(saved, "Track1"), 1);
    ASSERT_EQ(copy.LoadData(saved, "TrackData1"), 1);
    EXPECT_EQ(Saved(copy), text);

    // Rows in any order load sorted; equal depths keep the file's order; a row
    // without a usable depth is left out rather than put at 0.
    kdManager in;
    in.Read(std::string_view("TABLE=L\nCOLUMNS=[topDepth;lithId]\n1050;1\n1000;2\n1050;3\nnan;4\n;5\ninf;6\n"
            "TABLE=S\nCOLUMNS=[name;topDepth;fillColor]\nB;1050;1\nA;1000;0x10\nC;1050;2\nD;x;3\n"),
            "t");
    CLithTrack l;
    ASSERT_EQ(l.LoadData(in, "L"), 1);
    EXPECT_EQ(l.Layers(), (std::vector<CLithTrack::Layer>{{1000, 2}, {1050, 1}, {1050, 3}}));
    CStratTrack s;
    ASSERT_EQ(s.LoadData(in, "S"), 1);
    ASSERT_EQ(s.Tops().size(), 3u);
    EXPECT_EQ(s.Tops()[0].fillColor, 16u); // "%i": hexadecimal with its prefix
    EXPECT_EQ(s.Tops()[1].name + s.Tops()[2].name, "BC");
}

TEST_F(ColumnFixture, CopiedTablesPasteBackAsTheyWere) {
    lith.InsertLayer(1010, 1);
    lith.InsertLayer(1030, 2); // "Shaly sand": a name with a blank
    lith.CopyData(platform);
    EXPECT_EQ(platform.clipboard, "Top depth\tLithology\r\n1010\tSandstone\r\n1030\tShaly sand\r\n");
    CLithTrack back;
    Place(back);
    platform.clipboardText = platform.clipboard + "1040\tGranite\r\n"; // unknown: the catch-all
    EXPECT_EQ(back.Paste(platform), 1);
    EXPECT_EQ(back.Layers(), (std::vector<CLithTrack::Layer>{{1010, 1}, {1030, 2}, {1040, 0}}));

    strat.InsertTop(1000, "Nordland Group", MakeRGB(9, 9, 9));
    strat.CopyData(platform);
    EXPECT_EQ(platform.clipboard, "Fm.\tTop depth\r\nNordland Group\t1000\r\n");
    CStratTrack sBack;
    Place(sBack);
    platform.clipboardText = platform.clipboard;
    EXPECT_EQ(sBack.Paste(platform), 1);
    ASSERT_EQ(sBack.Tops().size(), 1u);
    EXPECT_EQ(sBack.Tops()[0].name, "Nordland Group"); // the colour is not copied
    EXPECT_EQ(sBack.Tops()[0].fillColor, CStratTrack::kWhite);

    // Cancel keeps everything; agreeing and then pasting nothing usable still
    // changed the track (its old layers are gone), so the paste says so.
    platform.clipboardText = "nothing\there\r\n";
    platform.okAnswers = {false, true};
    EXPECT_EQ(back.Paste(platform), 0);
    EXPECT_EQ(back.Layers().size(), 3u);
    EXPECT_EQ(back.Paste(platform), 1);
    EXPECT_TRUE(back.Layers().empty());
    EXPECT_NE(platform.messages.back().find("No valid data points"), std::string::npos);
    // Rows without a depth add no layer.
    platform.clipboardText = "nan\tSandstone\r\ninf\tSandstone\r\n1000\tSandstone\r\n";
    EXPECT_EQ(back.Paste(platform), 1);
    EXPECT_EQ(back.Layers(), (std::vector<CLithTrack::Layer>{{1000, 1}}));
}

TEST_F(ColumnFixture, UnitsEditsAndLookups) {
    lith.InsertLayer(1000, 1);
    lith.KB = 10;
    strat.InsertTop(1000, "A", 0);
    lith.SetDepthUnit(kFeet);
    strat.SetDepthUnit(kFeet);
    EXPECT_FLOAT_EQ(lith.Layers()[0].top, 1000 * kLayerToFeet);
    EXPECT_FLOAT_EQ(lith.KB, 10 * kLayerToFeet); // the shift moves with its tops
    EXPECT_FLOAT_EQ(strat.Tops()[0].top, 1000 * kLayerToFeet);

    // An edited depth moves the layer to its sorted place (a formation's is the edit
    // tools' test).
    lith.InsertLayer(5000, 2);
    EXPECT_EQ(lith.ChangeLayer(0, 6000, 1), 1u);
    EXPECT_EQ(lith.Layers()[1], (CLithTrack::Layer{6000, 1}));
    EXPECT_FALSE(strat.InsertTop(NAN, "C", 0));

    // Lookups: names exactly, a pasted one whole then by its first word; anything
    // else is the catch-all 0.
    EXPECT_EQ(library.FindIdByName("sandstone"), -1);
    EXPECT_EQ(library.IdForPastedName(" Shaly sand "), 2);
    EXPECT_EQ(library.IdForPastedName("Sandstone, fine"), 0); // "Sandstone," is no name
    EXPECT_EQ(library.IdForPastedName("Sandstone fine"), 1);
}

// The shipped library loads in the demo page's test and its patterns in the fuzz
// replay. A folder of our own: a shipped pattern, a cut one, a missing one, a row
// without a file and a pattern that never ends (a device), each but the first white.
TEST(LithLibrary, MakesDoWithBrokenFiles) {
    CTempDir dir;
    fs::create_directories(dir.path / "LithImages");
    fs::copy_file(fs::path(TARVIK_SOURCE_DIR) / "data/LithImages/coal.bmp", dir.path / "LithImages/good.bmp");
    const std::string coal = ReadFileText(dir.path / "LithImages/good.bmp");
    WriteFileText(dir.path / "LithImages/cut.bmp", coal.substr(0, 60));
    fs::create_symlink("/dev/zero", dir.path / "LithImages/endless.bmp");
    WriteFileText(dir.path / "lithologies.ini",
                  "TABLE=Lithologies\nCOLUMNS=[id;name;bmpfile;phi0;phiz]\n"
                  "3;Good;good;0.5;0.05\n4;Cut;cut;0;0.1\n5;Missing;missing;-1;0.1\n6;NoFile\n"
                  "7;Endless;endless\n");
    CLithArray mine;
    ASSERT_TRUE(mine.LoadFrom({"/nonexistent/", dir.path.string() + "/"}));
    ASSERT_EQ(mine.size(), 5u);
    EXPECT_EQ((*mine[0].pattern)[0], 0u); // coal is black
    for (size_t i = 1; i < 5; ++i) EXPECT_EQ((*mine[i].pattern)[17], MakeRGB(255, 255, 255)) << i;
}
