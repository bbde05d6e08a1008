#include "view/TarvikView.h"

#include "axes/Axis.h"
#include "doc/TarvikDoc.h"
#include "gfx/DrawHelpers.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

int AddPixels(int a, int b) {
    return SaturatePixels(static_cast<double>(a) + static_cast<double>(b));
}

const char* const kEmptyHint =
    "  \n\n\n\n\n\n  Drop a LAS log file here, or \n Create a new track (under Edit menu)  to get "
    "started   ";

void DrawHint(CDrawSurface& dc, const CRect& client) {
    CFontDesc f;
    MakeFont(f, "Arial", 24, false);
    const CFontDesc oldFont = dc.SelectFont(f);
    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
    // Each line centred across the client area; with several lines the vertical
    // centring does not apply, so the leading line breaks move the text down.
    const int line = TextHeight(dc);
    const std::string text = kEmptyHint;
    size_t start = 0;
    for (int row = 0; start <= text.size(); ++row) {
        const size_t nl = text.find('\n', start);
        const std::string piece = text.substr(start, nl == std::string::npos ? nl : nl - start);
        if (!piece.empty()) dc.TextOut((client.left + client.right) / 2, client.top + row * line, piece);
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    dc.SetTextAlign(oldAlign);
    dc.SelectFont(oldFont);
}

} // namespace

void CTarvikView::RecalcLayout() {
    const float m = doc.pageMargin;
    doc.docHeight = doc.logHeight + doc.headerHeight + 2 * m;
    float width = 2 * m;
    for (size_t i = 0; i < doc.tracks.size(); ++i)
        if (!(doc.tracks[i]->overlay && i > 0)) width += doc.tracks[i]->width;
    doc.docWidth = width;

    const int cx = SaturatePixels(doc.docWidth * resX);
    const int cy = SaturatePixels(doc.docHeight * resY);
    pageRect = {0, 0, cx, cy};
    const int mx = SaturatePixels(resX * m);
    const int my = SaturatePixels(resY * m);
    headerPixels = SaturatePixels(doc.headerHeight * resY);
    plotRect = {mx, AddPixels(headerPixels, my), cx - mx, cy - my};
}

void CTarvikView::LayoutTracks() {
    int x = plotRect.left;
    const CTrack* previous = nullptr;
    for (size_t i = 0; i < doc.tracks.size(); ++i) {
        CTrack& t = *doc.tracks[i];
        if (t.overlay && previous) {
            t.rect = previous->rect;
            t.overlayCount = previous->overlayCount;
            t.overlayPosition = previous->overlayPosition + 1;
        } else {
            const int w = std::max(RoundHalfUp(t.width * resX), 0);
            t.rect = {x, plotRect.top, AddPixels(x, w), plotRect.bottom};
            t.overlayPosition = 0;
            t.overlayCount = 0;
            for (size_t j = i + 1; j < doc.tracks.size() && doc.tracks[j]->overlay; ++j)
                ++t.overlayCount;
            x = t.rect.right;
        }
        previous = &t;
    }
}

void CTarvikView::DrawPage(CDrawSurface& dc, const CRect& clientRect) {
    if (doc.tracks.empty()) {
        DrawHint(dc, clientRect);
        return;
    }
    const CPen markerPen{PS_DOT, 1, MakeRGB(240, 100, 100)};
    const CPen selectionPen{PS_DOT, 1, MakeRGB(50, 50, 200)};

    CFontDesc nameFont;
    MakeFont(nameFont, "Arial", 16, false);
    const CFontDesc oldFont = dc.SelectFont(nameFont);
    dc.TextOut(plotRect.left, headerPixels - 25, "Well name:  " + doc.wellName);
    dc.SelectFont(oldFont);

    LayoutTracks();
    for (const auto& track : doc.tracks) {
        CTrack& t = *track;
        if (t.depthAxis) {
            t.depthAxis->SetPixelRange(plotRect.top, plotRect.bottom, t.rect.left);
            if (t.type == kTrackLog || t.type == kTrackData) {
                const CPen oldPen = dc.SelectPen(markerPen);
                for (const CMarker& m : doc.markers) {
                    const int y = t.depthAxis->ValueToPixel(m.top);
                    if (y > t.rect.top && y < t.rect.bottom) {
                        dc.MoveTo(t.rect.left + 1, y);
                        dc.LineTo(t.rect.right - 1, y);
                    }
                }
                dc.SelectPen(oldPen);
            }
        }
        t.Draw(dc);
        if (t.selected && !dc.IsPrinting()) {
            const CPen oldPen = dc.SelectPen(selectionPen);
            DrawRectOutline(dc, {t.rect.left + 1, t.rect.top + 1, t.rect.right - 1, t.rect.bottom - 1});
            dc.SelectPen(oldPen);
        }
    }
}

CRect CTarvikView::TracksExtent() const {
    CRect r{0, 0, 0, 0};
    for (const auto& t : doc.tracks) {
        r.left = std::min(r.left, t->rect.left);
        r.top = std::min(r.top, t->rect.top);
        r.right = std::max(r.right, t->rect.right);
        r.bottom = std::max(r.bottom, t->rect.bottom);
    }
    return r;
}

int PrintPageCount(float headerHeight, float logHeight, const CPrinterPage& printer) {
    const double printable =
        (static_cast<double>(printer.physicalHeight) - 2.0 * printer.physicalTopOffset) /
        printer.pixelsPerInchY;
    if (!(printable > 0) || !std::isfinite(printable)) return 1;
    const double pages = std::ceil((static_cast<double>(headerHeight) + logHeight) / printable);
    if (!(pages >= 1)) return 1;
    return pages > 10000 ? 10000 : static_cast<int>(pages);
}

CSheetMapping SheetMapping(int sheet, const CRect& pageRect, float docHeight,
                           const CPrinterPage& printer) {
    CSheetMapping m;
    const double printable =
        static_cast<double>(printer.physicalHeight) - 2.0 * printer.physicalTopOffset;
    const double full = static_cast<double>(docHeight) * printer.pixelsPerInchY;
    const int step = full > 0 ? SaturatePixels(pageRect.bottom * printable / full) : 0;
    m.windowOrigin = {0, SaturatePixels(static_cast<double>(step) * (sheet - 1))};
    m.windowExtent = {pageRect.right, pageRect.bottom};
    m.viewportExtent = {SaturatePixels(printer.physicalWidth), SaturatePixels(full)};
    return m;
}
