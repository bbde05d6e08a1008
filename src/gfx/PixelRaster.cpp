#include "gfx/PixelRaster.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

// Products of two pixel distances (each under 2^34) need more than 64 bits.
__extension__ using Wide = __int128;

// The largest integer not above a / b, for b > 0.
long long FloorDiv(Wide a, long long b) {
    Wide q = a / b;
    if (a % b != 0 && a < 0) --q;
    return static_cast<long long>(q);
}

// n pixels of one colour, four at a time.
void Fill(std::uint32_t* p, std::ptrdiff_t n, std::uint32_t colour) {
    if (n >= 4) {
        const std::uint32_t four[4] = {colour, colour, colour, colour};
        std::uint32_t* const end = p + n - 4;
        for (; p < end; p += 4)
            std::memcpy(p, four, sizeof four);
        std::memcpy(end, four, sizeof four);
        return;
    }
    for (std::ptrdiff_t i = 0; i < n; ++i)
        p[i] = colour;
}

// Pixels x0 to x1 (both included, in either order) of row y, cut to the clip.
void FillRow(const CPixelTarget& t, long long y, long long x0, long long x1, std::uint32_t colour) {
    if (x0 > x1) std::swap(x0, x1);
    x0 = std::max<long long>(x0, t.clip.left);
    x1 = std::min<long long>(x1, t.clip.right - 1LL);
    if (x0 > x1 || y < t.clip.top || y >= t.clip.bottom) return;
    Fill(t.bits + y * t.stride + x0, x1 - x0 + 1, colour);
}

// Pixels y0 to y1 (both included) of column x, already inside the clip.
void FillColumn(const CPixelTarget& t, long long x, long long y0, long long y1,
                std::uint32_t colour) {
    std::uint32_t* p = t.bits + y0 * t.stride + x;
    for (long long y = y0; y <= y1; ++y, p += t.stride)
        *p = colour;
}

// One segment in pixels, its last pixel left out. Along the major axis (x when the
// segment is at least as wide as tall) step s sets the pixel whose minor coordinate
// is nearest the line there, a half rounding up: an + floor((2 s dn + steps) / (2 steps)).
// `inside` says both ends lie in the clip, and with them the whole segment.
void Segment(const CPixelTarget& t, long long ax, long long ay, long long bx, long long by,
             std::uint32_t colour, bool inside) {
    const bool wide = std::abs(bx - ax) >= std::abs(by - ay);
    const long long am = wide ? ax : ay, an = wide ? ay : ax;
    const long long dm = wide ? bx - ax : by - ay, dn = wide ? by - ay : bx - ax;
    const long long steps = std::abs(dm), step = dm > 0 ? 1 : -1;
    if (steps == 0) return;
    const long long last = am + dm - step; // the last major coordinate set

    // The common shapes of a curve drawn at a sample a row, and of outlines.
    const auto run = [&](long long y, long long x0, long long x1) {
        if (!inside) return FillRow(t, y, x0, x1, colour);
        if (x0 > x1) std::swap(x0, x1);
        Fill(t.bits + y * t.stride + x0, x1 - x0 + 1, colour);
    };
    if (dn == 0) {
        if (wide) return run(an, am, last);
        if (inside) return FillColumn(t, an, std::min(am, last), std::max(am, last), colour);
    }
    if (wide && (dn == 1 || dn == -1)) {
        // Two runs, split where the line crosses between the rows.
        const long long split = dn > 0 ? (steps + 1) / 2 : steps / 2 + 1;
        run(an, am, am + step * (split - 1));
        if (split < steps) run(an + dn, am + step * split, last);
        return;
    }

    // The steps whose major coordinate lies inside the clip.
    long long s0 = 0, s1 = steps - 1;
    long long nlo = LLONG_MIN, nhi = LLONG_MAX;
    if (!inside) {
        const long long lo = wide ? t.clip.left : t.clip.top;
        const long long hi = (wide ? t.clip.right : t.clip.bottom) - 1LL;
        s0 = std::max(dm > 0 ? lo - am : am - hi, 0LL);
        s1 = std::min(dm > 0 ? hi - am : am - lo, steps - 1);
        if (s0 > s1) return;
        nlo = wide ? t.clip.top : t.clip.left;
        nhi = (wide ? t.clip.bottom : t.clip.right) - 1LL;
    }
    // The minor coordinate is kept as quotient and remainder and carried a step at a
    // time; |2 dn| <= 2 steps, so one correction a step keeps the remainder in range.
    const long long den = 2 * steps, add = 2 * dn;
    long long q = 0, r = steps;
    if (s0 != 0) {
        // Wide division is slow; only a segment entering from outside needs one.
        const Wide num = Wide(2) * s0 * dn + steps;
        q = FloorDiv(num, den);
        r = static_cast<long long>(num - Wide(q) * den);
    }
    long long m = am + step * s0;
    for (long long s = s0; s <= s1; ++s, m += step) {
        const long long n = an + q;
        if (n >= nlo && n <= nhi) t.bits[wide ? n * t.stride + m : m * t.stride + n] = colour;
        r += add;
        if (r >= den) {
            r -= den;
            ++q;
        } else if (r < 0) {
            r += den;
            --q;
        }
    }
}

} // namespace

