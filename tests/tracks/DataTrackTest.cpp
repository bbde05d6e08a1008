#include "tracks/DataTrack.h"
#include "base/TableWriter.h"
#include "base/kdManager.h"
#include "gfx/RecordingSurface.h"
#include "support/ScriptedPlatform.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

using Point = CDataTrack::Point;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Makes the list hold exactly these points, head first.
void SetList(CDataTrack& t, const std::vector<Point>& list) {
    t.ClearPoints();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        t.AddPoint(it->value, it->depth);
}

std::vector<Point> List(const CDataTrack& t) {
    return {t.Points().begin(), t.Points().end()};
}

// The sort as the file format and the drawing know it: quadratic and not stable.
std::vector<Point> ExchangeSorted(std::vector<Point> p, bool byValue) {
    const auto key = [&](const Point& q) { return byValue ? q.value : q.depth; };
    for (size_t i = 0; i < p.size(); ++i)
        for (size_t j = i + 1; j < p.size(); ++j)
            if (key(p[j]) < key(p[i])) std::swap(p[i], p[j]);
    return p;
}

// Bit for bit, so NaN keys and negative zeros count too.
bool SameBits(const std::vector<Point>& a, const std::vector<Point>& b) {
    const auto bits = [](const Point& p) {
        return std::pair(std::bit_cast<uint32_t>(p.value), std::bit_cast<uint32_t>(p.depth));
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](const Point& p, const Point& q) { return bits(p) == bits(q); });
}

std::string Saved(CDataTrack& t) {
    std::string text;
    CTableWriter out(text);
    t.SaveHeader(out, "Track3");
    t.SaveData(out, "TrackData3");
    return text;
}

// A track 100 wide and 500 high over depths 1000 to 1100 m and values 0 to 100, so
// x = value and y = 100 + 5 x (depth - 1000).
struct DataTrackFixture : ::testing::Test {
    CTrackVAxis depth;
    CDataTrack track;
    CRecordingSurface dc;
    static constexpr ColourRef kLine = MakeRGB(1, 2, 3), kFill = MakeRGB(10, 11, 12);

    void SetUp() override {
        depth.Init(kAxisLinearV, 1000, 1100, 20, "Depth (m)");
        track.depthAxis = &depth;
        track.rect = {0, 100, 100, 600};
        track.hAxis.Init(kAxisLinearH, 0, 100, 20, "Porosity");
        track.linecolor = kLine;
        track.symbolcolor = MakeRGB(4, 5, 6);
        track.symbolBkColor = MakeRGB(7, 8, 9);
        track.fillColor = kFill;
        track.drawmarkers = 0;
        // Head first: 1010 at 20, 1020 at 60, 1030 at 40.
        SetList(track, {{20, 1010}, {60, 1020}, {40, 1030}});
    }
    // Draws afresh: the ops of a kind in the curve's pen or, for polygons, the fill's.
    std::vector<const CRecordedOp*> Drawn(CRecordedOp::Kind kind) {
        dc.Clear();
        track.Draw(dc);
        std::vector<const CRecordedOp*> out;
        for (const auto* op : dc.OfKind(kind))
            if (kind == CRecordedOp::Polygon ? op->brush.colour == kFill
                                             : op->pen.colour == kLine && op->pen.style != PS_NULL)
                out.push_back(op);
        return out;
    }
    // The points of the one such op drawn.
    std::vector<CPoint> One(CRecordedOp::Kind kind) {
        const auto ops = Drawn(kind);
        EXPECT_EQ(ops.size(), 1u);
        return ops.empty() ? std::vector<CPoint>{} : ops[0]->points;
    }
};

} // namespace

// --- Drawing ---

TEST_F(DataTrackFixture, ThePlotStylesDrawTheirLines) {
    track.drawline = 1;
    track.KB = 10; // not applied when drawing
    EXPECT_EQ(One(CRecordedOp::Polyline), (std::vector<CPoint>{{20, 150}, {60, 200}, {40, 250}}));

    track.plotStyle = 1; // a step curve: down at the previous x, then across
    EXPECT_EQ(One(CRecordedOp::Polyline),
              (std::vector<CPoint>{{20, 150}, {20, 200}, {60, 200}, {60, 250}, {40, 250}}));

    track.plotStyle = 2; // sticks from the minimum
    auto sticks = Drawn(CRecordedOp::Line);
    ASSERT_EQ(sticks.size(), 3u);
    EXPECT_EQ(sticks[2]->points, (std::vector<CPoint>{{0, 250}, {40, 250}}));
}

