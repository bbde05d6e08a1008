#include "tracks/TrackFactory.h"

#include "tracks/AxisTrack.h"
#include "tracks/DataTrack.h"
#include "tracks/LithTrack.h"
#include "tracks/LogTrack.h"
#include "tracks/StratTrack.h"

std::unique_ptr<CTrack> MakeTrack(int type) {
    switch (type) {
    case kTrackMeterAxis:
    case kTrackFeetAxis: {
        auto t = std::make_unique<CAxisTrack>();
        t->type = type;
        return t;
    }
    case kTrackLog:
        return std::make_unique<CLogTrack>();
    case kTrackStrat:
        return std::make_unique<CStratTrack>();
    case kTrackLith:
        return std::make_unique<CLithTrack>();
    case kTrackData:
        return std::make_unique<CDataTrack>();
    default:
        return nullptr;
    }
}
