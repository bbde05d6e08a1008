#include "axes/Axis.h"
#include "axes/AxisDrawing.h"
#include "base/TextParse.h"
#include "gfx/DrawSurface.h"
#include "gfx/DrawHelpers.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// Day numbers beyond this (about 270,000 years) are not dates anyone plots; the
// date axis draws no ticks for them rather than walking a calendar that far.
constexpr double kLastDay = 1e8;

constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

long long FloorDiv(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int Dir(const CAxis& a) {
    return a.tickSide == 1 ? 1 : -1;
}

bool SameSide(const CAxis& a) {
    return (a.tickSide == 1) == (a.labelSide == 1);
}

// Offset across the axis of a major or minor tick's far end.
int TickReach(const CAxis& a, bool major) {
    return major ? a.tickLength * Dir(a) : a.tickLength * Dir(a) / 2;
}

// Offset across a horizontal axis (and a linear vertical one) of the label reference.
int LabelOffset(const CAxis& a) {
    if (a.labelSide == 1) return a.tickSide == 1 ? a.tickLength + 3 : 3;
    return a.tickSide == 1 ? -3 : -3 - a.tickLength;
}

unsigned LabelVAlign(const CAxis& a) {
    return a.labelSide == 1 ? TA_TOP : TA_BOTTOM;
}

void TickAcross(CDrawSurface& dc, const CAxis& a, int x, bool major) {
    Segment(dc, x, a.crossPos, x, a.crossPos + TickReach(a, major));
}

void TickAlong(CDrawSurface& dc, const CAxis& a, int y, bool major) {
    Segment(dc, a.crossPos, y, a.crossPos + TickReach(a, major), y);
}

void LabelBelowOrAbove(CDrawSurface& dc, const CAxis& a, int x, const std::string& text) {
    dc.TextOut(x, a.crossPos + LabelOffset(a), text);
}

// Title of a horizontal axis, in the title font; h is the tick font's line height.
void HorizontalTitle(CDrawSurface& dc, const CAxis& a, int h) {
    dc.SelectFont(a.titleFont);
    dc.SetTextAlign(TA_CENTER | LabelVAlign(a));
    const int y =
        SameSide(a) ? a.crossPos + (a.tickLength + h + 6) * Dir(a) : a.crossPos - (h + 3) * Dir(a);
    dc.TextOut(Mid(a.pixelStart, a.pixelEnd), y, a.title);
}

// Labels beside a vertical log or probability axis: level with their tick, on the
// side the ticks point to.
void SetSideLabelAlign(CDrawSurface& dc, const CAxis& a) {
    dc.SetTextAlign(TA_BOTTOM | (a.tickSide == 1 ? TA_LEFT : TA_RIGHT));
}

void SideLabel(CDrawSurface& dc, const CAxis& a, int y, int h, const std::string& text) {
    dc.TextOut(a.crossPos + (a.tickLength + 2) * Dir(a), y + h / 2, text);
}

void SideTitle(CDrawSurface& dc, const CAxis& a, int wMax) {
    dc.SelectFont(a.titleFont);
    dc.SetTextAlign(TA_CENTER | LabelVAlign(a));
    const int x =
        SameSide(a) ? a.crossPos + (a.tickLength + wMax + 4) * Dir(a) : a.crossPos - 2 * Dir(a);
    DrawRotatedText(dc, x, Mid(a.pixelStart, a.pixelEnd), a.title);
}

CPen MajorPen(const CAxis& a) {
    return {a.majorStyle, a.majorWidth, a.majorColour};
}
CPen MinorPen(const CAxis& a) {
    return {a.minorStyle, a.minorWidth, a.minorColour};
}

} // namespace

std::string TickLabel(double v) { return FormatG(v); }

std::string UnitLabel(double v, float unit) {
    const double rounded = LabelRound(v, unit);
    const double u = CTickWalk::DecimalOf(unit);
    if (!std::isfinite(rounded) || !(u > 0) || !std::isfinite(u)) return TickLabel(rounded);
    // Decimals of the unit, integer digits of the value: the digits a label needs.
    int decimals = 0;
    while (decimals < 9 && std::fabs(u * std::pow(10.0, decimals) - std::round(u * std::pow(10.0, decimals))) >
                               1e-6 * u * std::pow(10.0, decimals))
        ++decimals;
    const double magnitude = std::fabs(rounded);
    const int integerDigits = magnitude >= 1 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 1;
    const int digits = integerDigits + decimals;
    if (digits <= 6 || digits > 17) return TickLabel(rounded);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, rounded);
    return buf;
}

