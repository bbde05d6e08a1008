#include "axes/Axis.h"
#include "axes/AxisDrawing.h"
#include "axes/TrackHAxis.h"
#include "axes/TrackVAxis.h"
#include "gfx/RecordingSurface.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// Vertical lines from y0 to y1, by x.
std::vector<int> VerticalsAt(const CRecordingSurface& dc, int y0, int y1) {
    std::vector<int> xs;
    for (const CRecordedOp* op : dc.OfKind(CRecordedOp::Line)) {
        const CPoint from = op->points[0], to = op->points[1];
        if (from.x == to.x && from.y == y0 && to.y == y1) xs.push_back(from.x);
    }
    return xs;
}

// An axis with both grids on, placed from pixel 0 to `end`.
CAxis Gridded(int type, float min, float max, float major, float minor, int end, int cross) {
    CAxis a;
    a.Init(type, min, max, major, "g");
    a.minorUnit = minor;
    a.majorGrids = a.minorGrids = 1;
    a.SetPixelRange(0, end, cross);
    return a;
}

Strings TextsBut(const CRecordingSurface& dc, const std::string& title) {
    Strings out;
    for (const std::string& t : dc.Texts())
        if (t != title) out.push_back(t);
    return out;
}

} // namespace

// Header labels never leave their track, so neighbouring tracks' labels never run
// together, and no two labels of one axis touch; they keep the vertical alignment
// the context has.
TEST(AxisDraw, HeaderLabelsStayInsideTheirTrack) {
    struct Case {
        int type;
        float min, max, major;
        int width;
        int reverse = 0;
        size_t atLeast = 1; // labels that must remain
        Strings want = {};  // when given, exactly these
    };
    const Case cases[] = {
        {kAxisLinearH, 0, 150, 30, 140, 0, 4},
        {kAxisLinearH, 1.95f, 2.95f, 0.2f, 140, 0, 5},
        {kAxisLinearH, -0.15f, 0.45f, 0.15f, 140, 1, 3},
        {kAxisLinearH, -0.15f, 0.45f, 0.15f, 60},
        {kAxisLinearH, 2.4e12f, 3e12f, 1e11f, 140},
        {kAxisLinearH, 100, 1000, 100, 90},
        // Ten steps of 0.1 add up to a hair above 1: the end still stays unlabelled.
        {kAxisLinearH, 0, 1, 0.1f, 400, 0, 9,
         {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"}},
        // Decades and, over at most two of them, 2 and 5 times each; the maximum too.
        {kAxisLogH, 1, 400, 1, 300, 0, 8, {"2", "5", "10", "20", "50", "100", "200", "400"}},
        // Decades at x 10, 20, 30 with half widths 3, 5, 7: the inner "10" would touch
        // "100", which stays as the last label, inside the track.
        {kAxisLogH, 0.1f, 1000, 1, 40, 0, 2, {"1", "100"}},
        // "1" sits 2 units from the left edge: it is drawn from the edge instead.
        {kAxisLogH, 0.95f, 1000, 1, 300, 0, 3, {"1", "10", "100"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max) + " in " +
                     std::to_string(c.width));
        CTrackHAxis a;
        a.Init(c.type, c.min, c.max, c.major, "T");
        a.reverse = c.reverse;
        a.SetPixelRange(100, 100 + c.width, 50);
        CRecordingSurface dc;
        dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
        a.Draw(dc);
        int lastRight = INT_MIN;
        for (const CRecordedOp* op : dc.OfKind(CRecordedOp::Text)) {
            if (op->text == "T") continue;
            EXPECT_EQ(op->align & TA_VERT_MASK, TA_BASELINE) << op->text;
            dc.SelectFont(op->font);
            const int w = dc.GetTextExtent(op->text).cx;
            const unsigned h = op->align & TA_HORZ_MASK;
            const int from = h == TA_LEFT ? op->at.x : h == TA_RIGHT ? op->at.x - w : op->at.x - w / 2;
            EXPECT_GE(from, 100) << op->text;
            EXPECT_LE(from + w, 100 + c.width) << op->text;
            EXPECT_GT(from, lastRight) << op->text;
            lastRight = from + w;
        }
        EXPECT_GE(TextsBut(dc, "T").size(), c.atLeast);
        if (!c.want.empty()) { EXPECT_EQ(TextsBut(dc, "T"), c.want); }
    }
}

// At large depths and close scales every label sits on its own long tick, for the
// depth ruler and the header axis alike: tick values come from their index, not
// from adding up a unit that a float cannot hold exactly.
TEST(AxisDraw, LabelsStayOnTheirTicksAtAnyDepth) {
    CRecordingSurface dc;
    for (const double depth : {1000.0, 5000.0, 30000.0}) {
        for (const float unit : {1.0f, 0.1f, 0.05f, 0.01f}) {
            SCOPED_TRACE(std::to_string(depth) + " every " + std::to_string(unit));
            const float min = static_cast<float>(depth + 3.7 * unit);
            const float max = min + 8 * unit;
            Strings expected;
            for (double k = std::ceil(min / static_cast<double>(unit));
                 k * unit <= max + 0.001 * unit; ++k)
                expected.push_back(UnitLabel(k * unit, unit));

            CTrackVAxis ruler;
            ruler.Init(kAxisLinearV, min, max, unit, "D");
            ruler.SetPixelRange(100, 600, 0);
            ruler.SetTrackRect({0, 100, 50, 600});
            dc.Clear();
            ruler.DrawLinearV(dc);
            EXPECT_EQ(TextsBut(dc, "D"), expected);
            std::vector<int> longTicks;
            for (const CRecordedOp* l : dc.OfKind(CRecordedOp::Line))
                if (l->points[0].x == 0 && l->points[1].x == ruler.tickLength)
                    longTicks.push_back(l->points[0].y);
            ASSERT_EQ(longTicks.size(), expected.size());
            for (size_t i = 0; i < expected.size(); ++i) {
                const CRecordedOp* label = dc.FindText(expected[i]);
                ASSERT_NE(label, nullptr) << expected[i];
                // The recording surface realises the ruler's label font with a line of 13.
                EXPECT_EQ(label->at.y - 13 / 2, longTicks[i]) << expected[i];
            }

            CTrackHAxis header;
            header.Init(kAxisLinearH, min, max, unit, "H");
            header.SetPixelRange(0, 500, 100);
            dc.Clear();
            header.DrawLinearH(dc);
            const std::vector<int> majors = VerticalsAt(dc, 100, 100 - header.tickLength);
            EXPECT_GE(majors.size(), expected.size());
            for (const CRecordedOp* op : dc.OfKind(CRecordedOp::Text)) {
                // An end label pulled inside the track leaves its tick.
                if (op->text == "H" || (op->align & TA_HORZ_MASK) != TA_CENTER) continue;
                EXPECT_NE(std::ranges::find(majors, op->at.x), majors.end()) << op->text;
            }
        }
    }
}

// Missing, backward, NaN or tiny units draw a bounded number of ticks on the header
// axis and the depth ruler; just inside the cap every tick is drawn.
TEST(AxisDraw, DegenerateAxesEndWithBoundedTicks) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float max, major, minor;
    } cases[] = {{100, 20, 0}, {100, 20, -4}, {100, nan, nan}, {1000, 1e-9f, 1e-9f}, {20000, 1, 1}};
    for (const auto& c : cases) {
        CTrackHAxis header;
        CTrackVAxis depth;
        depth.SetTrackRect({0, 0, 50, 500});
        for (CAxis* a : {static_cast<CAxis*>(&header), static_cast<CAxis*>(&depth)}) {
            a->Init(a == &depth ? kAxisLinearV : kAxisLinearH, 0, c.max, 1, "t");
            a->majorUnit = c.major;
            a->minorUnit = c.minor;
            a->majorGrids = a->minorGrids = 1;
            a->SetPixelRange(0, 500, 0);
            CRecordingSurface dc;
            a->Draw(dc);
            a->DrawGridLinearH(dc, 100, 0);
            a->DrawGridLinearV(dc, 100, 0);
            EXPECT_LE(dc.ops.size(), 40u) << c.max << " " << c.major << " " << c.minor;
        }
    }

    CTrackHAxis many;
    many.Init(kAxisLinearH, 0, 9000, 1, "");
    many.minorUnit = 1;
    many.SetPixelRange(0, 9000, 0);
    CRecordingSurface dc;
    many.DrawLinearH(dc);
    EXPECT_EQ(VerticalsAt(dc, 0, -3).size(), 9001u);
}

