// Smoothing a log track: a centred moving average that skips missing samples.
#include "tracks/LogTrack.h"

#include "base/ValueRange.h"

#include <algorithm>
#include <cstdint>

int CLogTrack::Smooth(int length) {
    const int h = length / 2;
    if (h < 1) return 0;
    const size_t n = std::min(static_cast<size_t>(std::max(count, 0)), values.size());
    const size_t w = 2 * static_cast<size_t>(h) + 1; // the window, cut short at both ends

    // Sums over blocks of w samples: from each sample to its block's end here, from
    // the block's start up to the window's end in the pass below. A window spans at
    // most two blocks, so its sum is one of each (or one alone) and nothing is ever
    // subtracted: a huge sample leaving the window cannot cancel the small ones.
    struct Tail {
        double sum;
        int32_t count;
    };
    std::vector<Tail> tail(n);
    for (size_t start = 0; start < n; start += w) {
        Tail t{0.0, 0};
        for (size_t i = std::min(n, start + w); i-- > start;) {
            const float v = values[i];
            if (IsPresent(v, nullvalue)) {
                t.sum += v;
                ++t.count;
            }
            tail[i] = t;
        }
    }

    std::vector<float> smoothed(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(n));
    double headSum = 0.0;
    int32_t headCount = 0;
    size_t next = 0; // the first sample not yet in the head sums
    for (size_t i = 0; i < n; ++i) {
        const size_t lo = i > static_cast<size_t>(h) ? i - static_cast<size_t>(h) : 0;
        const size_t hi = std::min(n - 1, i + static_cast<size_t>(h));
        for (; next <= hi; ++next) {
            if (next % w == 0) headSum = 0.0, headCount = 0;
            const float v = values[next];
            if (IsPresent(v, nullvalue)) {
                headSum += v;
                ++headCount;
            }
        }
        if (!IsPresent(values[i], nullvalue)) continue; // a missing sample stays missing
        double sum;
        int32_t taken;
        if (lo / w != hi / w) {
            sum = tail[lo].sum + headSum;
            taken = tail[lo].count + headCount;
        } else if (lo % w == 0) {
            sum = headSum;
            taken = headCount;
        } else { // cut short by the end of the curve, within the last block
            sum = tail[lo].sum;
            taken = tail[lo].count;
        }
        smoothed[i] = static_cast<float>(sum / taken);
    }
    std::copy(smoothed.begin(), smoothed.end(), values.begin());
    return 1;
}
