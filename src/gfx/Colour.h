#pragma once

#include <cstdint>

// A colour as stored in documents: 0x00BBGGRR, red in the low byte.
using ColourRef = uint32_t;

constexpr ColourRef MakeRGB(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr unsigned RedOf(ColourRef c) { return c & 0xFF; }
constexpr unsigned GreenOf(ColourRef c) { return (c >> 8) & 0xFF; }
constexpr unsigned BlueOf(ColourRef c) { return (c >> 16) & 0xFF; }
