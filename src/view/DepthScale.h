// The logic of the depth scale bar: the plot length and the number of depth units
// one inch of plot stands for, tied by the current depth window.
#pragma once

#include <string>
#include <string_view>

class CTarvikDoc;
class IPlatformServices;

// Scale box (command 1001): the number at the start of the text, 0.1 to 5000,
// sets the plot length so the depth window keeps its size. Refusals are told.
// True when the document changed.
bool ApplyScale(CTarvikDoc& doc, std::string_view text, IPlatformServices& platform);
// Plot-length box (command 1002): the number at the start of the text, 2 to 100 in.
bool ApplyPlotLength(CTarvikDoc& doc, std::string_view text, IPlatformServices& platform);
// What the boxes show: "%.1f" of the scale (with the digits a scale below one
// needs: 0.028, not 0.0), and of the length followed by " in".
std::string ScaleText(const CTarvikDoc& doc);
std::string LengthText(const CTarvikDoc& doc);
// The unit of the scale: "m" or "ft", the document's depth unit.
std::string ScaleUnitText(const CTarvikDoc& doc);
