#include "platform/QtSurface.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr ColourRef kBlack = MakeRGB(0, 0, 0);
constexpr ColourRef kRed = MakeRGB(255, 0, 0);
constexpr ColourRef kGreen = MakeRGB(0, 160, 0);
constexpr ColourRef kBlue = MakeRGB(0, 0, 255);
constexpr ColourRef kYellow = MakeRGB(255, 255, 0);
constexpr int kFar = 1 << 30;

QImage White(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// An image with a painter and a surface on it; Done() ends painting.
struct Canvas {
    QImage image;
    QPainter painter{&image};
    CQtSurface dc{painter};
    Canvas(int w, int h) : image(White(w, h)) {}
    const QImage& Done() {
        painter.end();
        return image;
    }
};

ColourRef At(const QImage& im, int x, int y) {
    const QRgb c = im.pixel(x, y);
    return MakeRGB(static_cast<unsigned>(qRed(c)), static_cast<unsigned>(qGreen(c)),
                   static_cast<unsigned>(qBlue(c)));
}
bool Ink(const QImage& im, int x, int y) { return At(im, x, y) != MakeRGB(255, 255, 255); }

// The smallest rectangle holding every pixel that is not white (or is `only`); the
// count of such pixels goes to `count`.
QRect InkBox(const QImage& im, std::optional<ColourRef> only = {}, int* count = nullptr) {
    QRect box;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            if (only ? At(im, x, y) == *only : Ink(im, x, y)) {
                box |= QRect(x, y, 1, 1);
                if (count) ++*count;
            }
    return box;
}

CFontDesc Arial(int height, int escapement = 0) {
    return {"Arial", height, 400, false, escapement, escapement, 0};
}

} // namespace

TEST(QtSurface, PensDrawOnTheRightPixels) {
    Canvas c(100, 60);
    const auto line = [&c](CPen pen, int x0, int x1, int y) {
        c.dc.SelectPen(pen);
        c.dc.MoveTo(x0, y);
        c.dc.LineTo(x1, y);
    };
    line({PS_SOLID, 0, kRed}, 2, 7, 5); // the end point is not drawn
    c.dc.SetTextColor(kGreen);
    c.dc.SelectFont(Arial(-8));
    c.dc.TextOut(40, 0, "x"); // text takes the painter's pen for its colour...
    line({PS_SOLID, 0, kRed}, 7, 12, 5); // ...and must give the line's back
    line({PS_DASH, 0, kBlack}, 0, 100, 20);
    line({PS_DASH, 3, kBlack}, 0, 100, 45); // wide styled pens draw solid
    line({PS_NULL, 0, kBlack}, 0, 100, 55);
    c.dc.SelectBrush(CBrush::NullBrush());
    c.dc.Polygon({{70, 50}, {90, 50}, {90, 58}}); // neither pen nor brush: nothing
    const QImage& im = c.Done();

    EXPECT_EQ(InkBox(im.copy(0, 0, 30, 10)), QRect(2, 5, 10, 1));
    EXPECT_EQ(At(im, 11, 5), kRed);
    const auto gaps = [&im](int y) {
        int n = 0;
        for (int x = 0; x < 99; ++x) n += !Ink(im, x, y);
        return n;
    };
    EXPECT_GT(gaps(20), 10);
    EXPECT_EQ(gaps(45), 0);
    EXPECT_EQ(InkBox(im.copy(0, 40, 100, 20)), QRect(0, 4, 100, 3)); // the null pen drew nothing
}

TEST(QtSurface, RectanglesAndEllipsesLeaveRightAndBottomOutside) {
    Canvas c(80, 80);
    c.dc.SelectPen({PS_SOLID, 0, kBlack});
    c.dc.SelectBrush(CBrush::SolidBrush(kGreen));
    c.dc.Rectangle(10, 10, 20, 16);
    c.dc.Ellipse(10, 30, 21, 41);
    c.dc.SelectPen({PS_NULL, 0, kBlack});
    c.dc.Rectangle(30, 10, 40, 16); // fill only, the whole rectangle
    const QImage& im = c.Done();

    EXPECT_EQ(InkBox(im.copy(5, 5, 20, 20)), QRect(5, 5, 10, 6));
    EXPECT_EQ(At(im, 19, 15), kBlack);
    EXPECT_EQ(At(im, 14, 12), kGreen);
    EXPECT_EQ(InkBox(im.copy(25, 5, 20, 20)), QRect(5, 5, 10, 6));
    EXPECT_EQ(InkBox(im.copy(5, 25, 25, 25)), QRect(5, 5, 11, 11));
}

