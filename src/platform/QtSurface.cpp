#include "platform/QtSurface.h"

#include "gfx/DrawHelpers.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRegion>
#include <QStringDecoder>
#include <QThread>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

// Device contexts give a font of height 0 a default size; this is its cell height.
constexpr int kDefaultCellHeight = 16;
// Past this Qt's glyph rendering and our int conversions stop being trustworthy.
constexpr int kMaxFontEm = 65535;
constexpr double kMaxPenWidth = 1 << 20;
// Fonts and tiles are cached; a document holds a handful of each, but fitted text
// walks through many sizes, so the caches are bounded.
constexpr size_t kMaxCachedFonts = 256;
constexpr size_t kMaxCachedTiles = 64;
constexpr size_t kMaxCachedTexts = 4096; // measured and laid-out texts, all fonts

std::uint32_t ToPixel(ColourRef c) {
    return 0xFF000000u | RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c);
}

QColor ToQColor(ColourRef c) {
    return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)),
                  static_cast<int>(BlueOf(c)));
}

// The area the painter can reach, in device units. Devices without a size (an SVG
// generator left unsized) get a generous box that still keeps coordinates sane.
QRectF DeviceArea(const QPainter& p) {
    const QPaintDevice* d = p.device();
    if (d && d->width() > 0 && d->height() > 0) return QRectF(0, 0, d->width(), d->height());
    constexpr double big = 1 << 24;
    return QRectF(-big, -big, 2 * big, 2 * big);
}

// Inclusive tests, so that zero-width shapes (a vertical line) still count.
bool Overlaps(const QRectF& a, const QRectF& b) {
    return a.left() <= b.right() && a.right() >= b.left() && a.top() <= b.bottom() &&
           a.bottom() >= b.top();
}
bool Inside(const QRectF& inner, const QRectF& outer) {
    return inner.left() >= outer.left() && inner.right() <= outer.right() &&
           inner.top() >= outer.top() && inner.bottom() <= outer.bottom();
}

// Liang-Barsky: trims the segment to the rectangle; false when nothing is left.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, const QRectF& r) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    auto edge = [&](double pp, double q) {
        if (pp == 0) return q >= 0;
        const double t = q / pp;
        if (pp < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    if (!edge(-dx, x0 - r.left()) || !edge(dx, r.right() - x0) || !edge(-dy, y0 - r.top()) ||
        !edge(dy, r.bottom() - y0))
        return false;
    const double sx = x0, sy = y0;
    if (t1 < 1) x1 = sx + t1 * dx, y1 = sy + t1 * dy;
    if (t0 > 0) x0 = sx + t0 * dx, y0 = sy + t0 * dy;
    return true;
}

// Sutherland-Hodgman against each side in turn. The pieces it adds run along the
// rectangle, which lies outside the visible area, and it keeps the winding number
// of every point inside, so the alternate fill of what shows is unchanged.
void ClipPolygon(std::vector<QPointF>& pts, std::vector<QPointF>& tmp, const QRectF& r) {
    auto side = [&](auto inside, auto cross) {
        tmp.clear();
        if (pts.empty()) return;
        QPointF s = pts.back();
        bool sIn = inside(s);
        for (const QPointF& e : pts) {
            const bool eIn = inside(e);
            if (eIn != sIn) tmp.push_back(cross(s, e));
            if (eIn) tmp.push_back(e);
            s = e;
            sIn = eIn;
        }
        pts.swap(tmp);
    };
    auto atX = [](double x) {
        return [x](QPointF a, QPointF b) {
            return QPointF(x, a.y() + (x - a.x()) * (b.y() - a.y()) / (b.x() - a.x()));
        };
    };
    auto atY = [](double y) {
        return [y](QPointF a, QPointF b) {
            return QPointF(a.x() + (y - a.y()) * (b.x() - a.x()) / (b.y() - a.y()), y);
        };
    };
    const double l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    side([l](QPointF q) { return q.x() >= l; }, atX(l));
    side([rr](QPointF q) { return q.x() <= rr; }, atX(rr));
    side([t](QPointF q) { return q.y() >= t; }, atY(t));
    side([b](QPointF q) { return q.y() <= b; }, atY(b));
}

