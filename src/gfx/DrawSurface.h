// The one drawing surface everything draws through: device-context semantics
// (selected pen, brush and font, text colour and alignment, background mode, a
// current position, clip rectangles) over logical units. Implementations: Qt's
// QPainter (screen, printer, images, SVG, PDF), an enhanced metafile (exchange/) and
// a recording one for tests.
#pragma once

#include "gfx/Colour.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Pen styles.
enum : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_NULL = 5 };

// Text alignment flags; one horizontal and one vertical flag are or-ed together.
enum : unsigned {
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
    TA_HORZ_MASK = 6,
    TA_VERT_MASK = 24,
};

// Background modes for text.
enum : int { BK_TRANSPARENT = 1, BK_OPAQUE = 2 };

struct CPen {
    int style = PS_SOLID;
    int width = 0; // logical units; 0 is the thinnest line the device draws
    ColourRef colour = 0;
    friend bool operator==(const CPen&, const CPen&) = default;
};

// A 16 x 16 tile of colours, row by row from the top.
using CPatternTile = std::array<ColourRef, 256>;

struct CBrush {
    enum Kind { Solid, Pattern, Null };
    Kind kind = Solid;
    ColourRef colour = MakeRGB(255, 255, 255);
    std::shared_ptr<const CPatternTile> pattern;

    static CBrush SolidBrush(ColourRef c) { return {Solid, c, nullptr}; }
    static CBrush NullBrush() { return {Null, 0, nullptr}; }
    static CBrush PatternBrush(std::shared_ptr<const CPatternTile> tile) {
        return {Pattern, 0, std::move(tile)};
    }
};

struct CSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const CSize&, const CSize&) = default;
};

class CDrawSurface {
public:
    virtual ~CDrawSurface() = default;

    // --- state; each Select returns what was selected before ---
    CPen SelectPen(const CPen& p) { return Swap(pen, p); }
    CBrush SelectBrush(const CBrush& b) { return Swap(brush, b); }
    CFontDesc SelectFont(const CFontDesc& f) { return Swap(font, f); }
    ColourRef SetTextColor(ColourRef c) { return Swap(textColour, c); }
    ColourRef SetBkColor(ColourRef c) { return Swap(bkColour, c); }
    int SetBkMode(int m) { return Swap(bkMode, m); }
    unsigned SetTextAlign(unsigned a) { return Swap(textAlign, a); }
    const CPen& Pen() const { return pen; }
    const CBrush& Brush() const { return brush; }
    const CFontDesc& Font() const { return font; }
    ColourRef TextColor() const { return textColour; }
    ColourRef BkColor() const { return bkColour; }
    int BkMode() const { return bkMode; }
    unsigned TextAlign() const { return textAlign; }

    // The height in logical units a font is drawn with: a font made from a point
    // size is realised at the screen's 96 logical pixels per inch, as a character
    // (em) height, so it is negative like any em height.
    int FontHeight(const CFontDesc& f) const;

    // --- drawing with the selected state ---
    void MoveTo(int x, int y) { current = {x, y}; }
    void LineTo(int x, int y) {
        DrawLine(current, {x, y});
        current = {x, y};
    }
    CPoint CurrentPosition() const { return current; }
    // Connected lines with the pen; the last point is the new current position.
    virtual void Polyline(const CPoint* points, size_t count) = 0;
    void Polyline(const std::vector<CPoint>& p) { Polyline(p.data(), p.size()); }
    // A closed shape outlined with the pen and filled with the brush.
    virtual void Polygon(const CPoint* points, size_t count) = 0;
    void Polygon(const std::vector<CPoint>& p) { Polygon(p.data(), p.size()); }
    // Outlined with the pen and filled with the brush; right and bottom are outside.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // Text at the reference point with the alignment, the font's escapement, the
    // text colour and, when opaque, the background colour behind it.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Width and cell height of the text in the selected font, in logical units.
    virtual CSize GetTextExtent(std::string_view text) = 0;

    // --- clipping, in logical units ---
    virtual void SetClipRect(const CRect& r) = 0;
    virtual void RemoveClip() = 0;
    virtual CRect ClipBox() const = 0;

    // --- what kind of device this is ---
    bool IsPrinting() const { return printing; }
    void SetPrinting(bool on) { printing = on; }
    // Drawing for the screen laid out as a printed page.
    bool IsPrintPreview() const { return printPreview; }
    void SetPrintPreview(bool on) { printPreview = on; }
    // The page in logical units; a print preview clips back to it.
    const CRect& PageRect() const { return pageRect; }
    void SetPageRect(const CRect& r) { pageRect = r; }

protected:
    virtual void DrawLine(CPoint from, CPoint to) = 0;

private:
    template <typename T, typename U> static T Swap(T& field, const U& value) {
        T old = field;
        field = value;
        return old;
    }

    CPen pen;
    CBrush brush;
    CFontDesc font{"Arial", 0, 400, false, 0, 0, 0};
    ColourRef textColour = 0;
    ColourRef bkColour = MakeRGB(255, 255, 255);
    int bkMode = BK_OPAQUE;
    unsigned textAlign = TA_LEFT | TA_TOP;
    CPoint current;
    bool printing = false;
    bool printPreview = false;
    CRect pageRect;
};
