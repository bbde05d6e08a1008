#include "gfx/DrawHelpers.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace {

bool g_trackClipping = false;

void Poly(CDrawSurface& dc, std::initializer_list<CPoint> points) {
    dc.Polygon(std::data(points), points.size());
}

void Line(CDrawSurface& dc, int x0, int y0, int x1, int y1) {
    dc.MoveTo(x0, y0);
    dc.LineTo(x1, y1);
}

} // namespace

void MakeFont(CFontDesc& font, const std::string& face, int height, bool italic) {
    font = CFontDesc{};
    font.face = face;
    font.height = height;
    font.weight = 400;
    font.italic = italic;
}

int TextWidth(CDrawSurface& dc, std::string_view text) { return dc.GetTextExtent(text).cx; }

int TextHeight(CDrawSurface& dc) { return dc.GetTextExtent("Blank").cy; }

void DrawRotatedText(CDrawSurface& dc, int x, int y, std::string_view text) {
    CFontDesc f = dc.Font();
    f.escapement = 900;
    f.orientation = 900;
    const CFontDesc old = dc.SelectFont(f);
    dc.TextOut(x, y, text);
    dc.SelectFont(old);
}

void DrawFittedText(CDrawSurface& dc, const CRect& box, std::string_view text) {
    const CFontDesc old = dc.Font();
    CFontDesc f = old;
    f.pointTenths = 0;
    const int w = box.Width(), h = box.Height();
    const int along = std::max(w, h) - 6;
    const int across = std::min(w, h) - 2;
    // No text taller than the box's longer side can fit: start there at the most, so
    // a huge stored height shrinks in a few steps (and the most negative int is safe).
    const long long stored = dc.FontHeight(old);
    const long long limit = std::max(7, std::max(w, h));
    if (std::llabs(stored) > limit) f.height = static_cast<int>(stored < 0 ? -limit : limit);
    else f.height = static_cast<int>(stored);

    dc.SelectFont(f);
    CSize size = dc.GetTextExtent(text);
    int line = TextHeight(dc);
    while ((size.cx > along || line > across) && std::abs(f.height) > 6) {
        f.height = std::abs(f.height) - 1;
        dc.SelectFont(f);
        size = dc.GetTextExtent(text);
        line = TextHeight(dc);
    }
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    if (w > h) {
        dc.TextOut(Mid(box.left, box.right), Mid(box.top, box.bottom, line), text);
    } else {
        f.escapement = 900;
        f.orientation = 900;
        dc.SelectFont(f);
        dc.TextOut(Mid(box.left, box.right, line), Mid(box.top, box.bottom), text);
    }
    dc.SelectFont(old);
}

void DrawRectOutline(CDrawSurface& dc, const CRect& r) {
    const CPoint p[] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom},
                        {r.left, r.bottom}, {r.left, r.top}};
    dc.Polyline(p, 5);
}

void SetTrackClipping(int flag) { g_trackClipping = flag != 0; }
bool TrackClipping() { return g_trackClipping; }

void ClipToTrack(CDrawSurface& dc, const CRect& r) {
    if (!g_trackClipping) return;
    // A preview page sits inside the preview window: stay inside the page too.
    dc.SetClipRect(dc.IsPrintPreview() ? dc.ClipBox().Intersect(r) : r);
}

void RemoveTrackClip(CDrawSurface& dc) {
    dc.RemoveClip();
    if (dc.IsPrintPreview()) dc.SetClipRect(dc.PageRect());
}

