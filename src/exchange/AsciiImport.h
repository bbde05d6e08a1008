// Importing delimited text (the usual export of a spreadsheet): the first line names
// the columns, each further line holds one row, and every column the user ticks in
// "Select Data Columns" becomes a data track of (value, depth) points against the
// column that holds the depth.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CTarvikDoc;

// The cells of one line: split at the delimiter, numbered from 1 (cells[0] is column
// 1); a trailing carriage return is not part of the last cell. At most maxCells are
// split off; the rest of the line is left alone.
void SplitCells(std::string_view line, char delimiter, size_t maxCells,
                std::vector<std::string_view>& cells);

// Imports the ticked columns of the file as data tracks at the end of the document.
// 1 when tracks were added; 0 on failure or cancel, when the user has been told why
// and the document is as it was.
int ImportAscii(CTarvikDoc& doc, const std::string& path);

// File > Import ASCII file: asks for the file, then imports it.
int OnFileImportAscii(CTarvikDoc& doc);
