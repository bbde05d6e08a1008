// The log operations as the commands run them: smoothing the selected log, a value
// operation on the selected track, arithmetic on two tracks into a new one, and the
// sum of the selected tracks. Each marks the document modified when it changed or
// made data, and asks the user through the document's platform.
#pragma once

#include <string>

class CDataTrack;
class CLogTrack;
class CTarvikDoc;

// The operations of "Multi Track Operation", by the index of their radio button.
enum TwoTrackOperation : int {
    kTwoTrackAdd = 0,      // A + B
    kTwoTrackSubtract = 1, // A - B
    kTwoTrackMultiply = 2, // A x B
    kTwoTrackDivide = 3,   // A / B
    kTwoTrackRatio = 4,    // A / ( A + B )
};

// Smooth Log (32801): the log track at the selected index, over the filter length
// the user enters. 1 when the log was smoothed.
int OnSmoothLog(CTarvikDoc& doc);

// Operation (32832): the operation the user picks on the selected log or data track.
// 1 when a value changed.
int OnTrackOperation(CTarvikDoc& doc);

// Track track operation (32831): two log tracks or two data tracks the user picks,
// combined into a new track. 1 when a track was made.
int OnTrackTrackOperation(CTarvikDoc& doc);

// A op B sample by sample over the depths both logs cover, into a new log track at
// the end of the document. Both must have the same depth step, above 0. 1 when a
// track was made.
int CombineLogTracks(CTarvikDoc& doc, const CLogTrack& a, const CLogTrack& b, int op,
                     const std::string& name);

// A op B at the depths of A's points, B read between its points by linear
// interpolation, into a new data track at the end of the document. Sorts the points
// of both by depth first. Always makes a track: 1.
int CombineDataTracks(CTarvikDoc& doc, CDataTrack& a, CDataTrack& b, int op,
                      const std::string& name);

// "Sum of selected": the selected tracks of the kind of the first selected one
// (log or data) added into a new track at the end of the document. Gives the number
// of tracks summed; 0 when no track was made.
int SumSelected(CTarvikDoc& doc);

// The "+" key of the plot: SumSelected under a wait cursor, then "%i tracks added".
int OnSumSelected(CTarvikDoc& doc);
