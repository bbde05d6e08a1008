#pragma once

#include <optional>
#include <string>
#include <vector>

class CTarvikDoc;

// Imports the ticked curves of a LAS file into the document as new tracks: log
// tracks, or data tracks for a file with STEP 0. With interactive false every
// curve is taken and nothing is asked. Returns 1 when tracks were added, 0 on
// failure or cancel (the user has been told why); on 0 the document is unchanged
// apart from a well name the header supplied.
int ImportLas(CTarvikDoc& doc, const std::string& path, bool interactive);

// The colour of the k-th track one import makes.
unsigned NewTrackColour(int k);
