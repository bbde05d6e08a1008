#pragma once

#include <algorithm>
#include <cmath>

// Device coordinates stay within this bound, so sums of a few of them cannot
// overflow an int, whatever lengths and values a file holds.
inline constexpr int kPixelLimit = 1 << 30;

// v truncated toward zero and saturated at the bound; NaN gives 0.
inline int SaturatePixels(double v) {
    if (std::isnan(v)) return 0;
    if (v > kPixelLimit) return kPixelLimit;
    if (v < -kPixelLimit) return -kPixelLimit;
    return static_cast<int>(v);
}

// The middle of two device coordinates (and a third added), without overflow.
inline int Mid(long long a, long long b, long long add = 0) { return SaturatePixels(static_cast<double>(a + b + add) / 2); }

struct CPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

// Device-context style rectangle: left and top inside, right and bottom outside.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    CRect Intersect(const CRect& o) const {
        CRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
        if (r.IsEmpty()) r = {};
        return r;
    }
    friend bool operator==(const CRect&, const CRect&) = default;
};
