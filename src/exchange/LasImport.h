#pragma once

#include <string>

class CTarvikDoc;

// Imports the curves of a LAS file into the document. With interactive false every
// curve is taken and nothing is asked. Returns 1 on success, 0 on failure or cancel
// (the user has been told why).
int ImportLas(CTarvikDoc& doc, const std::string& path, bool interactive);
