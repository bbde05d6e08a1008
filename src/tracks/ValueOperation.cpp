// The value operations on one number, and on the samples and values of tracks.
#include "tracks/ValueOperation.h"

#include "base/ValueRange.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"

#include <algorithm>
#include <cmath>

float ApplyOperation(int code, float v, float x) {
    float r = v;
    switch (code) {
    case kOpAdd:
        r = v + x;
        break;
    case kOpSubtract:
        r = v - x;
        break;
    case kOpMultiply:
        r = v * x;
        break;
    case kOpDivide:
        if (x != 0.0f) r = v / x;
        break;
    case kOpLog10:
        if (v > 0.0f) r = std::log10(v);
        break;
    case kOpFahrenheitToCelsius:
        r = (v - 32.0f) * 5.0f / 9.0f;
        break;
    case kOpCelsiusToFahrenheit:
        r = v * 9.0f / 5.0f + 32.0f;
        break;
    case kOpPsiToMpa:
        r = v / kPsiPerMpa;
        break;
    case kOpMpaToPsi:
        r = v * kPsiPerMpa;
        break;
    default:
        break;
    }
    // An overflow would put an infinity into the curve, which no axis can show.
    return std::isfinite(r) ? r : v;
}

int CLogTrack::ApplyOperation(int code, float x) {
    const size_t n = std::min(static_cast<size_t>(std::max(count, 0)), values.size());
    int changed = 0;
    for (size_t i = 0; i < n; ++i) {
        float& v = values[i];
        if (!IsPresent(v, nullvalue)) continue;
        const float r = ::ApplyOperation(code, v, x);
        changed += r != v;
        v = r;
    }
    return changed;
}

int CDataTrack::ApplyOperation(int code, float x) {
    int changed = 0;
    for (Point& p : points) {
        if (!IsPresent(p.value, nullvalue)) continue;
        const float r = ::ApplyOperation(code, p.value, x);
        changed += r != p.value;
        p.value = r;
    }
    return changed;
}
