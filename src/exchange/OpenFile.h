// Opening a path by its extension, for File > Open, the command line and the
// headless modes alike.
#pragma once

#include <string>

class CTarvikDoc;

// A ".las" path (any case) is imported into the document, which is not emptied
// first, and becomes the document's path until the first view update renames it;
// a delimited text path (".txt", ".csv", ".tsv", ".dat") is imported the same way,
// its plot to be saved as the ".tvk" beside it; anything else is loaded as a Tarvik
// document. False leaves the document as it was (the user has been told why).
bool OpenPath(CTarvikDoc& doc, const std::string& path);

// Whether the path names delimited text, which opens as an ASCII import.
bool IsAsciiPath(const std::string& path);
