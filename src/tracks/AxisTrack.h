#pragma once

#include "tracks/Track.h"

// The depth ruler: a view of, and the persistent home of, the document depth axis it
// is bound to (type 0 meters, 1 feet).
class CAxisTrack : public CTrack {
public:
    CAxisTrack() {
        type = kTrackMeterAxis;
        width = 0.6f;
    }

    void Draw(CDrawSurface& dc) override;
    void SaveHeader(CTableWriter& out, std::string_view table) override;
    int LoadHeader(kdManager& in, std::string_view table) override;
};