// The fill runs along the baseline with nulls at the minimum; one point draws its
// marker but no fill.
TEST_F(DataTrackFixture, FillAndMarkers) {
    track.colorFill = 1;
    track.fillSide = 1;
    SetList(track, {{20, 1010}, {track.nullvalue, 1020}, {40, 1030}});
    // count + 2 points; the null sits at the minimum although the fill side is High.
    EXPECT_EQ(One(CRecordedOp::Polygon),
              (std::vector<CPoint>{{100, 150}, {20, 150}, {0, 200}, {40, 250}, {100, 250}}));
    EXPECT_EQ(dc.OfKind(CRecordedOp::Polygon)[0]->pen.style, PS_NULL);

    track.drawmarkers = 1;
    track.symbolsize = 3;
    track.symbolid = 22; // ids wrap around: symbol 0, the circle
    SetList(track, {{20, 1010}});
    EXPECT_TRUE(Drawn(CRecordedOp::Polygon).empty());
    const auto marks = dc.OfKind(CRecordedOp::Ellipse);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0]->rect, (CRect{17, 147, 24, 154}));
}

// --- Files ---

TEST_F(DataTrackFixture, SavesBothTablesAndReadsThemBackByteForByte) {
    track.drawline = 1;
    track.symbolid = 5;
    track.symbolsize = 4;
    track.plotStyle = 2;
    track.colorFill = 1;
    track.count = 77; // stale: the header writes what the list holds
    SetList(track, {{20.5f, 1010}, {track.nullvalue, 1010.25f}, {-0.00001f, 1020}, {kNaN, 1030}});
    const std::string text = Saved(track);
    EXPECT_NE(text.find("glsminor;0\nlinewidth;1\nlinecolor;197121\nlinestyle;0\n"
                        "nullvalue;-99999\ncount;4\ndrawline;1\ndrawmarkers;0\nsymbolid;5\n"
                        "symbolcolor;394500\nsymbolBkColor;591879\nsymbolsize;4\n"
                        "fillColor;789258\ncolorFill;1\nfillSide;0\nplotStyle;2\noverlay;0\n"
                        "END\n\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("TABLE=TrackData3\nDELIMITER=;\nCOLUMNS=[depth;value]\n"
                        "1010.0000;20.5000\n1010.2500;-99999.0000\n1020.0000;-0.0000\n"
                        "1030.0000;nan\nEND\n\n"),
              std::string::npos)
        << text;

    kdManager in;
    in.Read(text, "t");
    CDataTrack copy;
    ASSERT_EQ(copy.LoadHeader(in, "Track3"), 1);
    ASSERT_EQ(copy.LoadData(in, "TrackData3"), 1);
    EXPECT_EQ(Saved(copy), text);
}

// Older files call the plot style blockCurve; the new key wins over the old one. Data
// rows decide the points, not the count.
TEST(DataTrack, LoadReadsOldKeysAndTakesTheRowsSorted) {
    kdManager in;
    in.Read(std::string_view("TABLE=Old\nCOLUMNS=[name;value]\nblockCurve;1\n"
                             "TABLE=Both\nCOLUMNS=[name;value]\nplotStyle;2\nblockCurve;1\n"
                             "TABLE=H\nCOLUMNS=[name;value]\ncount;2000000000\nnullvalue;-1\n"
                             "TABLE=D\nCOLUMNS=[depth;value]\n30;3\n10;1a\nx;9\n20;\n20;2\n10;5\n"),
            "t");
    CDataTrack t;
    ASSERT_EQ(t.LoadHeader(in, "Old"), 1);
    EXPECT_EQ(t.plotStyle, 1);
    ASSERT_EQ(t.LoadHeader(in, "Both"), 1);
    EXPECT_EQ(t.plotStyle, 2);
    ASSERT_EQ(t.LoadHeader(in, "H"), 1);
    ASSERT_EQ(t.LoadData(in, "D"), 1);
    // The row without a depth is left out, an unreadable value is a null; each row
    // went to the head and the exchange sort ordered the result.
    const std::vector<Point> expected =
        ExchangeSorted({{5, 10}, {2, 20}, {-1, 20}, {1, 10}, {3, 30}}, false);
    EXPECT_TRUE(SameBits(List(t), expected));
}

// --- Clipboard ---

TEST(DataTrack, CopyWritesDepthThenValueInListOrder) {
    CDataTrack t;
    CScriptedPlatform platform;
    t.CopyData(platform);
    EXPECT_EQ(platform.messages, (std::vector<std::string>{"Nothing to copy"}));

    SetList(t, {{2.5f, 1000.125f}, {-99999, 1e7f}});
    t.KB = 10; // copied depths are the stored ones
    t.CopyData(platform);
    EXPECT_EQ(platform.clipboard, "1000.12\t2.5\r\n1e+07\t-99999\r\n");
}

