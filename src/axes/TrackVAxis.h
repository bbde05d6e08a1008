#pragma once

#include "axes/Axis.h"
#include "gfx/Geometry.h"

// The document's depth axis (one in meters, one in feet): every track maps depth to
// device y through it, and a depth-axis track draws it as a ruler.
class CTrackVAxis : public CAxis {
public:
    void SetTrackRect(const CRect& rect) { trackRect = rect; }
    // The depth ruler of a depth-axis track: borders, ticks pointing inward from
    // both, the depths centred between them and the title above the track.
    void DrawLinearV(CDrawSurface& dc) override;

    CRect trackRect;
};
