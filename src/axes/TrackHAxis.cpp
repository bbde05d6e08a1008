#include "axes/TrackHAxis.h"

#include "axes/AxisDrawing.h"
#include "gfx/DrawSurface.h"
#include "gfx/DrawHelpers.h"

#include <string>

namespace {

int Dir(const CAxis& a) {
    return a.tickSide == 1 ? 1 : -1;
}

void Tick(CDrawSurface& dc, const CAxis& a, int x, bool major) {
    const int reach = major ? a.tickLength * Dir(a) : a.tickLength * Dir(a) / 2;
    Segment(dc, x, a.crossPos, x, a.crossPos + reach);
}

int LabelY(const CAxis& a) {
    return a.crossPos + (a.tickLength + 2) * Dir(a);
}

// The track's name above the labels; h is the tick font's line height.
void Title(CDrawSurface& dc, const CAxis& a, int h) {
    dc.SelectFont(a.titleFont);
    dc.SetTextAlign(TA_CENTER | (a.labelSide == 1 ? TA_TOP : TA_BOTTOM));
    const int y = (a.tickSide == 1) == (a.labelSide == 1)
                      ? a.crossPos + (a.tickLength + h + 4) * Dir(a)
                      : a.crossPos - 2 * Dir(a);
    const long long mid = (static_cast<long long>(a.pixelStart) + a.pixelEnd) / 2;
    dc.TextOut(static_cast<int>(mid), y, a.title);
}

} // namespace

void CTrackHAxis::DrawLinearH(CDrawSurface& dc) {
    Segment(dc, pixelStart, crossPos, pixelEnd, crossPos);
    dc.SetTextAlign(TA_CENTER | (tickSide == 1 ? TA_TOP : TA_BASELINE));
    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    if (Placeable(*this)) {
        // Minor and major values are walked together: a major value is labelled and
        // ticked once the minor walk reaches it. The ends of the scale stay unlabelled.
        const double limit = TickLimit(*this);
        const double near = 0.001 * majorUnit;
        CTickWalk major(min, majorUnit, limit);
        for (CTickWalk minor(min, minorUnit, limit); minor.More(); minor.Next()) {
            const int x = PixelOf(*this, minor.Value());
            Tick(dc, *this, x, false);
            if (!major.Moving() || !(minor.Value() > major.Value() - near)) continue;
            const double v = major.Value();
            if (!SameTick(v, min, majorUnit) && !SameTick(v, max, majorUnit))
                dc.TextOut(x, LabelY(*this), UnitLabel(v, majorUnit));
            Tick(dc, *this, PixelOf(*this, v), true);
            major.Next();
        }
    }
    Title(dc, *this, h);
    dc.SelectFont(old);
}

void CTrackHAxis::DrawLogH(CDrawSurface& dc) {
    if (!Placeable(*this)) return;
    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    Segment(dc, pixelStart, crossPos, pixelEnd, crossPos);

    // Labels keep the alignment the context has; the overlap test takes each as
    // centred on its tick and drops one that would touch the last one drawn.
    int lastX = pixelStart;
    int lastHalf = 0;
    int half = 0;
    const auto label = [&](int x, const std::string& text) {
        if (x - half > lastX + lastHalf || x + half < lastX - lastHalf) {
            dc.TextOut(x, LabelY(*this), text);
            lastX = x;
            lastHalf = half;
        }
    };
    for (const CLogTick& t : LogTicks(*this)) {
        if (t.decade) {
            if (!(min < t.value && t.value < max)) continue;
            const int x = ValueToPixel(t.value);
            Tick(dc, *this, x, true);
            const std::string text = TickLabel(t.value);
            half = TextWidth(dc, text) / 2 + 1;
            label(x, text);
        } else {
            const int x = ValueToPixel(t.value);
            Tick(dc, *this, x, false);
            if (t.labelled) label(x, TickLabel(t.value));
        }
    }
    Title(dc, *this, h);
    dc.SelectFont(old);
}