void FillPixelRect(const CPixelTarget& t, long long x0, long long y0, long long x1, long long y1,
                   std::uint32_t colour) {
    x0 = std::max<long long>(x0 + t.dx, t.clip.left);
    x1 = std::min<long long>(x1 + t.dx, t.clip.right - 1LL);
    y0 = std::max<long long>(y0 + t.dy, t.clip.top);
    y1 = std::min<long long>(y1 + t.dy, t.clip.bottom - 1LL);
    if (x0 > x1 || y0 > y1) return;
    if (x0 == x1) return FillColumn(t, x0, y0, y1, colour);
    for (long long y = y0; y <= y1; ++y)
        Fill(t.bits + y * t.stride + x0, x1 - x0 + 1, colour);
}

void StrokePolyline(const CPixelTarget& t, const CPoint* points, size_t count,
                    std::uint32_t colour) {
    if (count < 2 || t.clip.IsEmpty()) return;
    const auto in = [&t](long long x, long long y) {
        return x >= t.clip.left && x < t.clip.right && y >= t.clip.top && y < t.clip.bottom;
    };
    long long ax = points[0].x + static_cast<long long>(t.dx),
              ay = points[0].y + static_cast<long long>(t.dy);
    bool aIn = in(ax, ay);
    for (size_t i = 1; i < count; ++i) {
        const long long bx = points[i].x + static_cast<long long>(t.dx);
        const long long by = points[i].y + static_cast<long long>(t.dy);
        const bool bIn = in(bx, by);
        // Whole segments beside the clip cost nothing.
        const bool beside =
            !aIn && !bIn &&
            ((ax < t.clip.left && bx < t.clip.left) || (ax >= t.clip.right && bx >= t.clip.right) ||
             (ay < t.clip.top && by < t.clip.top) || (ay >= t.clip.bottom && by >= t.clip.bottom));
        if (!beside) Segment(t, ax, ay, bx, by, colour, aIn && bIn);
        ax = bx;
        ay = by;
        aIn = bIn;
    }
}

void FillPolygon(const CPixelTarget& t, const CPoint* points, size_t count, std::uint32_t colour,
                 CPolygonScratch& scratch) {
    if (count < 3 || t.clip.IsEmpty()) return;
    auto& edges = scratch.edges;
    edges.clear();
    long long first = t.clip.bottom, last = t.clip.top;
    for (size_t i = 0; i < count; ++i) {
        CPoint a = points[i], b = points[i + 1 < count ? i + 1 : 0];
        if (a.y == b.y) continue;
        // Taken from the upper end whichever way the edge runs.
        if (a.y > b.y) std::swap(a, b);
        const long long top = std::max<long long>(a.y + static_cast<long long>(t.dy), t.clip.top);
        const long long bottom =
            std::min<long long>(b.y + static_cast<long long>(t.dy), t.clip.bottom);
        if (top >= bottom) continue;
        const double slope = static_cast<double>(static_cast<long long>(b.x) - a.x) /
                             static_cast<double>(static_cast<long long>(b.y) - a.y);
        edges.push_back({top, bottom, a.y + static_cast<long long>(t.dy),
                         static_cast<double>(a.x + static_cast<long long>(t.dx)), slope});
        first = std::min(first, top);
        last = std::max(last, bottom);
    }
    if (edges.empty()) return;

    // Edges by their first row: counted into place, as the rows are few.
    auto& starts = scratch.starts;
    starts.assign(static_cast<size_t>(last - first) + 1, 0);
    for (const auto& e : edges)
        ++starts[static_cast<size_t>(e.top - first) + 1];
    for (size_t r = 1; r < starts.size(); ++r)
        starts[r] += starts[r - 1];
    auto& sorted = scratch.sorted;
    sorted.resize(edges.size());
    auto& place = scratch.place;
    place.assign(starts.begin(), starts.end());
    for (const auto& e : edges)
        sorted[place[static_cast<size_t>(e.top - first)]++] = e;

    // The edges crossing the row in hand, and where they cross its centre.
    scratch.active.resize(edges.size());
    scratch.crossings.resize(edges.size());
    CPolygonScratch::Edge* const active = scratch.active.data();
    double* const xs = scratch.crossings.data();
    size_t live = 0;
    const double left = t.clip.left, right = t.clip.right;
    for (long long y = first; y < last; ++y) {
        const size_t r = static_cast<size_t>(y - first);
        for (size_t e = starts[r]; e < starts[r + 1]; ++e)
            active[live++] = sorted[e];
        size_t n = 0;
        for (size_t e = 0; e < live;) {
            if (active[e].bottom <= y) {
                active[e] = active[--live];
                continue;
            }
            // Always from the upper end, so that a clip or a neighbour sharing the
            // edge finds the same crossing to the last bit.
            xs[n++] =
                active[e].x0 + (static_cast<double>(y - active[e].y0) + 0.5) * active[e].slope;
            ++e;
        }
        if (n == 2) {
            if (xs[1] < xs[0]) std::swap(xs[0], xs[1]);
        } else {
            std::sort(xs, xs + n);
        }
        std::uint32_t* const row = t.bits + y * t.stride;
        for (size_t k = 0; k + 1 < n; k += 2) {
            // The pixels whose centres lie in [xs[k], xs[k + 1]).
            const double from = std::ceil(std::clamp(xs[k], left, right) - 0.5);
            const double to = std::ceil(std::clamp(xs[k + 1], left, right) - 0.5);
            if (from < to)
                Fill(row + static_cast<long long>(from), static_cast<long long>(to - from), colour);
        }
    }
}