TEST(AxisDraw, GridLinesLeaveOutTheEndsAndDrawMinorFirst) {
    CAxis a = Gridded(kAxisLinearH, 0, 100, 20, 4, 200, 10);
    a.minorStyle = PS_DOT;
    a.majorWidth = 1;
    const CPen minorPen{PS_DOT, 0, a.minorColour}, majorPen{PS_SOLID, 1, a.majorColour};
    CRecordingSurface dc;
    const CPen before = dc.Pen();
    a.DrawGridLinearH(dc, 300, 5);
    auto lines = dc.OfKind(CRecordedOp::Line);
    ASSERT_EQ(lines.size(), 24u + 4u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i]->pen, i < 24 ? minorPen : majorPen) << i;
        EXPECT_EQ(lines[i]->points[0].y, 5);
        EXPECT_EQ(lines[i]->points[1].y, 300);
    }
    EXPECT_EQ(lines[0]->points[0].x, a.ValueToPixel(4));
    EXPECT_EQ(lines.back()->points[0].x, a.ValueToPixel(80));
    EXPECT_EQ(dc.Pen(), before);

    // Depth lines; ten steps of 0.1 miss 1 by a rounding error.
    CAxis d = Gridded(kAxisLinearV, 0, 1, 0.1f, 0.05f, 100, 20);
    dc.Clear();
    d.DrawGridLinearV(dc, 80, 2);
    lines = dc.OfKind(CRecordedOp::Line);
    ASSERT_EQ(lines.size(), 19u + 9u);
    EXPECT_EQ(lines[19]->points[0], (CPoint{22, 10}));
    EXPECT_EQ(lines.back()->points[1], (CPoint{80, 90}));

    // A thousand minor lines on a hundred pixels: each pixel gets its line once.
    CAxis fine = Gridded(kAxisLinearH, 0, 10000, 100, 10, 100, 0);
    dc.Clear();
    fine.DrawGridLinearH(dc, 50, 0);
    std::vector<int> xs = VerticalsAt(dc, 0, 50);
    ASSERT_EQ(xs.size(), 101u + 99u); // minor lines on 0..100, major ones on 1..99
    for (int x = 0; x <= 100; ++x) EXPECT_EQ(xs[static_cast<size_t>(x)], x);
}
