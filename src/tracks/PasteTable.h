// The two-column tables the data, lithology and strat tracks take from the
// clipboard, as spreadsheets put them there.
#pragma once

#include "gfx/PlatformServices.h"

#include <functional>
#include <string>
#include <string_view>

// A field this long means the text is not a table of this kind.
inline constexpr size_t kMaxPasteField = 255;

// Fields end at a tab or a carriage return and lines at a line feed; fields after the
// second are ignored, and the text ends at its first NUL, as a C string does. Calls
// `row` for each line whose second field ended. False when a field reached
// kMaxPasteField characters: the scan stops there, with the rows before it given.
bool ScanTableRows(std::string_view text,
                   const std::function<void(std::string_view first, std::string_view second)>& row);

// What a paste into a track found, and what it tells the user.
struct CPasteCount {
    long long read = 0;     // rows taken
    long long inRange = 0;  // of them, inside the window of the axes
};

// The clipboard's text for a paste into a track that holds `existing` items: asks
// `question` before they would be replaced. Nothing when there is no text ("No data
// to paste." has been said) or the user cancelled.
std::optional<std::string> PasteText(IPlatformServices& platform, bool existing, const char* question);
