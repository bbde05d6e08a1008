// TIFF output through libtiff: baseline RGB, 8 bits a sample, uncompressed, one row
// a strip, rows top first.
#pragma once

#include <cstdio>
#include <string>

class CDIBImage;

bool WriteTiff(std::FILE* out, const CDIBImage& image, std::string* error);