bool SameBrush(const CBrush& a, const CBrush& b) {
    if (a.kind != b.kind) return false;
    if (a.kind == CBrush::Solid) return a.colour == b.colour;
    if (a.kind == CBrush::Pattern) return a.pattern == b.pattern;
    return true;
}

bool Fills(const CBrush& b) {
    return b.kind == CBrush::Solid || (b.kind == CBrush::Pattern && b.pattern);
}

QPen MakePen(const CPen& cp) {
    if (cp.style == PS_NULL) return QPen(Qt::NoPen);
    QPen qp(ToQColor(cp.colour));
    if (cp.width <= 0) {
        qp.setWidth(0);
        qp.setCosmetic(true);
    } else {
        qp.setWidthF(std::min<double>(cp.width, kMaxPenWidth));
        qp.setCosmetic(false);
    }
    // As on a device context: wide pens are always solid, with round ends and
    // joins; thin styled pens use the device context's dash lengths.
    const bool wide = cp.width > 1;
    if (!wide && cp.style == PS_DASH) qp.setDashPattern({18, 6});
    if (!wide && cp.style == PS_DOT) qp.setDashPattern({3, 3});
    qp.setCapStyle(wide ? Qt::RoundCap : Qt::FlatCap);
    qp.setJoinStyle(wide ? Qt::RoundJoin : Qt::MiterJoin);
    return qp;
}

// Windows-1252 for 0x80-0x9F; its five holes keep their own code points.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString TextFromBytes(std::string_view bytes) {
    const auto n = static_cast<qsizetype>(bytes.size());
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) return QString::fromLatin1(bytes.data(), n);

    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString s = utf8(QByteArrayView(bytes.data(), n));
    if (!utf8.hasError()) return s;

    s.resize(n);
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
        s[i] = QChar(c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : char16_t(c));
    }
    return s;
}

QString MapFontFace(std::string_view face) {
    while (!face.empty() && face.front() == ' ')
        face.remove_prefix(1);
    while (!face.empty() && face.back() == ' ')
        face.remove_suffix(1);
    if (face.empty()) return QStringLiteral("Liberation Sans");
    static constexpr std::pair<std::string_view, const char*> kTwins[] = {
        {"arial", "Liberation Sans"},
        {"times new roman", "Liberation Serif"},
        {"courier new", "Liberation Mono"},
        {"verdana", "DejaVu Sans"},
    };
    for (const auto& [name, twin] : kTwins) {
        const bool same =
            std::equal(face.begin(), face.end(), name.begin(), name.end(), [](char a, char b) {
                return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
            });
        if (same) return QString::fromLatin1(twin);
    }
    return TextFromBytes(face);
}

CQtSurface::CQtSurface(QPainter& painter) : p(painter) {
    if (p.isActive() && p.device() && p.device()->devType() == QInternal::Image) {
        auto* img = static_cast<QImage*>(p.device());
        const QImage::Format fmt = img->format();
        if ((fmt == QImage::Format_RGB32 || fmt == QImage::Format_ARGB32_Premultiplied) &&
            img->bytesPerLine() % 4 == 0)
            image = img;
    }
    // An inactive painter still measures text; it only cannot draw.
    if (p.isActive()) ForgetPainterState();
    // Qt's SVG writer keeps no clipping and no texture brushes: without help, a
    // curve would run over its header and a lithology column would come out empty.
    plainDevice = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::SVG;
}

void CQtSurface::SetAntialiasing(bool on) {
    antialias = on;
    p.setRenderHint(QPainter::Antialiasing, on);
    frame.valid = false;
}

void CQtSurface::ForgetPainterState() {
    appliedPen.reset();
    appliedTextPen.reset();
    appliedBrush.reset();
    appliedFont = nullptr;
    frame.valid = false;
    // A clip the caller set may be any shape: the surface leaves the pixels to Qt.
    clipPixels.reset();
    if (!p.hasClipping()) NoteClip(DeviceArea(p));
    // The background mode is for text only; Qt's would also fill the gaps of
    // dashed lines.
    p.setBackgroundMode(Qt::TransparentMode);
    p.setRenderHint(QPainter::Antialiasing, antialias);
    // Pattern tiles line up with the logical origin, so neighbouring shapes join.
    p.setBrushOrigin(0, 0);
}

