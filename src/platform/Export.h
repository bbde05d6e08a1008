// Writing the page to a picture file without a window, for `tarvik --export`.
#pragma once

#include <string>

class CTarvikDoc;

// Draws the document's page into a file as Save Image as does, with the screen
// taken as 96 pixels per inch and the drawing enlarged by dpi / 96. The extension
// picks the format through the core's table: ".bmp", ".jpg", ".png" and ".tif"
// (bitmaps), ".emf" (metafile), ".svg" and ".pdf" (vector). Needs a
// QGuiApplication. False with a reason when nothing could be written.
bool ExportPage(CTarvikDoc& doc, const std::string& path, int dpi, std::string& error);
