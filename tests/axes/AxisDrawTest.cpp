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

Strings TextsBut(const CRecordingSurface& dc, const std::string& title) {
    Strings out;
    for (const std::string& t : dc.Texts())
        if (t != title) out.push_back(t);
    return out;
}

// The drawn text, or a failure and an empty record when it was not drawn.
const CRecordedOp& TextOp(const CRecordingSurface& dc, const std::string& text) {
    static const CRecordedOp missing{};
    const CRecordedOp* op = dc.FindText(text);
    if (!op) ADD_FAILURE() << "no text \"" << text << "\"";
    return op ? *op : missing;
}

// Sets the axis up and records what it draws.
CRecordingSurface Record(CAxis& a, int type, float min, float max, float major, const char* title,
                        int from, int to, int at) {
    a.Init(type, min, max, major, title);
    a.SetPixelRange(from, to, at);
    CRecordingSurface dc;
    a.Draw(dc);
    return dc;
}

// The recording surface realises the ruler's label font with a line of 13.
constexpr int kTitleLine = 13;

} // namespace

// A header axis labels only its inner values above the line, with its ticks pointing up;
// the base axis labels its ends too, below the line; another type draws nothing.
TEST(AxisDraw, LinearAxesLabelAndTickBySide) {
    CTrackHAxis a;
    CRecordingSurface dc = Record(a, kAxisLinearH, 0, 100, 20, "GR", 10, 210, 100);
    EXPECT_EQ(dc.Texts(), (Strings{"20", "40", "60", "80", "GR"}));
    std::vector<int> minors, majors;
    for (int v = 0; v <= 100; v += 4) minors.push_back(a.ValueToPixel(static_cast<float>(v)));
    for (int v = 0; v <= 100; v += 20) majors.push_back(a.ValueToPixel(static_cast<float>(v)));
    EXPECT_EQ(VerticalsAt(dc, 100, 97), minors); // a minor tick is half long
    EXPECT_EQ(VerticalsAt(dc, 100, 94), majors);
    EXPECT_LT(TextOp(dc, "GR").at.y, TextOp(dc, "40").at.y);
    EXPECT_LT(TextOp(dc, "40").at.y, 100);

    // Ten steps of 0.1 add up to a hair above 1: the end still stays unlabelled.
    CTrackHAxis f;
    EXPECT_EQ(TextsBut(Record(f, kAxisLinearH, 0, 1, 0.1f, "", 0, 400, 50), ""),
              (Strings{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"}));

    CAxis b;
    dc = Record(b, kAxisLinearH, 0, 100, 50, "X", 0, 200, 40);
    EXPECT_EQ(dc.Texts(), (Strings{"0", "50", "100", "X"}));
    EXPECT_GT(TextOp(dc, "X").at.y, TextOp(dc, "50").at.y);
    EXPECT_GT(TextOp(dc, "50").at.y, 40);
    b.axisType = 9;
    dc.Clear();
    b.Draw(dc);
    EXPECT_TRUE(dc.ops.empty());
}

TEST(AxisDraw, LogAxisLabelsDecadesAndChosenMultiples) {
    for (float max : {1000.0f, 400.0f}) {
        CAxis a;
        const CRecordingSurface dc = Record(a, kAxisLogH, 1, max, 1, "Res", 0, 300, 50);
        const Strings want = max == 1000
                                 ? Strings{"1", "10", "100", "1000"}
                                 : Strings{"1", "2", "5", "10", "20", "50", "100", "200", "400"};
        EXPECT_EQ(TextsBut(dc, "Res"), want);
        EXPECT_EQ(TextOp(dc, "10").at, (CPoint{a.ValueToPixel(10), 59})) << max;
        if (max != 1000) continue;
        EXPECT_EQ(VerticalsAt(dc, 50, 56), (std::vector<int>{0, 100, 200, 300}));
        EXPECT_EQ(VerticalsAt(dc, 50, 53).size(), 24u); // 2..9 in each decade
    }
}

TEST(AxisDraw, HeaderLogAxisDropsOverlappingLabelsAndKeepsTheVerticalAlignment) {
    const auto labels = [](float min, int width) {
        CTrackHAxis a;
        a.Init(kAxisLogH, min, 1000, 1, "T");
        a.SetPixelRange(0, width, 50);
        CRecordingSurface dc;
        dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
        a.Draw(dc);
        for (const CRecordedOp* op : dc.OfKind(CRecordedOp::Text))
            EXPECT_TRUE(op->text == "T" || (op->align & TA_VERT_MASK) == TA_BASELINE) << op->text;
        return TextsBut(dc, "T");
    };
    // Decades at x 10, 20, 30 with half widths 3, 5, 7: the inner "10" would touch
    // "100", which stays as the last label, inside the track.
    EXPECT_EQ(labels(0.1f, 40), (Strings{"1", "100"}));
    // "1" sits 2 units from the left edge: it is drawn from the edge instead.
    EXPECT_EQ(labels(0.95f, 300), (Strings{"1", "10", "100"}));
}

// Header labels never leave their track, so neighbouring tracks' labels never run
// together, and no two labels of one axis touch.
TEST(AxisDraw, HeaderLabelsStayInsideTheirTrack) {
    struct Case {
        int type;
        float min, max, major;
        int width;
        int reverse = 0;
        size_t atLeast = 1; // labels that must remain
    };
    const Case cases[] = {
        {kAxisLinearH, 0, 150, 30, 140, 0, 4},
        {kAxisLinearH, 1.95f, 2.95f, 0.2f, 140, 0, 5},
        {kAxisLinearH, -0.15f, 0.45f, 0.15f, 140, 1, 3},
        {kAxisLinearH, -0.15f, 0.45f, 0.15f, 60},
        {kAxisLinearH, 2.4e12f, 3e12f, 1e11f, 140},
        {kAxisLogH, 0.2f, 2000, 1, 50},
        {kAxisLinearH, 100, 1000, 100, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max) + " in " +
                     std::to_string(c.width));
        CTrackHAxis a;
        a.Init(c.type, c.min, c.max, c.major, "T");
        a.reverse = c.reverse;
        a.SetPixelRange(100, 100 + c.width, 50);
        CRecordingSurface dc;
        a.Draw(dc);
        int lastRight = INT_MIN;
        for (const CRecordedOp* op : dc.OfKind(CRecordedOp::Text)) {
            if (op->text == "T") continue;
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
    }
}

// A range of 0..100 is repaired to 0.1..99.9 once and draws the same again; a sound
// range is kept, and its ends beyond 0.1 and 99.9 show them.
TEST(AxisDraw, ProbabilityAxisRepairsItsRangeAndKeepsIt) {
    CAxis a;
    CRecordingSurface dc = Record(a, kAxisProbabilityV, 0, 100, 10, "P", 0, 1000, 20);
    EXPECT_FLOAT_EQ(a.min, 0.1f);
    EXPECT_FLOAT_EQ(a.max, 99.9f);
    EXPECT_EQ(a.ValueToPixel(99.9f), 1000);
    Strings labels{"1", "10", "20", "30", "40", "50", "60", "70", "80", "90", "99"};
    EXPECT_EQ(TextsBut(dc, "P"), labels);
    for (const float wider : {0.0f, 0.05f}) {
        if (wider > 0) {
            a.min = wider;
            a.max = 100 - wider;
            labels.insert(labels.begin(), "0.1");
            labels.push_back("99.9");
        }
        dc.Clear();
        a.Draw(dc);
        EXPECT_EQ(TextsBut(dc, "P"), labels) << wider;
    }
    EXPECT_FLOAT_EQ(a.min, 0.05f);
}

// At large depths and close scales every label sits on its own long tick, for the
// depth ruler and the header axis alike: tick values come from their index, not
// from adding up a unit that a float cannot hold exactly. The ruler draws nothing
// before it has its rectangle.
TEST(AxisDraw, LabelsStayOnTheirTicksAtAnyDepth) {
    CTrackVAxis bare;
    bare.Init(kAxisLinearV, 1000, 1500, 100, "D");
    CRecordingSurface dc;
    bare.DrawLinearV(dc);
    EXPECT_TRUE(dc.ops.empty());
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
            for (size_t i = 0; i < expected.size(); ++i)
                EXPECT_EQ(TextOp(dc, expected[i]).at.y - kTitleLine / 2, longTicks[i]) << expected[i];

            CTrackHAxis header;
            header.Init(kAxisLinearH, min, max, unit, "H");
            header.SetPixelRange(0, 500, 100);
            dc.Clear();
            header.DrawLinearH(dc);
            const std::vector<int> majors = VerticalsAt(dc, 100, 100 - header.tickLength);
            EXPECT_GE(majors.size(), expected.size());
            for (const std::string& label : TextsBut(dc, "H")) {
                const CRecordedOp& op = TextOp(dc, label);
                if ((op.align & TA_HORZ_MASK) != TA_CENTER) continue; // kept inside the track
                EXPECT_NE(std::find(majors.begin(), majors.end(), op.at.x), majors.end()) << label;
            }
        }
    }
}

// Missing, backward, NaN or tiny units draw a bounded number of ticks on every kind of
// axis, and a log or date axis from 0 draws nothing; just inside the cap every tick is
// drawn.
TEST(AxisDraw, DegenerateAxesEndWithBoundedTicks) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float max, major, minor;
    } cases[] = {{100, 20, 0}, {100, 20, -4}, {100, nan, nan}, {1000, 1e-9f, 1e-9f}, {20000, 1, 1}};
    for (const auto& c : cases) {
        CAxis base;
        CTrackHAxis header;
        CTrackVAxis depth;
        depth.SetTrackRect({0, 0, 50, 500});
        for (CAxis* a : {&base, static_cast<CAxis*>(&header), static_cast<CAxis*>(&depth)}) {
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

    CAxis many;
    many.Init(kAxisLinearH, 0, 9000, 1, "");
    many.minorUnit = 1;
    many.SetPixelRange(0, 9000, 0);
    CRecordingSurface dc;
    many.DrawLinearH(dc);
    EXPECT_EQ(VerticalsAt(dc, 0, 3).size(), 9001u);

    for (int type : {kAxisLogH, kAxisLogV, kAxisDateH}) {
        CTrackHAxis h;
        h.Init(type, 0, 100, 10, "log");
        h.majorGrids = h.minorGrids = 1;
        h.SetPixelRange(0, 100, 10);
        dc.Clear();
        h.Draw(dc);
        h.DrawGridLogH(dc, 100);
        EXPECT_TRUE(dc.ops.empty()) << type;
    }
}

TEST(AxisDraw, GridLinesLeaveOutTheEndsAndDrawMinorFirst) {
    CAxis a;
    a.Init(kAxisLinearH, 0, 100, 20, "g");
    a.majorGrids = a.minorGrids = 1;
    a.minorStyle = PS_DOT;
    a.majorWidth = 1;
    a.SetPixelRange(0, 200, 10);
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

    CAxis d; // depth lines; ten steps of 0.1 miss 1 by a rounding error
    d.Init(kAxisLinearV, 0, 1, 0.1f, "d");
    d.minorUnit = 0.05f;
    d.majorGrids = d.minorGrids = 1;
    d.SetPixelRange(0, 100, 20);
    dc.Clear();
    d.DrawGridLinearV(dc, 80, 2);
    lines = dc.OfKind(CRecordedOp::Line);
    ASSERT_EQ(lines.size(), 19u + 9u);
    EXPECT_EQ(lines[19]->points[0], (CPoint{22, 10}));
    EXPECT_EQ(lines.back()->points[1], (CPoint{80, 90}));

    // A thousand minor lines on a hundred pixels: each pixel gets its line once.
    CAxis fine;
    fine.Init(kAxisLinearH, 0, 10000, 100, "f");
    fine.minorUnit = 10;
    fine.majorGrids = fine.minorGrids = 1;
    fine.SetPixelRange(0, 100, 0);
    dc.Clear();
    fine.DrawGridLinearH(dc, 50, 0);
    std::vector<int> xs = VerticalsAt(dc, 0, 50);
    ASSERT_EQ(xs.size(), 101u + 99u); // minor lines on 0..100, major ones on 1..99
    for (int x = 0; x <= 100; ++x) EXPECT_EQ(xs[static_cast<size_t>(x)], x);
}

TEST(AxisDraw, DateAxisCalendarAndLabelsBySpan) {
    EXPECT_EQ(DayFromDate(1600, 3, 1), 0);
    EXPECT_EQ(DayFromDate(2000, 1, 1), 146037);
    EXPECT_EQ(DayFromDate(1600, 2, 29), -1);
    // Consecutive days, including leap days and days before 1 March 1600.
    CCivilDate prev = DateFromDay(-200000);
    for (long long d = -199999; d <= 200000; ++d) {
        const CCivilDate c = DateFromDay(d);
        ASSERT_EQ(DayFromDate(c.year, c.month, c.day), d);
        const bool nextDay = c.year == prev.year && c.month == prev.month && c.day == prev.day + 1;
        const bool nextMonth = c.day == 1 && ((c.year == prev.year && c.month == prev.month + 1) ||
                                              (c.year == prev.year + 1 && c.month == 1));
        ASSERT_TRUE(nextDay || nextMonth) << d;
        prev = c;
    }
    EXPECT_EQ(DateFromDay(DayFromDate(2000, 2, 29) + 1).month, 3);
    EXPECT_EQ(DateFromDay(DayFromDate(1900, 2, 28) + 1).month, 3);

    const auto labels = [](long long from, long long to) {
        CAxis a;
        const CRecordingSurface dc = Record(a, kAxisDateH, static_cast<float>(from),
                                           static_cast<float>(to), 1, "When", 0, 500, 0);
        if (const CRecordedOp* op = dc.FindText("Mar")) {
            EXPECT_EQ(op->at.x, a.ValueToPixel(static_cast<float>(DayFromDate(2000, 3, 1))));
        }
        return TextsBut(dc, "When");
    };
    const long long jan2000 = DayFromDate(2000, 1, 1);
    // The tick of mid-1990 moves back before the range and is left out; a walk
    // goes on only while the unmoved day is inside the range.
    EXPECT_EQ(
        labels(DayFromDate(1990, 6, 15), DayFromDate(2000, 1, 15)),
        (Strings{"1991", "1992", "1993", "1994", "1995", "1996", "1997", "1998", "1999", "2000"}));
    EXPECT_EQ(labels(jan2000, DayFromDate(2000, 3, 1)),
              (Strings{"Jan", "11", "21", "31", "10", "20", "Mar"}));
    EXPECT_EQ(labels(jan2000, jan2000 + 20), (Strings{"1", "5", "9", "13", "17", "21"}));
    EXPECT_TRUE(labels(1, 2'000'000'000).empty()); // far beyond any calendar: no ticks
}
