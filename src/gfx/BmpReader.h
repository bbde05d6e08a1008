// Reading of the pattern tiles that fill lithology columns: a decoder for
// uncompressed BMP files in plain C++, so headless export needs no image library.
#pragma once

#include "gfx/Colour.h"
#include "gfx/DrawSurface.h"

#include <cstddef>
#include <string>
#include <vector>

// A decoded bitmap: width x height colours, rows from the top, each 0x00BBGGRR.
struct CBmpImage {
    int width = 0;
    int height = 0;
    std::vector<ColourRef> pixels;
};

// The largest image DecodeBmp accepts, 4096 x 4096: a pattern is a small picture,
// and a larger claim is refused before anything is allocated.
inline constexpr long long kMaxBmpPixels = 16LL * 1024 * 1024;

// Decodes an uncompressed BMP held in memory: a file header followed by a core
// (12-byte) or an info header (40 bytes or one of its longer versions), at 1, 4 or
// 8 bits with a palette, or 24 or 32 bits. Safe on any bytes: whatever it does not
// take (compressed, 16-bit, truncated, over kMaxBmpPixels) gives false with a short
// reason in *why, and the image is left empty.
bool DecodeBmp(const unsigned char* data, size_t size, CBmpImage& image,
               std::string* why = nullptr);

// The image stretched (or shrunk) to a 16 x 16 tile by nearest neighbour, sampling at
// each tile pixel's centre; an empty or inconsistent image gives a white tile.
CPatternTile StretchToTile(const CBmpImage& image);

// A tile of one colour.
CPatternTile SolidTile(ColourRef colour);

// Reads a BMP file into a 16 x 16 tile. On any failure (missing, unreadable, not a
// supported BMP) the tile is white and the result false.
bool ReadBmpTile(const std::string& path, CPatternTile& tile);