double CTickWalk::DecimalOf(float unit) {
    // The shortest decimal within a few float steps of the unit: a minor unit made
    // as major / 5 in single precision (0.0019999998 for 0.01) is the 0.002 meant.
    for (int digits = 1; digits <= 7; ++digits) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.*g", digits, static_cast<double>(unit));
        const double d = std::strtod(buf, nullptr);
        if (std::fabs(d - unit) <= 5e-7 * std::fabs(d)) return d;
    }
    return unit;
}

std::vector<CLogTick> LogTicks(const CAxis& a) {
    std::vector<CLogTick> ticks;
    if (!(a.min > 0 && a.max > 0)) return ticks;
    const int eFirst = Decade(std::log10(a.min));
    const int eLast = Decade(std::log10(a.max));
    const int spread = eLast - eFirst;
    for (int e = eFirst; e <= eLast; ++e) {
        const float p = static_cast<float>(std::pow(10.0, e));
        if (a.min <= p && p <= a.max) ticks.push_back({p, true, true});
        for (int k = 2; k <= 9; ++k) {
            const float v = static_cast<float>(k) * p;
            if (!(a.min <= v && v <= a.max)) continue;
            const bool labelled =
                ((k == 2 || k == 5) && spread <= 2) || (v == a.max && spread <= 4 && k >= 4);
            ticks.push_back({v, false, labelled});
        }
    }
    return ticks;
}

long long DayFromDate(long long year, int month, int day) {
    // Years run from March, so the leap day ends a year.
    const long long y = year - 1600 - (month <= 2 ? 1 : 0);
    const long long m = (month + 9) % 12;
    return 365 * y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400) + (306 * m + 5) / 10 +
           day - 1;
}

CCivilDate DateFromDay(long long dayNumber) {
    constexpr long long kEra = 146097; // days in 400 Gregorian years
    const long long era = FloorDiv(dayNumber, kEra);
    const long long dayOfEra = dayNumber - era * kEra;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / (kEra - 1)) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long m = (5 * dayOfYear + 2) / 153; // 0 = March
    CCivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * m + 2) / 5 + 1);
    date.month = static_cast<int>(m < 10 ? m + 3 : m - 9);
    date.year = 1600 + era * 400 + yearOfEra + (date.month <= 2 ? 1 : 0);
    return date;
}

void CAxis::Draw(CDrawSurface& dc) {
    switch (axisType) {
    case kAxisLinearH:
        DrawLinearH(dc);
        break;
    case kAxisLinearV:
        DrawLinearV(dc);
        break;
    case kAxisLogH:
        DrawLogH(dc);
        break;
    case kAxisLogV:
        DrawLogV(dc);
        break;
    case kAxisProbabilityV:
        DrawProbabilityV(dc);
        break;
    case kAxisDateH:
        DrawDate(dc);
        break;
    default:
        break;
    }
}

void CAxis::DrawLinearH(CDrawSurface& dc) {
    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    Segment(dc, pixelStart, crossPos, pixelEnd, crossPos);
    if (Placeable(*this)) {
        const double limit = TickLimit(*this);
        for (CTickWalk w(min, minorUnit, limit); w.More(); w.Next())
            TickAcross(dc, *this, PixelOf(*this, w.Value()), false);
        dc.SetTextAlign(TA_CENTER | LabelVAlign(*this));
        for (CTickWalk w(min, majorUnit, limit); w.More(); w.Next()) {
            const int x = PixelOf(*this, w.Value());
            TickAcross(dc, *this, x, true);
            LabelBelowOrAbove(dc, *this, x, UnitLabel(w.Value(), majorUnit));
        }
    }
    HorizontalTitle(dc, *this, h);
    dc.SelectFont(old);
}

