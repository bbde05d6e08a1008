// The property dialogs of the tracks and the "Select Log" list.
#pragma once

#include <string>
#include <vector>

class QWidget;
class CTrack;

// The property dialog of the track's kind: the "Track Properties" sheet with General,
// Axis and Grids pages for log and data tracks, Axis and Grids for a depth-axis track;
// "Properties" for lithology and strat tracks. OK stores the values and gives 1;
// Cancel changes nothing and gives 0. Kinds without a dialog give 0.
int EditTrackProperties(QWidget* parent, CTrack& track);

// "Select Log": one of the names, by position, or -1 when cancelled.
int SelectLogDialog(QWidget* parent, const std::vector<std::string>& names);
