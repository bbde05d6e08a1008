// One rock type of the lithology library: its id, names, pattern and the rock
// properties the library table carries with it.
#pragma once

#include "gfx/DrawSurface.h"

#include <cmath>
#include <memory>
#include <string>

struct CLithology {
    int id = -1;
    std::string name = "Untitled";
    std::string shortName;
    std::string bmpfile; // the pattern's file name in the pattern folder, without ".bmp"
    // The 16 x 16 pattern, white when its bitmap could not be read; shared with the
    // brushes that fill layers.
    std::shared_ptr<const CPatternTile> pattern;
    float phi0 = 0.6f;
    float compaction = static_cast<float>(std::log(6.0) / 3000.0); // ln(phi0 / phiz) / 3000
    float perm0 = 1e-13f;
    float phiz = 0.1f;
    float permB = 4.5f;
    float density = 2.65f;
    float rebc = 0.02f;
    float tc = 0.0387f;
    float hc = 0.2f;
    float tcc = 0.0005f;
    float rhp = 1.5f;
    float clay = 0.0f;
    float gSize = 0.01f;
    float sArea = 1e8f;
    float sorting = 0.0f;

    // ln(phi0 / phiz) / 3000, or 0 where the porosities give no logarithm (zero,
    // negative or not numbers), so no value of a file can trap the computation.
    void DeriveCompaction();
};