TEST(QtSurface, PatternTilesRepeatFromTheLogicalOrigin) {
    auto tile = std::make_shared<CPatternTile>();
    for (unsigned y = 0; y < 16; ++y)
        for (unsigned x = 0; x < 16; ++x) (*tile)[y * 16 + x] = MakeRGB(x * 16, y * 16, 128);
    const auto expected = [&tile](int lx, int ly) { return (*tile)[static_cast<size_t>((ly & 15) * 16 + (lx & 15))]; };

    Canvas c(80, 60);
    c.dc.SelectPen({PS_NULL, 0, 0});
    c.dc.SelectBrush(CBrush::PatternBrush(tile));
    c.dc.Rectangle(3, 5, 20, 40);
    c.dc.Polygon({{20, 5}, {60, 5}, {20, 45}});
    c.painter.translate(5, 7);
    c.dc.Rectangle(60, 40, 70, 50);
    const QImage& im = c.Done();

    for (int y = 5; y < 40; ++y)
        for (int x = 3; x < 40 - y; ++x) ASSERT_EQ(At(im, x, y), expected(x, y)) << x << "," << y;
    for (int y = 47; y < 57; ++y)
        for (int x = 65; x < 75; ++x) ASSERT_EQ(At(im, x, y), expected(x - 5, y - 7)) << x << "," << y;
}

TEST(QtSurface, ClipRectStopsDrawingAndFollowsTheTransform) {
    Canvas c(60, 60);
    c.dc.SelectPen({PS_NULL, 0, 0});
    c.dc.SelectBrush(CBrush::SolidBrush(kBlue));
    c.dc.SetClipRect({10, 10, 20, 20});
    c.dc.Rectangle(0, 0, 30, 30);
    c.dc.SetClipRect({0, 0, 0, 0}); // an empty clip shows nothing
    c.dc.Rectangle(0, 0, 60, 60);
    c.painter.scale(2, 2);
    c.dc.SetClipRect({15, 5, 20, 10}); // replaces, in logical units
    EXPECT_EQ(c.dc.ClipBox(), (CRect{15, 5, 20, 10}));
    c.dc.Rectangle(0, 0, 30, 30);
    c.dc.RemoveClip();
    EXPECT_EQ(c.dc.ClipBox(), (CRect{0, 0, 30, 30}));
    const QImage& im = c.Done();

    int blue = 0;
    InkBox(im, kBlue, &blue);
    EXPECT_EQ(blue, 10 * 10 + 10 * 10);
    EXPECT_EQ(InkBox(im.copy(0, 0, 25, 25)), QRect(10, 10, 10, 10));
    EXPECT_EQ(InkBox(im.copy(25, 0, 35, 25)), QRect(5, 10, 10, 10));
}

TEST(QtSurface, TextBackgroundAndEscapement) {
    Canvas c(240, 200);
    c.dc.SelectFont(Arial(-20));
    c.dc.SetBkColor(kYellow);
    c.dc.SetTextAlign(TA_LEFT | TA_TOP);
    const CSize hg = c.dc.GetTextExtent("Hg");
    for (int mode : {BK_OPAQUE, BK_TRANSPARENT}) {
        c.image.fill(Qt::white);
        c.dc.SetBkMode(mode);
        c.dc.TextOut(5, 5, "Hg");
        // The opaque cell is the measured extent, filled; transparent text paints no yellow.
        int yellow = 0;
        const QRect cell = InkBox(c.image, kYellow, &yellow);
        EXPECT_EQ(cell, mode == BK_OPAQUE ? QRect(5, 5, hg.cx, hg.cy) : QRect()) << mode;
        if (mode == BK_OPAQUE) {
            EXPECT_GT(yellow, hg.cx * hg.cy / 2);
        }
    }
    c.image.fill(Qt::white);
    c.dc.SelectFont(Arial(-20, 900));
    c.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    c.dc.TextOut(120, 180, "HHHHHH");
    const QRect up = InkBox(c.Done());
    EXPECT_GT(up.height(), 3 * up.width());
    EXPECT_LE(up.bottom(), 180);
    EXPECT_LE(up.right(), 120); // the glyphs' tops face left
}

