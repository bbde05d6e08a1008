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

struct Drawn {
    CPoint from, to;
    CPen pen;
};

std::vector<Drawn> Lines(const CRecordingSurface& dc) {
    std::vector<Drawn> out;
    for (const CRecordedOp* op : dc.OfKind(CRecordedOp::Line))
        out.push_back({op->points[0], op->points[1], op->pen});
    return out;
}

// Vertical lines from y0 to y1, by x.
std::vector<int> VerticalsAt(const CRecordingSurface& dc, int y0, int y1) {
    std::vector<int> xs;
    for (const Drawn& s : Lines(dc))
        if (s.from.x == s.to.x && s.from.y == y0 && s.to.y == y1) xs.push_back(s.from.x);
    return xs;
}

std::vector<std::string> TextsBut(const CRecordingSurface& dc, const std::string& title) {
    std::vector<std::string> out;
    for (const std::string& t : dc.Texts())
        if (t != title) out.push_back(t);
    return out;
}

using Strings = std::vector<std::string>;

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

// The recording surface realises the 6-point tick font with an em of 8, a line of 9.
constexpr int kTickLine = 9;
constexpr int kTitleLine = 13;

} // namespace

TEST(AxisDraw, HeaderLinearAxisLabelsInnerValuesAndTicksEveryUnit) {
    CTrackHAxis a;
    const CRecordingSurface dc = Record(a, kAxisLinearH, 0, 100, 20, "GR", 10, 210, 100);
    EXPECT_EQ(dc.Texts(), (Strings{"20", "40", "60", "80", "GR"}));
    std::vector<int> minors, majors;
    for (int v = 0; v <= 100; v += 4)
        minors.push_back(a.ValueToPixel(static_cast<float>(v)));
    for (int v = 0; v <= 100; v += 20)
        majors.push_back(a.ValueToPixel(static_cast<float>(v)));
    EXPECT_EQ(VerticalsAt(dc, 100, 97), minors); // ticks point up, a minor one half long
    EXPECT_EQ(VerticalsAt(dc, 100, 94), majors);
    EXPECT_EQ(TextOp(dc, "40").at, (CPoint{a.ValueToPixel(40), 92}));
    EXPECT_EQ(TextOp(dc, "GR").at, (CPoint{110, 100 - 6 - kTickLine - 4}));

    // Ten steps of 0.1 add up to a hair above 1: the end still stays unlabelled.
    CTrackHAxis f;
    EXPECT_EQ(TextsBut(Record(f, kAxisLinearH, 0, 1, 0.1f, "", 0, 400, 50), ""),
              (Strings{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"}));
}

TEST(AxisDraw, BaseAxesPlaceTicksLabelsAndTitlesBySide) {
    CAxis a; // ticks and labels below the line
    CRecordingSurface dc = Record(a, kAxisLinearH, 0, 100, 50, "X", 0, 200, 40);
    EXPECT_EQ(dc.Texts(), (Strings{"0", "50", "100", "X"}));
    EXPECT_EQ(TextOp(dc, "50").at, (CPoint{100, 40 + 6 + 3}));
    EXPECT_EQ(TextOp(dc, "X").at, (CPoint{100, 40 + 6 + kTickLine + 6}));

    CAxis other;
    other.axisType = 9;
    dc.Clear();
    other.Draw(dc);
    EXPECT_TRUE(dc.ops.empty());
}

TEST(AxisDraw, LogAxisLabelsDecadesAndChosenMultiples) {
    struct Case {
        float min, max;
        Strings labels;
    };
    const Case cases[] = {
        {1, 1000, {"1", "10", "100", "1000"}},
        {1, 400, {"1", "2", "5", "10", "20", "50", "100", "200", "400"}},
    };
    for (const Case& c : cases) {
        CAxis a;
        const CRecordingSurface dc = Record(a, kAxisLogH, c.min, c.max, 1, "Res", 0, 300, 50);
        EXPECT_EQ(TextsBut(dc, "Res"), c.labels) << c.max;
        EXPECT_EQ(TextOp(dc, "10").at, (CPoint{a.ValueToPixel(10), 59})) << c.max;
    }

    CAxis a;
    CRecordingSurface dc = Record(a, kAxisLogH, 1, 1000, 1, "", 0, 300, 50);
    EXPECT_EQ(VerticalsAt(dc, 50, 56), (std::vector<int>{0, 100, 200, 300}));
    EXPECT_EQ(VerticalsAt(dc, 50, 53).size(), 24u); // 2..9 in each decade
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
            if (op->text != "T") {
                EXPECT_EQ(op->align & TA_VERT_MASK, TA_BASELINE);
            }
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
        {kAxisLinearH, 0, 150, 30, 140, 0, 4},      {kAxisLinearH, 1.95f, 2.95f, 0.2f, 140, 0, 5},
        {kAxisLinearH, -0.15f, 0.45f, 0.15f, 140, 1, 3}, {kAxisLinearH, -0.15f, 0.45f, 0.15f, 60},
        {kAxisLinearH, 2.4e12f, 3e12f, 1e11f, 140}, {kAxisLogH, 0.2f, 2000, 1, 50},
        {kAxisLinearH, 100, 1000, 100, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max) + " in " + std::to_string(c.width));
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

TEST(AxisDraw, ProbabilityAxisRepairsItsRangeAndKeepsIt) {
    CAxis a;
    CRecordingSurface dc = Record(a, kAxisProbabilityV, 0, 100, 10, "P", 0, 1000, 20);
    EXPECT_FLOAT_EQ(a.min, 0.1f);
    EXPECT_FLOAT_EQ(a.max, 99.9f);
    EXPECT_EQ(a.ValueToPixel(99.9f), 1000);
    const Strings labels{"1", "10", "20", "30", "40", "50", "60", "70", "80", "90", "99"};
    EXPECT_EQ(TextsBut(dc, "P"), labels);
    dc.Clear();
    a.Draw(dc); // the repaired range draws the same again
    EXPECT_EQ(TextsBut(dc, "P"), labels);

    a.min = 0.05f; // a sound range is kept, and its ends beyond 0.1 and 99.9 show them
    a.max = 99.95f;
    dc.Clear();
    a.Draw(dc);
    Strings wider = labels;
    wider.insert(wider.begin(), "0.1");
    wider.push_back("99.9");
    EXPECT_EQ(TextsBut(dc, "P"), wider);
    EXPECT_FLOAT_EQ(a.min, 0.05f);
}

TEST(AxisDraw, DepthAxisIsARulerWithTitleAboveTheTrack) {
    CTrackVAxis v;
    v.Init(kAxisLinearV, 1000, 1500, 100, "Depth (m)");
    v.SetPixelRange(100, 600, 10);
    CRecordingSurface dc;
    v.DrawLinearV(dc); // no rectangle yet
    EXPECT_TRUE(dc.ops.empty());

    v.SetTrackRect({10, 100, 60, 600});
    v.DrawLinearV(dc);
    EXPECT_EQ(TextsBut(dc, "Depth (m)"), (Strings{"1000", "1100", "1200", "1300", "1400", "1500"}));
}

// At large depths and close scales every label sits on its own long tick, for the
// depth ruler and the header axis alike: tick values come from their index, not
// from adding up a unit that a float cannot hold exactly.
TEST(AxisDraw, LabelsStayOnTheirTicksAtAnyDepth) {
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
            CRecordingSurface dc;
            ruler.DrawLinearV(dc);
            EXPECT_EQ(TextsBut(dc, "D"), expected);
            std::vector<int> longTicks;
            for (const Drawn& l : Lines(dc))
                if (l.from.x == 0 && l.to.x == ruler.tickLength) longTicks.push_back(l.from.y);
            ASSERT_EQ(longTicks.size(), expected.size());
            for (size_t i = 0; i < expected.size(); ++i)
                EXPECT_EQ(TextOp(dc, expected[i]).at.y - kTitleLine / 2, longTicks[i]) << expected[i];

            CTrackHAxis header;
            header.Init(kAxisLinearH, min, max, unit, "H");
            header.SetPixelRange(0, 500, 100);
            dc.Clear();
            header.DrawLinearH(dc);
            std::vector<int> majors;
            for (const Drawn& l : Lines(dc))
                if (l.from.x == l.to.x && l.to.y == 100 - header.tickLength) majors.push_back(l.from.x);
            for (const std::string& label : TextsBut(dc, "H")) {
                const CRecordedOp& op = TextOp(dc, label);
                if ((op.align & TA_HORZ_MASK) != TA_CENTER) continue; // kept inside the track
                EXPECT_NE(std::find(majors.begin(), majors.end(), op.at.x), majors.end()) << label;
            }
        }
    }
}

TEST(AxisDraw, DegenerateAxesEndWithBoundedTicks) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float min, max, major, minor;
    };
    const Case cases[] = {
        {0, 100, 20, 0},          // no minor unit: no minor walk at all
        {0, 100, 20, -4},         // walks away from max
        {0, 100, nan, nan},       // NaN units
        {0, 1000, 1e-9f, 1e-9f},  // a trillion ticks: none
        {0, 20000, 1, 1},         // beyond the cap
    };
    for (const Case& c : cases) {
        CAxis base;
        CTrackHAxis header;
        CTrackVAxis depth;
        depth.SetTrackRect({0, 0, 50, 500});
        for (CAxis* a : {&base, static_cast<CAxis*>(&header), static_cast<CAxis*>(&depth)}) {
            a->Init(a == &depth ? kAxisLinearV : kAxisLinearH, c.min, c.max, 1, "t");
            a->majorUnit = c.major;
            a->minorUnit = c.minor;
            a->majorGrids = a->minorGrids = 1;
            a->SetPixelRange(0, 500, 0);
            CRecordingSurface dc;
            a->Draw(dc);
            a->DrawGridLinearH(dc, 100, 0);
            a->DrawGridLinearV(dc, 100, 0);
            EXPECT_LE(dc.ops.size(), 40u) << c.min << " " << c.max << " " << c.minor;
        }
    }

    // Just inside the cap every tick is drawn.
    CAxis many;
    many.Init(kAxisLinearH, 0, 9000, 1, "");
    many.minorUnit = 1;
    many.SetPixelRange(0, 9000, 0);
    CRecordingSurface dc;
    many.DrawLinearH(dc);
    EXPECT_EQ(VerticalsAt(dc, 0, 3).size(), 9001u);

    // Nothing at all of a log axis whose minimum is 0, header or not.
    for (int type : {kAxisLogH, kAxisLogV, kAxisDateH}) {
        CTrackHAxis h;
        h.Init(type, 0, 100, 10, "log");
        h.majorGrids = h.minorGrids = 1;
        h.SetPixelRange(0, 100, 10);
        CRecordingSurface ldc;
        h.Draw(ldc);
        h.DrawGridLogH(ldc, 100);
        EXPECT_TRUE(ldc.ops.empty()) << type;
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
    std::vector<Drawn> lines = Lines(dc);
    ASSERT_EQ(lines.size(), 24u + 4u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].pen, i < 24 ? minorPen : majorPen) << i;
        EXPECT_EQ(lines[i].from.y, 5);
        EXPECT_EQ(lines[i].to.y, 300);
    }
    EXPECT_EQ(lines[0].from.x, a.ValueToPixel(4));
    EXPECT_EQ(lines.back().from.x, a.ValueToPixel(80));
    EXPECT_EQ(dc.Pen(), before);

    CAxis d; // depth lines; ten steps of 0.1 miss 1 by a rounding error
    d.Init(kAxisLinearV, 0, 1, 0.1f, "d");
    d.minorUnit = 0.05f;
    d.majorGrids = d.minorGrids = 1;
    d.SetPixelRange(0, 100, 20);
    dc.Clear();
    d.DrawGridLinearV(dc, 80, 2);
    lines = Lines(dc);
    ASSERT_EQ(lines.size(), 19u + 9u);
    EXPECT_EQ(lines[19].from, (CPoint{22, 10}));
    EXPECT_EQ(lines.back().to, (CPoint{80, 90}));
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
