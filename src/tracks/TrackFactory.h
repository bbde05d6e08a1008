#pragma once

#include "tracks/Track.h"

#include <memory>

// A new track of the kind a document stores under the type id; null for any id
// that names no kind.
std::unique_ptr<CTrack> MakeTrack(int type);
