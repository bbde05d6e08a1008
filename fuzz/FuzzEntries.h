// The parsers as the fuzzers drive them, each through the entry the program uses,
// on a file that lives in memory. The same functions replay every saved input in
// the test suite, so a crash once found stays fixed.
#pragma once

#include <cstddef>
#include <cstdint>

// A document: opened as File > Open does, saved again, its page laid out and drawn.
int FuzzDocument(const uint8_t* data, size_t size);
// A LAS file: imported as File > Import LAS file does with every curve ticked, then
// its last curve inserted as Insert Track > Well Log does.
int FuzzLas(const uint8_t* data, size_t size);
// A pattern bitmap of the lithology library: decoded and stretched to a tile.
int FuzzBmp(const uint8_t* data, size_t size);
// A delimited text file: imported as File > Import ASCII file does with every column
// ticked, then again in feet against column 2; the sum of its tracks and two of
// them combined.
int FuzzAscii(const uint8_t* data, size_t size);
// A table on the clipboard: pasted as Edit > Paste datatable as new tracks does, again
// with a decimal comma into a document in feet, then through Edit > Paste into a
// data track; the page drawn and made a metafile.
int FuzzTablePaste(const uint8_t* data, size_t size);
