#include "gfx/DrawSurface.h"

int CDrawSurface::FontHeight(const CFontDesc& f) const {
    if (f.pointTenths == 0) return f.height;
    // Point sizes are realised for a 96 dpi screen: tenths of a point * 96 / 720,
    // rounded, as an em height.
    const int h = (f.pointTenths * 96 + 360) / 720;
    return -h;
}
