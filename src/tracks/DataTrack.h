#pragma once

#include "gfx/Colour.h"
#include "tracks/Track.h"

#include <vector>

// Irregular depth/value points.
class CDataTrack : public CTrack {
public:
    struct Point {
        float value = 0.0f;
        float depth = 0.0f;
    };

    CDataTrack() { type = kTrackData; }

    std::vector<Point> points;
    int count = 0;
    float nullvalue = -99999.0f;
    int linestyle = 0;
    int linewidth = 1;
    ColourRef linecolor = 0;
    int drawline = 0;
    int drawmarkers = 1;
    int symbolid = 0;
    int symbolsize = 2;
    ColourRef symbolcolor = 0;
    ColourRef symbolBkColor = MakeRGB(255, 255, 255);
    int colorFill = 0;
    ColourRef fillColor = 13171400; // pale green (200, 250, 200)
    int fillSide = 0;
    int plotStyle = 0;
};