const CQtSurface::CFrame& CQtSurface::Frame() {
    const QTransform t = p.combinedTransform();
    if (frame.valid && t == frame.transform) return frame;
    frame.valid = true;
    frame.transform = t;
    bool invertible = false;
    const QTransform inv = t.inverted(&invertible);
    const double sx = std::hypot(t.m11(), t.m12()), sy = std::hypot(t.m21(), t.m22());
    frame.drawable = p.isActive() && invertible && sx > 0 && sy > 0;
    if (!frame.drawable) return frame;
    frame.visible = inv.mapRect(DeviceArea(p).adjusted(-2, -2, 2, 2));
    frame.pixel = QPointF(1 / sx, 1 / sy);
    // Aliased drawing puts a line through integer coordinates on that pixel row;
    // antialiased drawing needs half a pixel more to do the same.
    frame.offset = antialias ? inv.map(QPointF(0.5, 0.5)) - inv.map(QPointF(0, 0)) : QPointF();
    const QTransform d = p.deviceTransform();
    const QPaintEngine* engine = p.paintEngine();
    frame.pixelGrid = !antialias && engine && engine->type() == QPaintEngine::Raster &&
                      d.type() <= QTransform::TxTranslate && std::abs(d.dx()) < (1 << 30) &&
                      std::abs(d.dy()) < (1 << 30) && d.dx() == std::round(d.dx()) &&
                      d.dy() == std::round(d.dy());
    if (frame.pixelGrid)
        frame.device = DeviceArea(p).toAlignedRect().translated(-static_cast<int>(d.dx()),
                                                               -static_cast<int>(d.dy()));
    return frame;
}

// A thin solid pen on the pixel grid sets, along a row or column, the pixels from
// the lower end up to but not including the higher, whichever way the line runs;
// and a rectangle's outline inside the device is its four edge rows and columns.
// Those pixels filled as rectangles are the same image at a fraction of the cost of
// Qt's line drawing (a lithology column draws an outline and a line for every layer).
bool CQtSurface::ThinSolidOnGrid(const CFrame& f) const {
    return f.pixelGrid && Pen().style == PS_SOLID && Pen().width <= 1;
}

// Fills the pixels from (x0, y0) to (x1, y1), both included, in logical units on the
// pixel grid; cut to the device first, so any coordinates are safe.
void CQtSurface::FillPixels(long long x0, long long y0, long long x1, long long y1) {
    const QRect& d = frame.device;
    x0 = std::max<long long>(x0, d.left());
    y0 = std::max<long long>(y0, d.top());
    x1 = std::min<long long>(x1, d.right());
    y1 = std::min<long long>(y1, d.bottom());
    if (x0 > x1 || y0 > y1) return;
    if (const CPixelTarget* t = Pixels(frame))
        return FillPixelRect(*t, x0, y0, x1, y1, ToPixel(Pen().colour));
    p.fillRect(QRect(QPoint(static_cast<int>(x0), static_cast<int>(y0)),
                     QPoint(static_cast<int>(x1), static_cast<int>(y1))),
               ToQColor(Pen().colour));
}

