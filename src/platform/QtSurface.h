// The drawing surface over a QPainter: screen, printer, print preview, raster
// images, SVG and PDF all draw through this one class.
//
// Logical units are the painter's user coordinates, so a scale set on the painter
// scales everything, pen widths and font heights included. The surface owns the
// painter's pen, brush, font and clip while it is in use; a caller that changes
// them directly calls ForgetPainterState() before drawing through the surface again.
#pragma once

#include "gfx/DrawSurface.h"
#include "gfx/PixelRaster.h"

#include <QBrush>
#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QStaticText>
#include <QString>
#include <QTransform>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

class QImage;
class QPainter;

// Text in documents is 8-bit: valid UTF-8 is read as UTF-8, anything else as
// Windows-1252 so that no byte is lost.
QString TextFromBytes(std::string_view bytes);

// The installed face drawn for a face name: the common Windows faces map to their
// metric twins so text measures the same on every machine.
QString MapFontFace(std::string_view face);

class CQtSurface : public CDrawSurface {
  public:
    explicit CQtSurface(QPainter& painter);

    // Off suits the screen (crisp one-pixel lines); on suits image export.
    void SetAntialiasing(bool on);
    bool Antialiasing() const { return antialias; }
    // Whether the surface trims geometry to the clip rectangle and tiles pattern fills
    // itself, for devices that keep neither (SVG). Found from the painter's device.
    bool DrawsForPlainDevice() const { return plainDevice; }
    // The painter was changed behind the surface's back: apply everything afresh.
    void ForgetPainterState();
    // The QFont the selected font is drawn with (escapement aside).
    QFont CurrentQFont() { return CurrentFont().font; }

    using CDrawSurface::Polygon;
    using CDrawSurface::Polyline;
    void Polyline(const CPoint* points, size_t count) override;
    void Polygon(const CPoint* points, size_t count) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void TextOut(int x, int y, std::string_view text) override;
    CSize GetTextExtent(std::string_view text) override;
    void SetClipRect(const CRect& r) override;
    void RemoveClip() override;
    CRect ClipBox() const override;

  protected:
    void DrawLine(CPoint from, CPoint to) override;

  private:
    // What the current transform means for geometry; recomputed when it changes.
    struct CFrame {
        QTransform transform; // logical to device
        bool valid = false;
        bool drawable = false; // false for a transform that cannot be inverted
        QRectF visible;        // the device area with a small margin, in logical units
        QPointF pixel;         // one device pixel in logical units (absolute)
        QPointF offset;        // where strokes go so they land on pixel centres
        // Aliased on a raster device, logical units shifted by whole device pixels:
        // a thin line along a row or column is then known pixel for pixel.
        bool pixelGrid = false;
        QRect device; // the device's pixels, in logical units, when pixelGrid
    };
    using FontKey = std::tuple<QString, int, int, bool>; // face, em height, weight, italic
    struct CFontEntry {
        FontKey key;
        QFont font;
        QFontMetricsF metrics{QFont()};
        double ascent = 0;
        double descent = 0;
    };
    // What is known of a text in a font: its width and, once drawn on the screen,
    // its layout.
    struct CTextInfo {
        double width = 0;
        std::optional<QStaticText> laidOut;
    };

    const CFrame& Frame();
    QRectF SafeRect(const CFrame& f) const;
    void ApplyPen();
    void ApplyTextPen();
    void ApplyBrush(const CBrush& b);
    const CFontEntry& CurrentFont();
    static CTextInfo& Text(const CFontEntry& font, const QString& s);
    QBrush MakeBrush(const CBrush& b);
    double CellRatio(const QString& face, int weight, bool italic);
    void DrawBufferAsPolygon(const QRectF& safe, const QRectF& bounds);
    void FillWithTiles(const QPainterPath& area, const CBrush& b);
    bool ThinSolidOnGrid(const CFrame& f) const;
    void FillPixels(long long x0, long long y0, long long x1, long long y1);
    const CPixelTarget* Pixels(const CFrame& f);
    void NoteClip(const QRectF& device);
    void AddPoint(QPointF q);
    void EndRun();

    QPainter& p;
    bool antialias = false;
    CFrame frame;
    bool plainDevice = false;
    std::optional<QRectF> ownClip; // the clip rectangle, when the surface trims to it

    // On a 32-bit image the surface sets the pixels of thin lines and plain fills
    // itself, while it knows the painter's clip as a rectangle of pixels.
    QImage* image = nullptr;
    std::optional<CRect> clipPixels;
    CPixelTarget target;
    CPolygonScratch polygonScratch;

    // Painter state last applied; nullopt is unknown.
    std::optional<CPen> appliedPen;
    std::optional<ColourRef> appliedTextPen;
    std::optional<CBrush> appliedBrush;
    const CFontEntry* appliedFont = nullptr;

    // Fonts: the last selection resolves without a lookup.
    std::map<FontKey, CFontEntry> fonts;
    std::map<std::tuple<QString, int, bool>, double> cellRatios;
    std::optional<CFontDesc> lastFontDesc;
    const CFontEntry* lastFont = nullptr;

    std::vector<std::pair<std::shared_ptr<const CPatternTile>, QBrush>> tiles;

    // Reused point buffers; runs holds where each connected run starts.
    std::vector<QPointF> buffer;
    std::vector<QPointF> scratch;
    std::vector<size_t> runs;
    std::vector<CPoint> collapsed;
};
