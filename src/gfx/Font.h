#pragma once

#include <string>

// A font description in device-context terms. A positive height is the cell height,
// a negative one the character (em) height, both in logical units. Fonts made from a
// point size keep it in pointTenths and get their height from the surface they are
// drawn on.
struct CFontDesc {
    std::string face;
    int height = 0;
    int weight = 400;
    bool italic = false;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int orientation = 0;
    int pointTenths = 0; // nonzero: made from a point size, height follows the device

    static CFontDesc Points(std::string face, int tenths) {
        CFontDesc f;
        f.face = std::move(face);
        f.pointTenths = tenths;
        return f;
    }
    friend bool operator==(const CFontDesc&, const CFontDesc&) = default;
};