void CAxis::DrawLinearV(CDrawSurface& dc) {
    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    const int off = LabelOffset(*this);
    Segment(dc, crossPos, pixelStart, crossPos, pixelEnd);
    dc.SetTextAlign(TA_CENTER | LabelVAlign(*this));
    if (Placeable(*this)) {
        const double limit = TickLimit(*this);
        for (CTickWalk w(min, minorUnit, limit); w.More(); w.Next())
            TickAlong(dc, *this, PixelOf(*this, w.Value()), false);
        for (CTickWalk w(min, majorUnit, limit); w.More(); w.Next()) {
            const int y = PixelOf(*this, w.Value());
            TickAlong(dc, *this, y, true);
            DrawRotatedText(dc, crossPos + off, y, UnitLabel(w.Value(), majorUnit));
        }
    }
    dc.SelectFont(titleFont);
    const int x = off > 0 ? crossPos + off + h + 3 : crossPos + off - 3 - h;
    DrawRotatedText(dc, x, Mid(pixelStart, pixelEnd), title);
    dc.SelectFont(old);
}

void CAxis::DrawLogH(CDrawSurface& dc) {
    if (!Placeable(*this)) return;
    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    Segment(dc, pixelStart, crossPos, pixelEnd, crossPos);
    dc.SetTextAlign(TA_CENTER | LabelVAlign(*this));
    for (const CLogTick& t : LogTicks(*this)) {
        const int x = ValueToPixel(t.value);
        TickAcross(dc, *this, x, t.decade);
        if (t.labelled) LabelBelowOrAbove(dc, *this, x, TickLabel(t.value));
    }
    if (!title.empty()) HorizontalTitle(dc, *this, h);
    dc.SelectFont(old);
}

void CAxis::DrawLogV(CDrawSurface& dc) {
    if (!Placeable(*this)) return;
    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    Segment(dc, crossPos, pixelStart, crossPos, pixelEnd);
    SetSideLabelAlign(dc, *this);
    int wMax = 0;
    for (const CLogTick& t : LogTicks(*this)) {
        const int y = ValueToPixel(t.value);
        TickAlong(dc, *this, y, t.decade);
        if (!t.labelled) continue;
        const std::string label = TickLabel(t.value);
        if (t.decade) wMax = std::max(wMax, TextWidth(dc, label));
        SideLabel(dc, *this, y, h, label);
    }
    SideTitle(dc, *this, wMax);
    dc.SelectFont(old);
}

void CAxis::DrawProbabilityV(CDrawSurface& dc) {
    // The normal deviate is infinite at 0 and 100 percent.
    if (!(max < 100)) max = 99.9f;
    if (!(min > 0)) min = 0.1f;

    struct Tick {
        float value;
        bool full;
    };
    std::vector<Tick> ticks;
    if (min < 0.1f) ticks.push_back({0.1f, true});
    ticks.push_back({1, true});
    for (int i = 1; i <= 9; ++i)
        ticks.push_back({static_cast<float>(10 * i), false});
    ticks.push_back({99, true});
    const bool top = max > 99.9f;
    if (top) ticks.push_back({99.9f, true});

    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    Segment(dc, crossPos, pixelStart, crossPos, pixelEnd);
    SetSideLabelAlign(dc, *this);
    for (const Tick& t : ticks) {
        const int y = ValueToPixel(t.value);
        TickAlong(dc, *this, y, t.full);
        SideLabel(dc, *this, y, h, TickLabel(t.value));
    }
    int wMax = TextWidth(dc, "99");
    if (top) wMax = std::max(wMax, TextWidth(dc, "99.9"));
    SideTitle(dc, *this, wMax);
    dc.SelectFont(old);
}