// The image's pixels, when the surface may set them itself: aliased drawing on the
// pixel grid, a clip it knows, and pixels that simply replace what is there. They
// are the memory Qt's raster engine is drawing into, so they are reached without
// detaching the image.
const CPixelTarget* CQtSurface::Pixels(const CFrame& f) {
    if (!image || !clipPixels || !f.pixelGrid || p.opacity() != 1.0 ||
        p.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    target.bits =
        const_cast<std::uint32_t*>(reinterpret_cast<const std::uint32_t*>(image->constBits()));
    target.stride = image->bytesPerLine() / 4;
    target.clip = *clipPixels;
    target.dx = -f.device.left();
    target.dy = -f.device.top();
    return target.bits ? &target : nullptr;
}

// Remembers a clip rectangle given in device units, when it is whole pixels.
void CQtSurface::NoteClip(const QRectF& device) {
    clipPixels.reset();
    if (!image) return;
    const QRect r = device.toAlignedRect();
    if (QRectF(r) != device && !device.isEmpty()) return;
    const QRect in = r & image->rect();
    clipPixels =
        in.isEmpty() ? CRect{} : CRect{in.left(), in.top(), in.right() + 1, in.bottom() + 1};
}

// The visible area widened by the pen, so that whatever is cut away there could
// never have shown: geometry is trimmed to it before Qt sees it, which keeps huge
// coordinates out of Qt's fixed-point rasteriser.
QRectF CQtSurface::SafeRect(const CFrame& f) const {
    const double w = Pen().style == PS_NULL ? 0 : std::clamp<double>(Pen().width, 0, kMaxPenWidth);
    const double mx = w + 2 * f.pixel.x() + std::abs(f.offset.x());
    const double my = w + 2 * f.pixel.y() + std::abs(f.offset.y());
    const QRectF safe = f.visible.adjusted(-mx, -my, mx, my);
    if (!ownClip) return safe;
    const QRectF clipped = safe & *ownClip;
    return clipped.isEmpty() ? QRectF(ownClip->topLeft(), QSizeF(0, 0)) : clipped;
}

void CQtSurface::ApplyPen() {
    if (appliedPen && *appliedPen == Pen()) return;
    p.setPen(MakePen(Pen()));
    appliedPen = Pen();
    appliedTextPen.reset();
}

void CQtSurface::ApplyTextPen() {
    if (appliedTextPen == TextColor()) return;
    p.setPen(QPen(ToQColor(TextColor())));
    appliedTextPen = TextColor();
    appliedPen.reset();
}

void CQtSurface::ApplyBrush(const CBrush& b) {
    if (appliedBrush && SameBrush(*appliedBrush, b)) return;
    p.setBrush(MakeBrush(b));
    appliedBrush = b;
}

QBrush CQtSurface::MakeBrush(const CBrush& b) {
    if (b.kind == CBrush::Solid) return QBrush(ToQColor(b.colour));
    if (!Fills(b)) return QBrush(Qt::NoBrush);
    for (const auto& [tile, brush] : tiles)
        if (tile == b.pattern) return brush;
    if (tiles.size() >= kMaxCachedTiles) tiles.clear();
    QImage image(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < 16; ++x) {
            const ColourRef c = (*b.pattern)[static_cast<size_t>(y * 16 + x)];
            row[x] = qRgb(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)),
                          static_cast<int>(BlueOf(c)));
        }
    }
    tiles.emplace_back(b.pattern, QBrush(image));
    return tiles.back().second;
}

// How much taller the cell (ascent + descent) is than the em, measured once per
// face at a size large enough that rounding does not matter.
double CQtSurface::CellRatio(const QString& face, int weight, bool italic) {
    const auto key = std::make_tuple(face, weight, italic);
    if (auto it = cellRatios.find(key); it != cellRatios.end()) return it->second;
    constexpr int reference = 2048;
    QFont f(face);
    f.setPixelSize(reference);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF m(f);
    double ratio = (m.ascent() + m.descent()) / reference;
    if (!(ratio > 0.5 && ratio < 4)) ratio = 1.15;
    cellRatios.emplace(key, ratio);
    return ratio;
}

const CQtSurface::CFontEntry& CQtSurface::CurrentFont() {
    const CFontDesc& d = Font();
    if (lastFont && lastFontDesc && *lastFontDesc == d) return *lastFont;

    const QString face = MapFontFace(d.face);
    const int weight = d.weight <= 0 ? 400 : std::min(d.weight, 1000);
    long long h = FontHeight(d);
    if (h == 0) h = kDefaultCellHeight;
    // Negative is the em height itself; positive is the cell height, turned into
    // an em through the face's own ascent and descent.
    const double em = h < 0
                          ? static_cast<double>(-h)
                          : std::round(static_cast<double>(h) / CellRatio(face, weight, d.italic));
    const int px = static_cast<int>(std::clamp<double>(em, 1, kMaxFontEm));

    const FontKey key{face, px, weight, d.italic};
    auto it = fonts.find(key);
    if (it == fonts.end()) {
        if (fonts.size() >= kMaxCachedFonts) {
            fonts.clear();
            appliedFont = nullptr;
        }
        CFontEntry e;
        e.key = key;
        e.font = QFont(face);
        // Pixel sizes are logical units on every device; without hinting, text
        // measures the same on screen, images, SVG, PDF and printers.
        e.font.setPixelSize(px);
        e.font.setWeight(static_cast<QFont::Weight>(weight));
        e.font.setItalic(d.italic);
        e.font.setHintingPreference(QFont::PreferNoHinting);
        e.font.setKerning(false);
        e.font.setStyleStrategy(QFont::NoSubpixelAntialias);
        e.metrics = QFontMetricsF(e.font);
        e.ascent = e.metrics.ascent();
        e.descent = e.metrics.descent();
        it = fonts.emplace(key, std::move(e)).first;
    }
    lastFontDesc = d;
    lastFont = &it->second;
    return *lastFont;
}