void DrawSymbol(CDrawSurface& dc, int id, int s, int x, int y) {
    const int L = x - s, R = x + s, T = y - s, B = y + s;
    const int h = s / 2, t = s / 3;
    const int shape = id % kSymbolCount; // negative ids fall through to the circle
    switch (shape) {
    case 1:
        dc.Rectangle(L, T, R + 1, B + 1);
        break;
    case 2:
        Poly(dc, {{x - s - 1, y}, {x, y - s - 1}, {x + s + 1, y}, {x, y + s + 1}});
        break;
    case 3:
        dc.Ellipse(L, T, R + 1, B + 1);
        Line(dc, x, y, x, T);
        break;
    case 4:
        dc.Rectangle(L, T, R + 1, B + 1);
        Line(dc, L, y, x, y);
        break;
    case 5:
        Poly(dc, {{x, T}, {R, B}, {L, B}});
        break;
    case 6:
        Poly(dc, {{L, T}, {R, T}, {x, B}});
        break;
    case 7:
        dc.Ellipse(L, T, R + 1, B + 1);
        Line(dc, L, y, R, y);
        Line(dc, x, B, x, T);
        break;
    case 8:
        Poly(dc, {{x, T}, {x + t, y - t}, {R, y}, {x + t, y + t}, {x, B}, {x - t, y + t},
                  {L, y}, {x - t, y - t}});
        break;
    case 9:
        dc.Rectangle(L, T, R + 1, B + 1);
        Line(dc, x, T, x, y);
        break;
    case 10:
        Poly(dc, {{x - s - 1, y}, {x, y - s - 1}, {x + s + 1, y}, {x, y + s + 1}});
        Line(dc, x, y - s - 1, x, y);
        break;
    case 11:
        Poly(dc, {{x + h, y - h}, {R, y - h}, {R, y + h}, {x + h, y + h}, {x + h, B},
                  {x - h, B}, {x - h, y + h}, {L, y + h}, {L, y - h}, {x - h, y - h},
                  {x - h, T}, {x + h, T}});
        break;
    case 12:
        Poly(dc, {{L, y}, {x, T}, {R, y}, {x + h, y}, {x + h, B}, {x - h, B}, {x - h, y}});
        break;
    case 13:
        Poly(dc, {{x - h, T}, {x + h, T}, {R + 1, y}, {x + h, B}, {x - h, B}, {L - 1, y}});
        break;
    case 14:
        Poly(dc, {{x, y}, {R, y}, {x, T}, {x, y}, {L, y}, {x, B}});
        break;
    case 15:
        Poly(dc, {{x, y}, {L, y}, {x, T}, {x, y}, {R, y}, {x, B}});
        break;
    case 16:
        Poly(dc, {{x, T}, {R, y}, {R, B}, {L, B}, {L, y}});
        break;
    case 17:
        Poly(dc, {{x, y}, {R, T}, {R, B}, {L, B}, {L, T}});
        break;
    case 18:
        Poly(dc, {{x, y}, {R, T}, {x, B}, {L, T}});
        break;
    case 19:
        Poly(dc, {{x, y}, {R, B}, {x, T}, {L, B}});
        break;
    case 20:
        Poly(dc, {{L, T}, {x, T}, {R, y}, {R, B}, {x, B}, {L, y}});
        break;
    case 21:
        Poly(dc, {{R, T}, {R, y}, {x, B}, {L, B}, {L, y}, {x, T}});
        break;
    default: // 0 and negative ids
        dc.Ellipse(L, T, R + 1, B + 1);
        break;
    }
}

// A dense curve (a printed log puts hundreds of samples on one row) has long runs of
// consecutive points on the same row. On a line, the segments of such a run cover
// exactly the span from its leftmost to its rightmost point, so the run's first,
// extreme and last points draw the same pixels, and horizontal edges add nothing
// to a filled area. Only a dash pattern would notice (its phase moves on), so
// dashed and dotted lines keep every point.
const CPoint* CollapseRows(const CPoint* points, size_t& count, std::vector<CPoint>& out) {
    out.clear();
    CRowCollapser rows(out);
    for (size_t i = 0; i < count; ++i) rows.Add(points[i]);
    rows.End();
    count = out.size();
    return out.data();
}

void CRowCollapser::End() {
    if (n <= 4) {
        for (size_t i = 0; i < n; ++i)
            out.push_back(row[i]);
    } else {
        // The extremes in the order they came, each once, and not again as the
        // first or the last point.
        out.push_back(row[0]);
        const bool loFirst = loAt <= hiAt;
        const size_t a = loFirst ? loAt : hiAt, b = loFirst ? hiAt : loAt;
        if (a != 0) out.push_back(loFirst ? lo : hi);
        if (b != a && b != n - 1) out.push_back(loFirst ? hi : lo);
        out.push_back(last);
    }
    n = 0;
}