void CAxis::DrawDate(CDrawSurface& dc) {
    if (!Placeable(*this)) return; // days map through log10
    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    Segment(dc, pixelStart, crossPos, pixelEnd, crossPos);
    if (max <= kLastDay) {
        enum { Years, Months, Days, FewDays } kind;
        const double span = static_cast<double>(max) - min;
        const long long s = static_cast<long long>(span / 5);
        long long step;
        if (span > 1098) {
            kind = Years;
            step = std::max(s / 366 * 366, 366LL);
        } else if (span > 183) {
            kind = Months;
            step = std::max(s / 31 * 31, 31LL);
        } else if (span > 30) {
            kind = Days;
            step = std::max(s / 10 * 10, 10LL);
        } else {
            kind = FewDays;
            step = std::max(s, 1LL);
        }
        dc.SetTextAlign(TA_CENTER | LabelVAlign(*this));
        // Each step passes at least one label, so the walk is short; the count
        // only guards the loop.
        int count = 0;
        for (long long d = static_cast<long long>(min);
             static_cast<double>(d) <= max && count < kMaxTicks; d += step, ++count) {
            const CCivilDate date = DateFromDay(d);
            std::string label;
            switch (kind) {
            case Years:
                d = DayFromDate(date.year, 1, 1);
                label = std::to_string(date.year);
                break;
            case Months:
                d = DayFromDate(date.year, date.month, 1);
                label = date.month == 1 ? std::to_string(date.year) : kMonthNames[date.month - 1];
                break;
            case Days:
                label = date.day < 5 ? kMonthNames[date.month - 1] : std::to_string(date.day);
                break;
            case FewDays:
                label = std::to_string(date.day);
                break;
            }
            if (static_cast<double>(d) < min) continue;
            const int x = ValueToPixel(static_cast<float>(d));
            TickAcross(dc, *this, x, true);
            LabelBelowOrAbove(dc, *this, x, label);
        }
    }
    HorizontalTitle(dc, *this, h);
    dc.SelectFont(old);
}

void CAxis::DrawGridLinearH(CDrawSurface& dc, int endY, int gap) {
    if (!Placeable(*this)) return;
    const double limit = TickLimit(*this);
    // Lines that fall on the pixel of the line before are drawn once: a fine unit
    // over a wide range puts thousands on a few hundred pixels.
    if (minorGrids) {
        const CPen old = dc.SelectPen(MinorPen(*this));
        int previous = INT_MIN;
        for (CTickWalk w(min, minorUnit, limit); w.More(); w.Next()) {
            const double v = w.Value();
            if (SameTick(v, min, minorUnit) || SameTick(v, max, minorUnit)) continue;
            const int x = PixelOf(*this, v);
            if (x != std::exchange(previous, x)) Segment(dc, x, crossPos - gap, x, endY);
        }
        dc.SelectPen(old);
    }
    if (majorGrids) {
        const CPen old = dc.SelectPen(MajorPen(*this));
        CTickWalk w(min, majorUnit, limit);
        if (w.More() && SameTick(w.Value(), min, majorUnit)) w.Next();
        int previous = INT_MIN;
        for (; w.More(); w.Next()) {
            const int x = PixelOf(*this, w.Value());
            if (x == pixelEnd) continue;
            if (x != std::exchange(previous, x)) Segment(dc, x, crossPos - gap, x, endY);
        }
        dc.SelectPen(old);
    }
}

void CAxis::DrawGridLogH(CDrawSurface& dc, int endY) {
    if (!Placeable(*this)) return;
    const std::vector<CLogTick> ticks = LogTicks(*this);
    if (minorGrids) {
        const CPen old = dc.SelectPen(MinorPen(*this));
        for (const CLogTick& t : ticks) {
            if (t.decade) continue;
            const int x = ValueToPixel(t.value);
            Segment(dc, x, crossPos, x, endY);
        }
        dc.SelectPen(old);
    }
    if (majorGrids) {
        const CPen old = dc.SelectPen(MajorPen(*this));
        for (const CLogTick& t : ticks) {
            if (!t.decade || !(min < t.value && t.value < max)) continue;
            const int x = ValueToPixel(t.value);
            Segment(dc, x, crossPos, x, endY);
        }
        dc.SelectPen(old);
    }
}

void CAxis::DrawGridLinearV(CDrawSurface& dc, int endX, int gap) {
    if (!Placeable(*this)) return;
    const double limit = TickLimit(*this);
    const auto lines = [&](float unit, int fromX) {
        int previous = INT_MIN; // a line on the pixel of the one before is drawn once
        for (CTickWalk w(min, unit, limit); w.More(); w.Next()) {
            const double v = w.Value();
            if (SameTick(v, min, unit) || SameTick(v, max, unit)) continue;
            const int y = PixelOf(*this, v);
            if (y != std::exchange(previous, y)) Segment(dc, fromX, y, endX, y);
        }
    };
    if (minorGrids) {
        const CPen old = dc.SelectPen(MinorPen(*this));
        lines(minorUnit, crossPos + gap + 1);
        dc.SelectPen(old);
    }
    if (majorGrids) {
        const CPen old = dc.SelectPen(MajorPen(*this));
        lines(majorUnit, crossPos + gap);
        dc.SelectPen(old);
    }
}