void CQtSurface::AddPoint(QPointF q) {
    q += frame.offset;
    if (buffer.size() > runs.back()) {
        const QPointF& last = buffer.back();
        if (last.x() == q.x() && last.y() == q.y()) return;
    }
    buffer.push_back(q);
}

// A run that shrank to one point draws nothing, as a zero-length line does not.
void CQtSurface::EndRun() {
    if (!runs.empty() && buffer.size() - runs.back() < 2) buffer.resize(runs.back());
}

void CQtSurface::Polyline(const CPoint* points, size_t count) {
    if (count == 0) return;
    MoveTo(points[count - 1].x, points[count - 1].y);
    if (count < 2 || Pen().style == PS_NULL) return;
    const CFrame& f = Frame();
    if (!f.drawable) return;
    // Curves and outlines; a single line keeps Qt's ends, which the grids and ticks
    // are laid out for.
    if (count >= 3 && ThinSolidOnGrid(f))
        if (const CPixelTarget* t = Pixels(f))
            return StrokePolyline(*t, points, count, ToPixel(Pen().colour));
    if (count == 2 && ThinSolidOnGrid(f)) {
        const CPoint a = points[0], b = points[1];
        if (a.y == b.y) return FillPixels(std::min(a.x, b.x), a.y, std::max(a.x, b.x) - 1LL, a.y);
        if (a.x == b.x) return FillPixels(a.x, std::min(a.y, b.y), a.x, std::max(a.y, b.y) - 1LL);
    }
    if (RowsCollapse(Pen(), false)) points = CollapseRows(points, count, collapsed);
    const QRectF safe = SafeRect(f);
    auto inside = [&safe](double x, double y) {
        return x >= safe.left() && x <= safe.right() && y >= safe.top() && y <= safe.bottom();
    };

    buffer.clear();
    runs.clear();
    auto startRun = [this] {
        EndRun();
        runs.push_back(buffer.size());
    };
    double ax = points[0].x, ay = points[0].y;
    bool aIn = inside(ax, ay);
    bool open = false; // the last point added is the previous vertex itself
    for (size_t i = 1; i < count; ++i) {
        const double bx = points[i].x, by = points[i].y;
        const bool bIn = inside(bx, by);
        if (aIn && bIn) {
            if (!open) {
                startRun();
                AddPoint({ax, ay});
                open = true;
            }
            AddPoint({bx, by});
        } else {
            double x0 = ax, y0 = ay, x1 = bx, y1 = by;
            const bool beside = (ax < safe.left() && bx < safe.left()) ||
                                (ax > safe.right() && bx > safe.right()) ||
                                (ay < safe.top() && by < safe.top()) ||
                                (ay > safe.bottom() && by > safe.bottom());
            if (!beside && ClipSegment(x0, y0, x1, y1, safe)) {
                if (!open) {
                    startRun();
                    AddPoint({x0, y0});
                }
                AddPoint({x1, y1});
                open = bIn;
            } else {
                open = false;
            }
        }
        ax = bx;
        ay = by;
        aIn = bIn;
    }
    EndRun();
    if (buffer.empty()) return;

    ApplyPen();
    runs.push_back(buffer.size());
    for (size_t r = 0; r + 1 < runs.size(); ++r) {
        // drawPolyline counts in int; a run longer than that goes in pieces that
        // share their end points.
        constexpr size_t chunk = INT_MAX / 2;
        for (size_t s = runs[r]; s + 1 < runs[r + 1]; s += chunk) {
            const size_t n = std::min(chunk + 1, runs[r + 1] - s);
            p.drawPolyline(buffer.data() + s, static_cast<int>(n));
        }
    }
}

void CQtSurface::DrawLine(CPoint from, CPoint to) {
    const CPoint pts[2] = {from, to};
    Polyline(pts, 2);
}

