#pragma once

// Feet per meter: the 32-bit float nearest to 1 / 0.3048, used in double precision.
inline constexpr double kFeetPerMeter = 3.2808399200439453;
// Lithology and stratigraphy tops convert with these single-precision factors.
inline constexpr float kLayerToFeet = 3.28084f;
inline constexpr float kLayerToMeters = 0.3048f;

enum : int { kMeters = 0, kFeet = 1 };
