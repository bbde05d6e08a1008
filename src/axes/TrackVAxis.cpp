#include "axes/TrackVAxis.h"

#include "axes/AxisDrawing.h"
#include "gfx/DrawSurface.h"
#include "gfx/DrawHelpers.h"

void CTrackVAxis::DrawLinearV(CDrawSurface& dc) {
    if (trackRect.IsEmpty()) return;
    const int left = trackRect.left;
    const int right = trackRect.right;
    Segment(dc, left, pixelStart, left, pixelEnd);
    Segment(dc, right, pixelStart, right, pixelEnd);

    // The depths are written in the larger title font.
    const CFontDesc old = dc.SelectFont(titleFont);
    const int lineHeight = TextHeight(dc);
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    const int centre = static_cast<int>((static_cast<long long>(left) + right) / 2);
    // A log depth axis with a depth <= 0 in its window cannot place any tick.
    if (Placeable(*this)) {
        const double limit = TickLimit(*this);
        const double near = 0.001 * majorUnit;
        CTickWalk major(min, majorUnit, limit);
        for (CTickWalk minor(min, minorUnit, limit); minor.More(); minor.Next()) {
            const int y = PixelOf(*this, minor.Value());
            Segment(dc, left, y, left + tickLength / 2, y);
            Segment(dc, right, y, right - tickLength / 2, y);
            if (!major.Moving() || !(minor.Value() > major.Value() - near)) continue;
            const double v = major.Value();
            dc.TextOut(centre, y + lineHeight / 2, UnitLabel(v, majorUnit));
            const int yMajor = PixelOf(*this, v);
            Segment(dc, left, yMajor, left + tickLength, yMajor);
            Segment(dc, right, yMajor, right - tickLength, yMajor);
            major.Next();
        }
    }
    dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    dc.SelectFont(titleFont);
    dc.TextOut(centre, trackRect.top - tickLength - h - 4, title);
    dc.SelectFont(old);
}