// Draws the polygon in buffer: trimmed to the safe area when it reaches past it,
// outlined with the pen, filled with the brush (alternate fill).
void CQtSurface::DrawBufferAsPolygon(const QRectF& safe, const QRectF& bounds) {
    if (!Overlaps(bounds, safe)) return;
    if (!Inside(bounds, safe)) ClipPolygon(buffer, scratch, safe);
    if (buffer.size() < 2 || buffer.size() > INT_MAX) return;
    if (Pen().style != PS_NULL)
        for (QPointF& q : buffer)
            q += frame.offset;
    if (plainDevice && Brush().kind == CBrush::Pattern) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.addPolygon(QPolygonF(QList<QPointF>(buffer.begin(), buffer.end())));
        path.closeSubpath();
        FillWithTiles(path, Brush());
        ApplyPen();
        ApplyBrush(CBrush::NullBrush());
    } else {
        ApplyPen();
        ApplyBrush(Brush());
    }
    p.drawPolygon(buffer.data(), static_cast<int>(buffer.size()), Qt::OddEvenFill);
}

// A pattern fill as one picture of the tiles, lined up with the logical origin as
// the brush would have them. Such a device cuts no picture to a shape, so any other
// shape is filled with the tile's mean colour.
void CQtSurface::FillWithTiles(const QPainterPath& area, const CBrush& b) {
    const QImage tile = MakeBrush(b).textureImage();
    if (tile.isNull()) return;
    const QRect box = area.boundingRect().toAlignedRect();
    const bool rectangular = area.elementCount() == 5 && area.boundingRect() == QRectF(box);
    // Whole logical pixels, and only those that can show.
    const QRect cover = box & Frame().visible.toAlignedRect();
    if (cover.isEmpty()) return;
    if (!rectangular || static_cast<double>(cover.width()) * cover.height() > 4e7) {
        const QImage one = tile.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        p.fillPath(area, QColor(one.pixel(0, 0)));
        return;
    }
    QImage picture(cover.size(), QImage::Format_RGB32);
    {
        QPainter tiles(&picture);
        tiles.setBrushOrigin(-cover.left(), -cover.top());
        tiles.fillRect(picture.rect(), QBrush(tile));
    }
    p.drawImage(cover.topLeft(), picture);
}

void CQtSurface::Polygon(const CPoint* points, size_t count) {
    if (count < 2 || (Pen().style == PS_NULL && !Fills(Brush()))) return;
    const CFrame& f = Frame();
    if (!f.drawable) return;
    if (Pen().style == PS_NULL && Brush().kind == CBrush::Solid)
        if (const CPixelTarget* t = Pixels(f))
            return FillPolygon(*t, points, count, ToPixel(Brush().colour), polygonScratch);
    if (RowsCollapse(Pen(), true)) points = CollapseRows(points, count, collapsed);
    buffer.clear();
    double l = points[0].x, r = l, t = points[0].y, b = t;
    for (size_t i = 0; i < count; ++i) {
        const double x = points[i].x, y = points[i].y;
        l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), b = std::max(b, y);
        buffer.emplace_back(x, y);
    }
    DrawBufferAsPolygon(SafeRect(f), QRectF(QPointF(l, t), QPointF(r, b)));
}

