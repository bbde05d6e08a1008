// Thin solid lines and filled polygons set straight into 32-bit pixels. The screen
// draws a page of long curves and fills many times a second; a general rasteriser
// spends most of that time on set-up and coverage a one-pixel line never needs.
//
// The rules are the device-context ones the page is laid out for:
// - a polyline sets, for each segment, the pixel nearest the line on every row or
//   column it crosses (columns when it runs wider than tall), from its first point
//   up to but not including its last; so every vertex but the final one is set and
//   a spike one row high keeps its full length;
// - a polygon sets the pixels whose centres lie inside it by the alternate rule, so
//   polygons that share an edge neither overlap nor leave a gap along it.
#pragma once

#include "gfx/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct CPixelTarget {
    std::uint32_t* bits = nullptr; // pixel (0, 0)
    std::ptrdiff_t stride = 0;     // pixels from one row to the next
    CRect clip;                    // the pixels that may be set
    int dx = 0;                    // added to a logical x (y) to give its pixel
    int dy = 0;
};

// Sets the pixels from (x0, y0) to (x1, y1), both included, in logical units.
void FillPixelRect(const CPixelTarget& t, long long x0, long long y0, long long x1, long long y1,
                   std::uint32_t colour);

void StrokePolyline(const CPixelTarget& t, const CPoint* points, size_t count,
                    std::uint32_t colour);

// Reused between calls, so that filling allocates only when a polygon outgrows it.
struct CPolygonScratch {
    struct Edge {
        long long top, bottom; // the pixel rows it crosses: top included, bottom not
        long long y0;          // its upper end, in pixels
        double x0, slope;      // and x there, and its change per row
    };
    std::vector<Edge> edges, sorted, active;
    std::vector<size_t> starts, place;
    std::vector<double> crossings;
};

void FillPolygon(const CPixelTarget& t, const CPoint* points, size_t count, std::uint32_t colour,
                 CPolygonScratch& scratch);
