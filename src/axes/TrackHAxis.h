#pragma once

#include "axes/Axis.h"

// The horizontal axis in every track header: ticks, labels and title stand above
// the axis line.
class CTrackHAxis : public CAxis {
public:
    CTrackHAxis() {
        tickSide = 0;
        labelSide = 0;
    }

    void DrawLinearH(CDrawSurface& dc) override;
    void DrawLogH(CDrawSurface& dc) override;
};
