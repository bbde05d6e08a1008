// Drawing operations shared by the tracks, the axes and the page: fonts, measured,
// rotated and fitted text, rectangle outlines, clipping to a track and the 22 plot
// symbols.
#pragma once

#include "gfx/DrawSurface.h"

#include <string>
#include <string_view>
#include <vector>

// Replaces the font description with one of the given face, height and italic flag,
// weight 400 and everything else zero.
void MakeFont(CFontDesc& font, const std::string& face, int height, bool italic);
// Width of the text in the selected font.
int TextWidth(CDrawSurface& dc, std::string_view text);
// Height of "Blank" in the selected font: the line height of tracks and axes.
int TextHeight(CDrawSurface& dc);
// The text at (x, y) with the selected font turned to read upward.
void DrawRotatedText(CDrawSurface& dc, int x, int y, std::string_view text);
// The text shrunk (down to a height of 6) until it fits the box, horizontally in a
// box wider than tall, else reading upward.
void DrawFittedText(CDrawSurface& dc, const CRect& box, std::string_view text);
// The four sides of the rectangle with the current pen.
void DrawRectOutline(CDrawSurface& dc, const CRect& r);

// The one global of the program: track clipping is off until a track turns it on.
void SetTrackClipping(int flag);
bool TrackClipping();
void ClipToTrack(CDrawSurface& dc, const CRect& r);
void RemoveTrackClip(CDrawSurface& dc);

// Plot symbol id of half-size s centred on (x, y): outlined with the current pen,
// filled with the current brush. Ids from 22 up wrap round modulo 22; a negative id
// draws the circle of id 0.
void DrawSymbol(CDrawSurface& dc, int id, int s, int x, int y);

// Consecutive points on one pixel row reduced to the first, the extreme two and the
// last of them, which a solid line or a fill draws the same; count becomes the new
// number of points, which live in out.
const CPoint* CollapseRows(const CPoint* points, size_t& count, std::vector<CPoint>& out);

// Whether a line (or, with `area`, a filled area's outline) drawn with this pen draws
// the same after CollapseRows: a dash pattern would notice the missing points.
inline bool RowsCollapse(const CPen& pen, bool area) {
    return pen.style == PS_SOLID || pen.width > 1 || (area && pen.style == PS_NULL);
}

// CollapseRows one point at a time: what is added is appended to `out` as
// CollapseRows would leave it, each row once the next row starts or on End(). A
// curve of millions of samples is reduced as it is computed, never held whole.
class CRowCollapser {
public:
    explicit CRowCollapser(std::vector<CPoint>& out) : out(out) {}
    void Add(CPoint p) {
        if (n > 0 && p.y == row[0].y) {
            if (n < 4) row[n] = p;
            if (p.x < lo.x) lo = p, loAt = n;
            if (p.x > hi.x) hi = p, hiAt = n;
            last = p;
            ++n;
            return;
        }
        End();
        row[0] = lo = hi = last = p;
        loAt = hiAt = 0;
        n = 1;
    }
    // Appends the row in hand; the next point starts a new one.
    void End();

private:
    std::vector<CPoint>& out;
    CPoint row[4]; // the row's first four points
    CPoint lo, hi, last;
    size_t loAt = 0, hiAt = 0, n = 0;
};
inline constexpr int kSymbolCount = 22;
