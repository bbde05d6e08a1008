#pragma once

#include "gfx/Colour.h"
#include "tracks/Track.h"

#include <vector>

// One regularly sampled well-log curve: values at a fixed depth step.
class CLogTrack : public CTrack {
public:
    CLogTrack() { type = kTrackLog; }

    std::vector<float> values; // sample 0 first
    int count = 0;
    float startdepth = 0.0f;
    float stopdepth = 0.0f;
    float depthstep = 0.0f;
    float nullvalue = 0.0f;
    int linewidth = 1;
    ColourRef linecolor = 0;
    int linestyle = 0;
    ColourRef fillColor = MakeRGB(150, 150, 190);
    int colorFill = 0;
    int fillSide = 0;
};