void CQtSurface::Rectangle(int left, int top, int right, int bottom) {
    const double l = std::min(left, right), r = std::max(left, right);
    const double t = std::min(top, bottom), b = std::max(top, bottom);
    const bool outline = Pen().style != PS_NULL, fill = Fills(Brush());
    if (r <= l || b <= t || (!outline && !fill)) return;
    const CFrame& f = Frame();
    if (!f.drawable) return;
    const QRectF safe = SafeRect(f);
    const QRectF area(QPointF(l, t), QPointF(r, b));
    if (!Overlaps(area, safe)) return;

    // Trimmed edges land outside the visible area, so trimming changes nothing
    // that shows, and the tile stays aligned to the origin.
    auto trim = [&safe](QRectF q) {
        return QRectF(
            QPointF(std::max(q.left(), safe.left()), std::max(q.top(), safe.top())),
            QPointF(std::min(q.right(), safe.right()), std::min(q.bottom(), safe.bottom())));
    };
    if (fill && plainDevice && Brush().kind == CBrush::Pattern) {
        QPainterPath path;
        path.addRect(trim(area));
        FillWithTiles(path, Brush());
    } else if (fill) {
        p.fillRect(trim(area), MakeBrush(Brush()));
    }
    // Right and bottom are outside: the outline runs through the last device pixel
    // inside.
    if (outline && ThinSolidOnGrid(f) && r - l >= 2 && b - t >= 2 && l >= f.device.left() &&
        t >= f.device.top() && r - 1 <= f.device.right() && b - 1 <= f.device.bottom()) {
        const long long x0 = static_cast<long long>(l), y0 = static_cast<long long>(t);
        const long long x1 = static_cast<long long>(r) - 1, y1 = static_cast<long long>(b) - 1;
        FillPixels(x0, y0, x1, y0);
        FillPixels(x0, y1, x1, y1);
        FillPixels(x0, y0 + 1, x0, y1 - 1);
        FillPixels(x1, y0 + 1, x1, y1 - 1);
    } else if (outline) {
        QRectF o = trim(QRectF(
            QPointF(l, t), QPointF(std::max(l, r - f.pixel.x()), std::max(t, b - f.pixel.y()))));
        ApplyPen();
        ApplyBrush(CBrush::NullBrush());
        p.drawRect(o.translated(f.offset));
    }
}

void CQtSurface::Ellipse(int left, int top, int right, int bottom) {
    const double l = std::min(left, right), r = std::max(left, right);
    const double t = std::min(top, bottom), b = std::max(top, bottom);
    if (r <= l || b <= t || (Pen().style == PS_NULL && !Fills(Brush()))) return;
    const CFrame& f = Frame();
    if (!f.drawable) return;
    const QRectF safe = SafeRect(f);
    // Outlined, the curve runs through the last device pixel inside; filled only,
    // the fill takes the whole box, as a rectangle's does.
    const bool outline = Pen().style != PS_NULL;
    const QRectF box = outline ? QRectF(QPointF(l, t), QPointF(std::max(l, r - f.pixel.x()),
                                                               std::max(t, b - f.pixel.y())))
                               : QRectF(QPointF(l, t), QPointF(r, b));
    if (!Overlaps(box, safe)) return;
    if (Inside(box, safe)) {
        ApplyPen();
        ApplyBrush(Brush());
        p.drawEllipse(outline ? box.translated(f.offset) : box);
        return;
    }
    // Reaching past the visible area: draw the part that shows as a polygon, with
    // enough sides that the chords stay well under a pixel from the curve.
    const double rx = box.width() / 2, ry = box.height() / 2;
    const double radius = std::max(rx / f.pixel.x(), ry / f.pixel.y());
    const int sides = static_cast<int>(std::clamp(8 * std::sqrt(radius), 64.0, 65536.0));
    buffer.clear();
    const QPointF c = box.center();
    for (int i = 0; i < sides; ++i) {
        const double a = 2 * std::numbers::pi * i / sides;
        buffer.emplace_back(c.x() + rx * std::cos(a), c.y() + ry * std::sin(a));
    }
    DrawBufferAsPolygon(safe, box);
}

void CQtSurface::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    const CFrame& f = Frame();
    if (!f.drawable) return;
    const CFontEntry& font = CurrentFont();
    const QString s = TextFromBytes(text);
    CTextInfo& info = Text(font, s);
    const double w = info.width;
    const double cell = font.ascent + font.descent;
    // Text that cannot reach the visible area is skipped before Qt turns its
    // position into fixed point.
    const double reach = w + cell;
    if (!Overlaps(QRectF(x - reach, y - reach, 2 * reach, 2 * reach), f.visible)) return;

    // Alignment is taken in the text's own, possibly rotated, frame.
    double dx = 0;
    if ((TextAlign() & TA_HORZ_MASK) == TA_CENTER)
        dx = -w / 2;
    else if ((TextAlign() & TA_HORZ_MASK) == TA_RIGHT)
        dx = -w;
    double baseline = font.ascent;
    if ((TextAlign() & TA_VERT_MASK) == TA_BASELINE)
        baseline = 0;
    else if ((TextAlign() & TA_VERT_MASK) == TA_BOTTOM)
        baseline = -font.descent;

    const int tenths = Font().escapement % 3600;
    QPointF at(x, y);
    QTransform saved;
    if (tenths != 0) {
        saved = p.worldTransform();
        p.translate(x, y);
        p.rotate(-tenths / 10.0); // counter-clockwise on a y-down page
        at = QPointF(0, 0);
    }
    if (BkMode() == BK_OPAQUE)
        p.fillRect(QRectF(at.x() + dx, at.y() + baseline - font.ascent, w, cell),
                   ToQColor(BkColor()));
    if (appliedFont != &font) {
        p.setFont(font.font);
        appliedFont = &font;
    }
    ApplyTextPen();
    if (tenths == 0 && f.pixelGrid) {
        // Laid out once and drawn as Qt draws the text itself, the baseline an
        // ascent below the top.
        if (!info.laidOut) {
            info.laidOut.emplace(s);
            info.laidOut->setTextFormat(Qt::PlainText);
        }
        p.drawStaticText(at + QPointF(dx, baseline - font.ascent), *info.laidOut);
    } else {
        p.drawText(at + QPointF(dx, baseline), s);
    }
    if (tenths != 0) p.setWorldTransform(saved);
}

