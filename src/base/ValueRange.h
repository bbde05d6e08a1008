// Curve values with their null value: which ones count, and the range they span.
#pragma once

#include <cmath>
#include <cstddef>

// A sample that is a value: not the curve's null value, and finite.
inline bool IsValue(float v, float nullValue) { return v != nullValue && std::isfinite(v); }

// The missing-value marker of the log operations, and the null value of the tracks
// they make (the data track's default null value).
inline constexpr float kMissingValue = -99999.0f;
// A sample the log operations use: a value that is not the marker either, which
// files and pastes put into curves whatever their own null value is.
inline bool IsPresent(float v, float nullValue) { return IsValue(v, nullValue) && v != kMissingValue; }

// Widens lo..hi to take in every sample that is a value; lo..hi stay as they were
// when none is.
inline void WidenToValues(const float* values, size_t n, float nullValue, float& lo, float& hi) {
    for (size_t i = 0; i < n; ++i) {
        const float v = values[i];
        if (!IsValue(v, nullValue)) continue;
        if (v < lo) lo = v;
        if (v > hi) hi = v;
    }
}
