// Curve values with their null value: which ones count, and the range they span.
#pragma once

#include <cmath>
#include <cstddef>

// A sample that is a value: not the curve's null value, and finite.
inline bool IsValue(float v, float nullValue) { return v != nullValue && std::isfinite(v); }

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