// The reference holds until the next call. Kept for the application rather than
// the surface: the screen makes a surface for every paint and draws the same labels
// each time. Only the application's thread uses it, and it goes with the application.
CQtSurface::CTextInfo& CQtSurface::Text(const CFontEntry& font, const QString& s) {
    static std::map<FontKey, QHash<QString, CTextInfo>> known;
    static size_t count = 0;
    thread_local CTextInfo scratchInfo;
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        scratchInfo = {font.metrics.horizontalAdvance(s), std::nullopt};
        return scratchInfo;
    }
    static const bool cleared = [] {
        qAddPostRoutine([] {
            known.clear();
            count = 0;
        });
        return true;
    }();
    (void)cleared;
    if (count >= kMaxCachedTexts) {
        known.clear();
        count = 0;
    }
    QHash<QString, CTextInfo>& texts = known[font.key];
    if (auto it = texts.find(s); it != texts.end()) return *it;
    ++count;
    return *texts.insert(s, {font.metrics.horizontalAdvance(s), std::nullopt});
}

CSize CQtSurface::GetTextExtent(std::string_view text) {
    const CFontEntry& font = CurrentFont();
    const double w = text.empty() ? 0 : Text(font, TextFromBytes(text)).width;
    return {static_cast<int>(std::lround(w)),
            static_cast<int>(std::lround(font.ascent + font.descent))};
}

void CQtSurface::SetClipRect(const CRect& r) {
    const CFrame& f = Frame();
    // Trimmed to what the device shows, so a saturated rectangle cannot overflow
    // Qt's integer device clip.
    const QRectF want(QPointF(r.left, r.top), QPointF(r.right, r.bottom));
    if (plainDevice) ownClip = r.IsEmpty() ? QRectF() : want;
    if (r.IsEmpty() || !f.drawable || !Overlaps(want, f.visible)) {
        p.setClipRegion(QRegion(), Qt::ReplaceClip);
        NoteClip(QRectF());
        return;
    }
    p.setClipRect(want & f.visible, Qt::ReplaceClip);
    if (f.transform.type() <= QTransform::TxTranslate)
        NoteClip(f.transform.mapRect(want & f.visible));
    else
        clipPixels.reset();
}

void CQtSurface::RemoveClip() {
    ownClip.reset();
    p.setClipping(false);
    NoteClip(DeviceArea(p));
}

CRect CQtSurface::ClipBox() const {
    bool invertible = false;
    const QTransform inv = p.combinedTransform().inverted(&invertible);
    if (!invertible) return {};
    QRectF box = inv.mapRect(DeviceArea(p));
    if (p.hasClipping()) {
        const QRectF clip = p.clipBoundingRect();
        if (clip.isEmpty() || !Overlaps(box, clip)) return {};
        box = box & clip;
    }
    // A little slack, so 9.9999999 from the inverse transform still reads as 10.
    return {SaturatePixels(std::floor(box.left() + 1e-6)), SaturatePixels(std::floor(box.top() + 1e-6)),
            SaturatePixels(std::ceil(box.right() - 1e-6)), SaturatePixels(std::ceil(box.bottom() - 1e-6))};
}
