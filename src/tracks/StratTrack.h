#pragma once

#include "gfx/Colour.h"
#include "gfx/Font.h"
#include "tracks/Track.h"

#include <string>
#include <vector>

// Formation tops with their names.
class CStratTrack : public CTrack {
public:
    struct Top {
        float top = 0.0f;
        ColourRef fillColor = MakeRGB(255, 255, 255);
        std::string name;
    };

    CStratTrack() {
        type = kTrackStrat;
        width = 0.5f;
        title = "Strat";
        font.face = "Arial";
        font.height = 14;
    }

    std::vector<Top> tops;
    CFontDesc font;
    ColourRef fontColor = 0;
};
