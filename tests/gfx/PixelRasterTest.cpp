#include "gfx/PixelRaster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kPaper = 0xFFFFFFFFu;
constexpr std::uint32_t kInk = 0xFF102030u;
constexpr int kGuard = 3; // untouchable pixels around the clip, rows and columns

// Pixels with a guard band all round the drawable area, to catch a write outside it.
struct Pixels {
    int width, height;
    std::vector<std::uint32_t> bits;
    CPixelTarget target;
    Pixels(int w, int h, int dx = 0, int dy = 0)
        : width(w), height(h),
          bits(static_cast<size_t>((w + 2 * kGuard) * (h + 2 * kGuard)), kPaper) {
        target.stride = w + 2 * kGuard;
        target.bits = bits.data() + kGuard * target.stride + kGuard;
        target.clip = {0, 0, w, h};
        target.dx = dx;
        target.dy = dy;
    }
    // Relative to the drawable area, guard band included.
    std::uint32_t At(int x, int y) const { return target.bits[y * target.stride + x]; }
    bool Ink(int x, int y) const { return At(x, y) != kPaper; }
    bool GuardClean() const {
        for (int y = -kGuard; y < height + kGuard; ++y)
            for (int x = -kGuard; x < width + kGuard; ++x)
                if ((x < 0 || y < 0 || x >= width || y >= height) && Ink(x, y)) return false;
        return true;
    }
};

// The pixels a segment sets, worked out directly: for each step along the longer
// axis, the nearest pixel across it, a half going up; the end point left out.
std::vector<CPoint> SegmentPixels(long long ax, long long ay, long long bx, long long by) {
    std::vector<CPoint> out;
    const bool wide = std::llabs(bx - ax) >= std::llabs(by - ay);
    const long long steps = wide ? std::llabs(bx - ax) : std::llabs(by - ay);
    const long long across = wide ? by - ay : bx - ax;
    for (long long s = 0; s < steps; ++s) {
        // One rounding, so a half is exactly a half.
        const long double off =
            static_cast<long double>(s * across) / static_cast<long double>(steps);
        const long long near = static_cast<long long>(std::floor(off + 0.5L));
        if (wide)
            out.push_back({static_cast<int>(ax + (bx > ax ? s : -s)), static_cast<int>(ay + near)});
        else
            out.push_back({static_cast<int>(ax + near), static_cast<int>(ay + (by > ay ? s : -s))});
    }
    return out;
}

std::string Describe(const std::vector<CPoint>& pts) {
    std::string s;
    for (const CPoint& p : pts)
        s += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ") ";
    return s;
}

} // namespace

// Random polylines, partly outside a clip that is smaller than the pixels, shifted by
// a logical offset: the pixels set are exactly those of the direct formula, inside the
// clip; each vertex but the last is set; nothing lands outside the clip.
TEST(PixelRaster, PolylinesSetTheNearestPixelAlongEachSegment) {
    std::mt19937 rng(7);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int trial = 0; trial < 2000; ++trial) {
        Pixels px(40, 30, pick(-5, 5), pick(-5, 5));
        px.target.clip = {pick(0, 10), pick(0, 10), pick(25, 40), pick(18, 30)};
        std::vector<CPoint> pts(static_cast<size_t>(pick(2, 6)));
        for (CPoint& p : pts) {
            // Mostly the shapes of a curve (a row or two down), sometimes anything.
            if (&p != &pts[0] && pick(0, 2) > 0)
                p = {(&p)[-1].x + pick(-20, 20), (&p)[-1].y + pick(0, 1)};
            else
                p = {pick(-20, 60), pick(-20, 50)};
        }
        StrokePolyline(px.target, pts.data(), pts.size(), kInk);

        std::vector<char> want(40 * 30, 0);
        const CRect& c = px.target.clip;
        for (size_t i = 1; i < pts.size(); ++i)
            for (const CPoint& q :
                 SegmentPixels(pts[i - 1].x + px.target.dx, pts[i - 1].y + px.target.dy,
                               pts[i].x + px.target.dx, pts[i].y + px.target.dy))
                if (c.Contains(q.x, q.y)) want[static_cast<size_t>(q.y * 40 + q.x)] = 1;
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            const int x = pts[i].x + px.target.dx, y = pts[i].y + px.target.dy;
            if (c.Contains(x, y) && pts[i] != pts[i + 1]) {
                ASSERT_TRUE(px.Ink(x, y)) << Describe(pts);
            }
        }
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(px.Ink(x, y), want[static_cast<size_t>(y * 40 + x)] != 0)
                    << x << "," << y << " of " << Describe(pts) << " shifted " << px.target.dx
                    << "," << px.target.dy;
        ASSERT_TRUE(px.GuardClean()) << Describe(pts);
    }
}

