// PNG output through libpng: 8-bit RGB, no interlace, the library's default
// compression and filtering.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class CDIBImage;

// Writes width x height pixels, rows top first, each row 3 bytes a pixel and
// rowStride bytes after the one before; bgr says the bytes are blue, green, red.
// Returns false with a reason in *error (when given) on any failure.
bool WritePng(const std::string& path, int width, int height, const unsigned char* rows,
              size_t rowStride, bool bgr, std::string* error);

// The format table's writer: the bitmap's rows onto an open file, top row first.
bool WritePng(std::FILE* out, const CDIBImage& image, std::string* error);