TEST_F(DataTrackFixture, PastedPointsEndInReverseOrderUnsorted) {
    CScriptedPlatform platform;
    platform.clipboardText = "Depth\tValue\r\n1030\t7\r\n1010\t5\r\n1020\t6\t\r\n1040\t8";
    EXPECT_EQ(track.Paste(platform), 1);
    EXPECT_TRUE(platform.messages.empty());
    // The header reads no number; the last line has no field end and adds nothing.
    EXPECT_EQ(List(track), (std::vector<Point>{{6, 1020}, {5, 1010}, {7, 1030}}));

    // Points on the axes' ends are inside; the rest are counted.
    track.ClearPoints();
    platform.clipboardText = "1000\t0\r\n1100\t100\r\n1050\t100.5\r\n1100.5\t50\r\n1050\tnan\r\n";
    platform.questions.clear();
    EXPECT_EQ(track.Paste(platform), 1);
    EXPECT_TRUE(platform.questions.empty()); // nothing to clear
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("3 out of 5 points are outside"), std::string::npos);
}

TEST_F(DataTrackFixture, UnusableTextSaysWhy) {
    CScriptedPlatform platform;
    // The old points are gone once the user agreed: the track has changed (1), so
    // the document is saved, even though the text brought nothing in.
    platform.clipboardText = "Depth\tName\r\n1010\tshale\r\n\t5\r\n";
    EXPECT_EQ(track.Paste(platform), 1);
    EXPECT_NE(platform.messages.back().find("No valid data points"), std::string::npos);
    EXPECT_EQ(track.PointCount(), 0);
    EXPECT_EQ(track.Paste(platform), 0); // nothing before, nothing after: no change

    // A 255-character field ends the scan; what came before it stays.
    platform.clipboardText = "1010\t5\r\n1020\t" + std::string(255, '6') + "\r\n1030\t7\r\n";
    EXPECT_EQ(track.Paste(platform), 1);
    EXPECT_NE(platform.messages.back().find("format is not valid"), std::string::npos);
    EXPECT_EQ(List(track), (std::vector<Point>{{5, 1010}}));

    platform.clipboardText = "1010\t5\r\n1020\t" + std::string(254, '1') + "\r\n";
    EXPECT_EQ(track.Paste(platform), 1);
    EXPECT_EQ(track.PointCount(), 2);

    // The text ends at its first zero, as any C string would.
    platform.clipboardText = std::string("1010\t5\r\n\0" "1020\t6\r\n", 17);
    EXPECT_EQ(track.Paste(platform), 1);
    EXPECT_EQ(track.PointCount(), 1);
}

// The rescale covers the point values but leaves out infinity.
TEST(DataTrack, RescaleLeavesOutInfinity) {
    CDataTrack t;
    SetList(t, {{12, 1500}, {kNaN, 900}, {-3, kNaN}, {kInf, 1200}, {47, 1000}});
    t.RescaleToData();
    EXPECT_LE(t.hAxis.min, -3);
    EXPECT_GE(t.hAxis.max, 47);
    EXPECT_LT(t.hAxis.max, 100);
}

// --- The exchange sort ---

// Random lists of every shape (sorted, sorted but for the head as after digitising,
// non-increasing as after loading, distinct, anything) must come out exactly as the
// plain exchange sort leaves them, NaN keys included, by depth and by value.
TEST(DataTrackSort, EveryShapeMatchesThePlainExchangeSort) {
    std::mt19937 rng(20240611);
    const float pool[] = {-kInf, -1, -0.0f, 0.0f, 1, 2, 2.5f, 3, kInf};
    const auto pick = [&](size_t n) { return rng() % n; };
    for (int trial = 0; trial < 6000; ++trial) {
        const int shape = trial % 6;
        const size_t n = shape == 5 ? 20 + pick(150) : 1 + pick(10);
        std::vector<float> keys(n);
        for (size_t i = 0; i < n; ++i) keys[i] = shape == 3 ? static_cast<float>(i) : pool[pick(9)];
        if (shape == 0) std::sort(keys.begin(), keys.end());
        if (shape == 1) std::sort(keys.begin() + 1, keys.end());
        if (shape == 2) std::sort(keys.rbegin(), keys.rend());
        if (shape == 3) std::shuffle(keys.begin(), keys.end(), rng);
        if (trial % 5 == 4 && n > 1) keys[pick(n)] = kNaN;
        const bool byValue = trial % 2 == 0;

        std::vector<Point> list;
        for (size_t i = 0; i < n; ++i) {
            const float id = static_cast<float>(i);
            list.push_back(byValue ? Point{keys[i], id} : Point{id, keys[i]});
        }
        CDataTrack t;
        SetList(t, list);
        if (byValue) t.SortPoints(1); else t.SortByDepth();
        ASSERT_TRUE(SameBits(List(t), ExchangeSorted(list, byValue)))
            << "trial " << trial << " shape " << shape;
    }
}