// Segments from the far edges of the coordinate range: where they cross the pixels,
// the pixels are still the nearest ones, and the guard band stays clean.
TEST(PixelRaster, FarSegmentsAreCutWithoutLosingTheirCourse) {
    std::mt19937 rng(11);
    auto far = [&rng] { return std::uniform_int_distribution<int>(-(1 << 30), 1 << 30)(rng); };
    int crossing = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        Pixels px(64, 64);
        // Through a point of the image, out to far away on both sides.
        const int cx = std::uniform_int_distribution<int>(0, 63)(rng),
                  cy = std::uniform_int_distribution<int>(0, 63)(rng);
        const int ex = far(), ey = far();
        if (ex == 0 && ey == 0) continue;
        const CPoint pts[3] = {{cx - ex, cy - ey}, {cx, cy}, {cx + ex, cy + ey}};
        StrokePolyline(px.target, pts, 3, kInk);
        ASSERT_TRUE(px.GuardClean());
        // Along the longer axis each line of pixels holds exactly one, where the
        // line is nearest (ties cannot come up at these sizes).
        const bool wide = std::llabs(ex) >= std::llabs(ey);
        for (int m = 0; m < 64; ++m) {
            const long long along = m - (wide ? cx : cy);
            const long double off =
                static_cast<long double>(along * (wide ? ey : ex)) / (wide ? ex : ey);
            const long long want =
                (wide ? cy : cx) + static_cast<long long>(std::floor(off + 0.5L));
            for (int k = 0; k < 64; ++k) {
                const bool ink = wide ? px.Ink(m, k) : px.Ink(k, m);
                if (ink != (k == want)) {
                    // Only the last point, (cx + ex, cy + ey), is left out, and it is far.
                    FAIL() << "through " << cx << "," << cy << " by " << ex << "," << ey << " at "
                           << m << "," << k;
                }
            }
            crossing += want >= 0 && want < 64;
        }
    }
    EXPECT_GT(crossing, 3000);
}

// Polygons set the pixels whose centres lie inside them: rectangles exactly, the
// two halves of a polygon cut along a diagonal neither overlap nor leave a gap, a
// star's middle is left empty (alternate fill), and a clip only cuts.
TEST(PixelRaster, PolygonsFillThePixelsWhoseCentresAreInside) {
    {
        Pixels px(30, 30, 2, -1);
        const CPoint box[4] = {{3, 5}, {13, 5}, {13, 12}, {3, 12}};
        CPolygonScratch scratch;
        FillPolygon(px.target, box, 4, kInk, scratch);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x)
                ASSERT_EQ(px.Ink(x, y), x >= 5 && x < 15 && y >= 4 && y < 11) << x << "," << y;
    }
    std::mt19937 rng(3);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    CPolygonScratch scratch;
    for (int trial = 0; trial < 500; ++trial) {
        // A random polygon around the middle, cut from vertex 0 to vertex k.
        std::vector<CPoint> poly(static_cast<size_t>(pick(4, 9)));
        for (size_t i = 0; i < poly.size(); ++i) {
            const double a = 6.283185307179586 * (static_cast<double>(i) + pick(0, 80) / 100.0) /
                             static_cast<double>(poly.size());
            const double r = pick(3, 40);
            poly[i] = {static_cast<int>(25 + r * std::cos(a)),
                       static_cast<int>(25 + r * std::sin(a))};
        }
        const size_t k = static_cast<size_t>(pick(2, static_cast<int>(poly.size()) - 2));
        const std::vector<CPoint> one(poly.begin(),
                                      poly.begin() + static_cast<std::ptrdiff_t>(k) + 1);
        std::vector<CPoint> two(poly.begin() + static_cast<std::ptrdiff_t>(k), poly.end());
        two.push_back(poly[0]);

        Pixels whole(50, 50), a(50, 50), b(50, 50), clipped(50, 50);
        clipped.target.clip = {pick(0, 20), pick(0, 20), pick(25, 50), pick(25, 50)};
        FillPolygon(whole.target, poly.data(), poly.size(), kInk, scratch);
        FillPolygon(a.target, one.data(), one.size(), kInk, scratch);
        FillPolygon(b.target, two.data(), two.size(), kInk, scratch);
        FillPolygon(clipped.target, poly.data(), poly.size(), kInk, scratch);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 50; ++x) {
                // Convexity is not assumed: where the halves overlap, the whole has a
                // hole (alternate fill), so the whole is their difference.
                ASSERT_EQ(whole.Ink(x, y), a.Ink(x, y) != b.Ink(x, y))
                    << trial << " at " << x << "," << y;
                ASSERT_EQ(clipped.Ink(x, y), whole.Ink(x, y) && clipped.target.clip.Contains(x, y))
                    << trial << " at " << x << "," << y << " clip " << clipped.target.clip.left
                    << "," << clipped.target.clip.top << "," << clipped.target.clip.right << ","
                    << clipped.target.clip.bottom << " " << Describe(poly);
            }
        ASSERT_TRUE(clipped.GuardClean() && whole.GuardClean() && a.GuardClean() && b.GuardClean());
    }

    Pixels star(40, 40);
    const CPoint points[5] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
    FillPolygon(star.target, points, 5, kInk, scratch);
    EXPECT_FALSE(star.Ink(20, 20));
    EXPECT_TRUE(star.Ink(20, 8));
    EXPECT_TRUE(star.Ink(8, 15));

    // Far corners: what shows is the whole clip, and nothing beyond it.
    Pixels huge(20, 20);
    huge.target.clip = {2, 3, 17, 19};
    const CPoint big[3] = {{-(1 << 30), -(1 << 30)}, {1 << 30, -(1 << 30)}, {0, 1 << 30}};
    FillPolygon(huge.target, big, 3, kInk, scratch);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(huge.Ink(x, y), huge.target.clip.Contains(x, y)) << x << "," << y;
    ASSERT_TRUE(huge.GuardClean());
}