// The setup installs the metric twins of the fonts documents name; without them the
// text would come out in whatever face the machine falls back to.
TEST(QtSurface, FontsMapToMetricTwinsAndMeasureLikeQt) {
    Canvas c(10, 10);
    c.dc.SelectFont({"times new roman", -12, 400, false, 0, 0, 0});
    EXPECT_EQ(QFontInfo(c.dc.CurrentQFont()).family(), QString("Liberation Serif"));

    c.dc.SelectFont(Arial(-20));
    QFont liberation("Liberation Sans");
    liberation.setPixelSize(20);
    liberation.setHintingPreference(QFont::PreferNoHinting);
    liberation.setKerning(false);
    const QFontMetricsF m(liberation);
    const CSize hello = c.dc.GetTextExtent("Hello");
    EXPECT_EQ(hello.cx, std::lround(m.horizontalAdvance("Hello")));
    EXPECT_EQ(hello.cy, std::lround(m.ascent() + m.descent()));
    c.dc.SelectFont(Arial(-40, 900)); // escapement turns the text, not its extent
    EXPECT_NEAR(c.dc.GetTextExtent("Hello").cx, 2 * hello.cx, 1);
    // A positive height is the cell: the em is chosen so the cell comes out at it.
    c.dc.SelectFont(Arial(23));
    EXPECT_EQ(c.dc.GetTextExtent("x").cy, 23);
}

TEST(QtSurface, TextMeasuresTheSameOnEveryDevice) {
    const auto drawn = [](QPaintDevice& device) {
        QPainter painter(&device);
        CQtSurface dc(painter);
        dc.SelectFont(Arial(-18));
        dc.SetBkMode(BK_TRANSPARENT);
        dc.TextOut(4, 4, "Depth 1250 m");
        return dc.GetTextExtent("Depth 1250 m");
    };
    QImage screen = White(200, 40), print = White(200, 40);
    print.setDotsPerMeterX(11811); // 300 dpi
    print.setDotsPerMeterY(11811);
    const CSize a = drawn(screen);
    EXPECT_EQ(drawn(print), a);
    EXPECT_EQ(InkBox(screen), InkBox(print));
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("t.pdf"));
    pdf.setResolution(1200);
    EXPECT_EQ(drawn(pdf), a);
}

TEST(QtSurface, EightBitTextKeepsEveryCharacter) {
    const QString bjorn = QString::fromUtf8("Bj\xC3\xB8rn");
    EXPECT_EQ(TextFromBytes("Bj\xF8rn"), bjorn);
    EXPECT_EQ(TextFromBytes("Bj\xC3\xB8rn"), bjorn);
    EXPECT_EQ(TextFromBytes("\x80 \x96 \x81"), QString::fromUtf8("\xE2\x82\xAC \xE2\x80\x93 \xC2\x81"));
    EXPECT_EQ(TextFromBytes("Bj\xC3"), QString::fromUtf8("Bj\xC3\x83")); // cut-off UTF-8
    EXPECT_EQ(TextFromBytes(std::string_view("a\0b", 3)).size(), 3);

    Canvas latin(120, 40), utf8(120, 40);
    latin.dc.SelectFont(Arial(-20));
    utf8.dc.SelectFont(Arial(-20));
    latin.dc.TextOut(5, 5, "Bj\xF8rn");
    utf8.dc.TextOut(5, 5, "Bj\xC3\xB8rn");
    EXPECT_EQ(latin.Done(), utf8.Done());
}

