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

// The multiples of a unit from the first at or above `start` while below `limit`,
// accumulated in single precision as the ticks are drawn. A stored axis may hold any
// unit, so a walk that would never end (a unit that is zero, NaN or points away from
// the limit) or would give more than kMaxTicks values visits nothing, and a walk
// stops where adding the unit no longer changes the value.
class CTickWalk {
  public:
    CTickWalk(float start, float unit, float limit) : value(0), step(unit), end(limit) {
        sound = unit > 0 && std::isfinite(unit);
        if (!sound) return;
        value = static_cast<float>(FirstTick(start, unit));
        sound = std::isfinite(value) &&
                (!(value < limit) || (static_cast<double>(limit) - value) / unit <= kMaxTicks);
    }

    // There is a value below the limit to visit.
    bool More() const { return sound && value < end && visited <= 2 * kMaxTicks; }
    // The walk can still advance, whatever the limit.
    bool Moving() const { return sound; }
    float Value() const { return value; }
    void Next() {
        const float next = value + step;
        if (next == value) sound = false;
        value = next;
        ++visited;
    }

  private:
    float value;
    float step;
    float end;
    bool sound;
    int visited = 0;
};

// Tick loops run to just past max, so the tick at max is drawn although the sum of
// units may fall short of it.
inline float TickLimit(const CAxis& a) {
    return a.max + 0.001f * a.majorUnit;
}

// A walked value counts as the same as an end of the range when it is within the
// tolerance of the tick loops, so accumulated rounding does not decide it.
inline bool SameTick(float v, float end, float unit) {
    return v == end || std::fabs(v - end) < 0.001f * std::fabs(unit);
}

// Whether values can be placed at all: a log10 mapping needs a positive, finite range.
inline bool Placeable(const CAxis& a) {
    if (!a.IsLogarithmic()) return true;
    return a.min > 0 && a.max > 0 && std::isfinite(a.min) && std::isfinite(a.max);
}

// "%g" of the value, as every tick label is written.
std::string TickLabel(double v);

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
