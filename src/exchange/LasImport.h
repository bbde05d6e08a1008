#pragma once

#include <optional>
#include <string>
#include <vector>

class CLogTrack;
class CTarvikDoc;
class IPlatformServices;

// Imports the curves of a LAS file the user ticks (the platform's curve list) into
// the document as new tracks: log tracks, or data tracks for a file with STEP 0.
// Returns 1 when tracks were added, 0 on failure or cancel (the user has been told
// why); on 0 the document is unchanged apart from a well name the header supplied.
int ImportLas(CTarvikDoc& doc, const std::string& path);

// The colour of the k-th track one import makes.
unsigned NewTrackColour(int k);

// Asks for a LAS file and one of its curves and loads that curve into the log
// track, its depths in the given unit (metres or feet). 1 on success, 0 when the
// user cancelled or the file is unusable (the user has been told why).
int LoadLogFromLas(CLogTrack& log, IPlatformServices& platform, int unit);
// Insert Track > Well Log: the curve the user picks as a new log track at the end
// of the document, in its depth unit. 1 when a track was added.
int InsertWellLog(CTarvikDoc& doc);