TEST(QtSurface, HugeCoordinatesDrawTheirVisiblePart) {
    Canvas c(100, 100);
    c.dc.SelectPen({PS_SOLID, 0, kBlack});
    c.dc.Polyline(std::vector<CPoint>{{-kFar, 10}, {kFar, 10}});
    c.dc.Polyline(std::vector<CPoint>{{-kFar, -kFar}, {kFar, kFar}});
    c.dc.Polyline(std::vector<CPoint>{{kFar, kFar}, {kFar, -kFar}, {-kFar, -kFar}}); // unseen
    EXPECT_EQ(c.dc.CurrentPosition(), (CPoint{-kFar, -kFar}));
    c.dc.SelectPen({PS_NULL, 0, 0});
    c.dc.SelectBrush(CBrush::SolidBrush(kYellow));
    c.dc.Ellipse(-kFar, 40, kFar, kFar); // its top is flat across the image
    c.dc.SelectPen({PS_SOLID, 3, kBlack});
    c.dc.SelectBrush(CBrush::SolidBrush(kBlue));
    c.dc.Polygon({{-kFar, 70}, {kFar, 70}, {kFar, 80}, {-kFar, 80}});
    c.dc.Rectangle(-kFar, 90, kFar, kFar);
    c.dc.TextOut(-kFar, 5, "far away");

    // Scaled for export: a saturated clip still clips, a long dashed line keeps
    // its dashes.
    c.painter.scale(3.125, 3.125);
    c.dc.SetClipRect({-kFar, -kFar, kFar, 20});
    EXPECT_EQ(c.dc.ClipBox(), (CRect{0, 0, 32, 20}));
    c.dc.SelectPen({PS_DASH, 1, kRed});
    c.dc.Polyline(std::vector<CPoint>{{-kFar, 16}, {kFar, 16}});
    c.dc.SelectPen({PS_NULL, 0, 0});
    c.dc.SelectBrush(CBrush::SolidBrush(kGreen));
    c.dc.Rectangle(-kFar, 18, kFar, kFar);
    const QImage& im = c.Done();

    int red = 0;
    for (int x = 0; x < 100; ++x) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(Ink(im, x, 10));
        EXPECT_EQ(Ink(im, x, 38), x == 38); // only the diagonal crosses there
        EXPECT_EQ(At(im, x, 42), kYellow);
        EXPECT_EQ(At(im, x, 59), kGreen);
        EXPECT_EQ(At(im, x, 75), kBlue);
        EXPECT_EQ(At(im, x, 95), kBlue);
        red += At(im, x, 50) == kRed;
    }
    EXPECT_GT(red, 50);
    EXPECT_LT(red, 90);
    EXPECT_FALSE(Ink(im, 20, 5));
}

// On a raster image without scaling, thin solid lines along a row or column and
// rectangle outlines are filled in as pixels rather than drawn as lines: they must
// set exactly the pixels Qt's line drawing sets, either way a line runs, partly off
// the image, shifted by whole pixels, with a cosmetic pen or one of one unit.
TEST(QtSurface, ThinRowsColumnsAndOutlinesSetThePixelsQtsLinesWould) {
    std::mt19937 rng(2026);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const ColourRef colour = MakeRGB(20, 90, 160);
    int differing = 0;
    std::string first;
    for (int trial = 0; trial < 3000; ++trial) {
        const int width = trial % 2;
        const bool rectangle = trial % 3 == 0;
        const int dx = pick(-3, 3), dy = pick(-3, 3);
        int x0 = pick(-10, 50), y0 = pick(-10, 50), x1 = pick(-10, 50), y1 = pick(-10, 50);
        if (!rectangle && pick(0, 1)) y1 = y0;
        else if (!rectangle) x1 = x0;

        QImage ours = White(40, 40), qts = White(40, 40);
        {
            QPainter painter(&ours);
            painter.translate(dx, dy);
            CQtSurface dc(painter);
            dc.SelectPen({PS_SOLID, width, colour});
            dc.SelectBrush(CBrush::NullBrush());
            if (rectangle) {
                dc.Rectangle(x0, y0, x1, y1);
            } else {
                dc.MoveTo(x0, y0);
                dc.LineTo(x1, y1);
            }
        }
        {
            QPainter painter(&qts);
            painter.translate(dx, dy);
            QPen pen(QColor(20, 90, 160), width);
            pen.setCosmetic(width == 0);
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            if (rectangle) {
                // Right and bottom are outside the rectangle.
                const double l = std::min(x0, x1), r = std::max(x0, x1);
                const double t = std::min(y0, y1), b = std::max(y0, y1);
                if (r > l && b > t)
                    painter.drawRect(QRectF(QPointF(l, t), QPointF(std::max(l, r - 1), std::max(t, b - 1))));
            } else {
                const QPointF line[2] = {QPointF(x0, y0), QPointF(x1, y1)};
                painter.drawPolyline(line, 2);
            }
        }
        if (ours != qts && differing++ == 0)
            first = (rectangle ? "rectangle " : "line ") + std::to_string(x0) + "," + std::to_string(y0) +
                    " to " + std::to_string(x1) + "," + std::to_string(y1) + " shifted " +
                    std::to_string(dx) + "," + std::to_string(dy) + " pen " + std::to_string(width);
    }
    EXPECT_EQ(differing, 0) << "first: " << first;

    // Coordinates far outside the image are cut to it, not overflowed.
    QImage far = White(40, 40);
    {
        QPainter painter(&far);
        CQtSurface dc(painter);
        dc.MoveTo(-(1 << 30), 5);
        dc.LineTo(1 << 30, 5);
        dc.MoveTo(7, 1 << 30);
        dc.LineTo(7, -(1 << 30));
    }
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(far.pixel(i, 5), qRgb(0, 0, 0)) << i;
        EXPECT_EQ(far.pixel(7, i), qRgb(0, 0, 0)) << i;
    }
    EXPECT_EQ(far.pixel(6, 4), qRgb(255, 255, 255));
}

