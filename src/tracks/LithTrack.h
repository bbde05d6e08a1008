#pragma once

#include "gfx/Font.h"
#include "tracks/LithArray.h"
#include "tracks/Track.h"

#include <vector>

// A lithology column: layers from their top to the next layer's top.
class CLithTrack : public CTrack {
public:
    struct Layer {
        float top = 0.0f;
        int lithId = 0;
    };

    CLithTrack() {
        type = kTrackLith;
        width = 0.5f;
        title = "Lith";
        font.face = "Arial";
        font.height = 12;
    }

    std::vector<Layer> layers;
    const CLithArray* library = nullptr; // the document's; not owned
    CFontDesc font;
};
