// A table copied from a spreadsheet, pasted as new data tracks: a header row naming
// the columns, depth in the first column, one data track for each further column.
#pragma once

#include "tracks/DataTrack.h"

#include <string>
#include <string_view>
#include <vector>

class CTarvikDoc;

// A cell this long means the text is not a spreadsheet table.
inline constexpr size_t kMaxTableCell = 255;
// More columns than this are refused: each would become a track.
inline constexpr size_t kMaxTableColumns = 16384;

// What a table's text holds.
struct CPastedTable {
    std::string depthHeader;
    std::vector<std::string> names; // the header of each value column, double quotes removed
    std::vector<std::vector<CDataTrack::Point>> points; // each column's (value, depth) pairs
    float largestDepth = 0.0f;                          // of the rows read, and never below 0
    long long added = 0;                                // points in all columns
    bool overflow = false;                              // a cell reached kMaxTableCell characters
    bool tooManyColumns = false;
};

// The cells of the table's first line: its tabs plus one, counted up to the first
// line end; 0 for text that has no line end.
int FirstLineCells(std::string_view text);

// Reads the text: cells end at a tab or a carriage return, rows at a carriage return
// with a line feed; a line feed inside a cell reads as a blank. Text without any
// carriage return (line ends of this platform) ends its rows at each line feed. The
// text ends at its first NUL. With decimalComma, commas in the data rows read as
// decimal points. A row without a finite depth adds nothing; neither does a value
// that is not a finite number.
CPastedTable ParsePastedTable(std::string_view text, bool decimalComma);

// Edit > Paste datatable as new tracks. 1 when tracks were added; 0 when the user has
// been told why nothing happened, the document being as it was.
int OnPasteTable(CTarvikDoc& doc);
// Edit > Paste: a table of two columns goes into the current data, lithology or strat
// track; anything else becomes new tracks.
void OnEditPaste(CTarvikDoc& doc);