// On a 32-bit image on the pixel grid, curves of three points or more and plain
// fills are set straight into the pixels: the same pixels as the rasteriser's own,
// shifted by the painter's translation and cut to the surface's clip; a clip the
// caller set, or a painter that blends, leaves the drawing to Qt.
TEST(QtSurface, ScreenCurvesAndFillsGoStraightIntoThePixels) {
    const ColourRef ink = MakeRGB(20, 90, 160);
    const std::vector<CPoint> curve{{-5, 3}, {17, 4}, {2, 5}, {30, 9}, {31, 40}, {60, 12}};
    const std::vector<CPoint> area{{4, 2}, {40, 30}, {-10, 45}};
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage image(50, 50, format);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.translate(3, -2);
            CQtSurface dc(painter);
            dc.SetClipRect({0, 0, 44, 40});
            dc.SelectPen({PS_NULL, 0, 0});
            dc.SelectBrush(CBrush::SolidBrush(kGreen));
            dc.Polygon(area);
            dc.SelectPen({PS_SOLID, 1, ink});
            dc.Polyline(curve);
        }
        std::vector<std::uint32_t> want(50 * 50, 0xFFFFFFFFu);
        CPixelTarget t{want.data(), 50, {3, 0, 47, 38}, 3, -2};
        CPolygonScratch scratch;
        FillPolygon(t, area.data(), area.size(), 0xFF00A000u, scratch);
        StrokePolyline(t, curve.data(), curve.size(), 0xFF145AA0u);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 50; ++x)
                ASSERT_EQ(image.pixel(x, y), want[static_cast<size_t>(y * 50 + x)])
                    << x << "," << y;
    }

    QImage clipped = White(50, 50), faint = White(50, 50);
    for (QImage* im : {&clipped, &faint}) {
        QPainter painter(im);
        if (im == &clipped)
            painter.setClipRect(QRect(10, 10, 20, 20));
        else
            painter.setOpacity(0.5);
        CQtSurface dc(painter);
        dc.SelectPen({PS_SOLID, 0, kBlack});
        dc.Polyline(curve);
        dc.SelectPen({PS_NULL, 0, 0});
        dc.SelectBrush(CBrush::SolidBrush(kBlack));
        dc.Polygon(area);
    }
    EXPECT_EQ(InkBox(clipped), QRect(10, 10, 20, 20));
    int black = 0, inked = 0;
    InkBox(faint, kBlack, &black);
    InkBox(faint, std::nullopt, &inked);
    EXPECT_EQ(black, 0); // blended, not set
    EXPECT_GT(inked, 300);
}

// Screen text is laid out once and kept, and comes out as Qt's own text drawing.
TEST(QtSurface, ScreenTextComesOutAsQtDrawsIt) {
    for (int round = 0; round < 2; ++round) { // the second time from what was kept
        QImage ours = White(160, 60), qts = White(160, 60);
        QFont font;
        double ascent = 0;
        {
            QPainter painter(&ours);
            painter.translate(-7, 4);
            CQtSurface dc(painter);
            dc.SetTextColor(kBlue);
            dc.SelectFont(Arial(-11));
            dc.TextOut(12, 3, "GR 0-150 API");
            dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
            dc.TextOut(150, 40, "Depth (m)");
            font = dc.CurrentQFont();
            ascent = QFontMetricsF(font).ascent();
            EXPECT_EQ(dc.GetTextExtent("Depth (m)").cx,
                      std::lround(QFontMetricsF(font).horizontalAdvance("Depth (m)")));
        }
        {
            QPainter painter(&qts);
            painter.translate(-7, 4);
            painter.setFont(font);
            painter.setPen(QColor(0, 0, 255));
            painter.drawText(QPointF(12, 3 + ascent), QStringLiteral("GR 0-150 API"));
            painter.drawText(QPointF(150 - QFontMetricsF(font).horizontalAdvance("Depth (m)"), 40),
                             QStringLiteral("Depth (m)"));
        }
        EXPECT_GT(InkBox(ours).width(), 100);
        EXPECT_TRUE(ours == qts) << "round " << round;
    }
}
