#pragma once

#include <optional>
#include <string>
#include <vector>

class CTarvikDoc;

// Imports the curves of a LAS file the user ticks (the platform's curve list) into
// the document as new tracks: log tracks, or data tracks for a file with STEP 0.
// Returns 1 when tracks were added, 0 on failure or cancel (the user has been told
// why); on 0 the document is unchanged apart from a well name the header supplied.
int ImportLas(CTarvikDoc& doc, const std::string& path);

// The colour of the k-th track one import makes.
unsigned NewTrackColour(int k);
