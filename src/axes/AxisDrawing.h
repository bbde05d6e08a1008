// Pieces shared by the axis drawings of CAxis, CTrackHAxis and CTrackVAxis: the
// guarded walk over tick values, the logarithmic tick set, tick labels and the
// calendar of the date axis.
#pragma once

#include "axes/Axis.h"
#include "gfx/DrawSurface.h"

#include <cmath>
#include <string>
#include <vector>

// No axis shows more ticks than this; a stored unit that would give more draws none.
inline constexpr int kMaxTicks = 10000;

// The multiples of a unit from the first at or above `start` while below `limit`.
// Each value is computed from its index in double precision, so ticks stay on their
// values at any depth, however many steps from zero. A stored axis may hold any
// unit, so a walk that would never end (a unit that is zero, NaN or points away from
// the limit) or would give more than kMaxTicks values visits nothing.
class CTickWalk {
  public:
    // The unit is a stored float: it is taken as the decimal it stands for (0.002f as
    // 0.002), so the minor and major values of an axis fall on each other exactly.
    CTickWalk(double start, float unit, double limit) : step(DecimalOf(unit)) {
        sound = unit > 0 && std::isfinite(unit) && std::isfinite(limit);
        if (!sound) return;
        first = FirstTick(start, step);
        sound = std::isfinite(first);
        if (!sound || !(first < limit)) return;
        const double n = std::ceil((limit - first) / step);
        count = n <= kMaxTicks ? static_cast<int>(n) : 0;
    }

    // There is a value below the limit to visit.
    bool More() const { return index < count; }
    // The walk can still advance, whatever the limit.
    bool Moving() const { return sound; }
    double Value() const { return first + index * step; }
    void Next() { ++index; }

    // The decimal a stored unit stands for.
    static double DecimalOf(float unit);

  private:

    double first = 0;
    double step;
    bool sound;
    int count = 0;
    int index = 0;
};

// Tick loops run to just past max, so the tick at max is drawn although a value a
// hair below or above it is what the walk computes.
inline double TickLimit(const CAxis& a) {
    return a.max + 0.001 * a.majorUnit;
}

// A walked value counts as the same as an end of the range when it is within the
// tolerance of the tick loops, so rounding does not decide it.
inline bool SameTick(double v, double end, double unit) {
    return v == end || std::fabs(v - end) < 0.001 * std::fabs(unit);
}

// Whether values can be placed at all: a log10 mapping needs a positive, finite range.
inline bool Placeable(const CAxis& a) {
    if (!a.IsLogarithmic()) return true;
    return a.min > 0 && a.max > 0 && std::isfinite(a.min) && std::isfinite(a.max);
}

// The pixel of a walked value.
inline int PixelOf(const CAxis& a, double v) { return a.ValueToPixel(static_cast<float>(v)); }

// "%g" of the value, as every tick label is written.
std::string TickLabel(double v);
// The label of a multiple of the unit: v rounded to the decimals the unit needs, by
// "%g"; with more digits where six would not tell neighbouring labels apart (30000.25
// and 30000.2 at a unit of 0.05 far down a well).
std::string UnitLabel(double v, float unit);

// The ticks of a logarithmic axis in drawing order: per decade from the one of min
// to the one of max, the power of ten and then its multiples 2 to 9, each kept when
// min <= value <= max. A multiple is labelled when it is 2 or 5 times the decade and
// the axis spans at most 2 decades, or when it is the end value, the axis spans at
// most 4 decades and the multiple is at least 4.
struct CLogTick {
    float value = 0;
    bool decade = false;
    bool labelled = false;
};
std::vector<CLogTick> LogTicks(const CAxis& a);

inline void Segment(CDrawSurface& dc, int x0, int y0, int x1, int y1) {
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
}

// The date axis counts days from 1 March 1600 of the Gregorian calendar. Days
// before it are converted with floored divisions, so the calendar stays exact.
struct CCivilDate {
    long long year = 1600;
    int month = 3; // 1 = January
    int day = 1;
};
long long DayFromDate(long long year, int month, int day);
CCivilDate DateFromDay(long long dayNumber);
