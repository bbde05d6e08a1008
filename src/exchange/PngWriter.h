// PNG output through libpng: 8-bit RGB, no interlace, the library's default
// compression and filtering.
#pragma once

#include <cstdio>
#include <string>

class CDIBImage;

// The format table's writer: the bitmap's rows onto an open file, top row first.
bool WritePng(std::FILE* out, const CDIBImage& image, std::string* error);
