// The page: its geometry from the document's lengths in inches and the display's
// resolution, and its drawing (well name, tracks side by side with their overlays,
// markers, selection frames). The Qt plot widget, printing and image export all
// draw through DrawPage.
#pragma once

#include "gfx/DrawSurface.h"
#include "gfx/Geometry.h"

class CTarvikDoc;

class CTarvikView {
public:
    explicit CTarvikView(CTarvikDoc& doc) : doc(doc) {}

    // Device pixels per inch; the Qt layer sets them from the screen's physical size.
    void SetResolution(float horizontal, float vertical) {
        resX = horizontal;
        resY = vertical;
    }
    float ResolutionX() const { return resX; }
    float ResolutionY() const { return resY; }

    // Page and plot rectangles from the document's lengths; also stores the page
    // width and height back into the document.
    void RecalcLayout();
    // Gives every track its rectangle and overlay place: overlays share the
    // rectangle of the track before them.
    void LayoutTracks();
    // Draws the whole page; clientRect is where the empty-document hint is centred.
    void DrawPage(CDrawSurface& dc, const CRect& clientRect);

    const CRect& PageRect() const { return pageRect; }
    const CRect& PlotRect() const { return plotRect; }
    int HeaderPixels() const { return headerPixels; }
    // The union of (0, 0) and every track rectangle from the last layout: what an
    // image of the plot must hold.
    CRect TracksExtent() const;

    CTarvikDoc& Document() const { return doc; }

private:
    CTarvikDoc& doc;
    float resX = 83.0f;
    float resY = 83.0f;
    int headerPixels = 0;
    CRect plotRect;
    CRect pageRect;
};

// Printing: how many sheets the page needs, and where each sheet looks.
struct CPrinterPage {
    float physicalHeight = 0;  // printer pixels
    float physicalWidth = 0;   // printer pixels
    float physicalTopOffset = 0;
    float pixelsPerInchY = 0;
};
int PrintPageCount(float headerHeight, float logHeight, const CPrinterPage& printer);
// The isotropic mapping of sheet n (from 1): page units from windowOrigin over
// windowExtent map onto viewportExtent printer pixels, both axes at one scale.
struct CSheetMapping {
    CPoint windowOrigin;
    CSize windowExtent;
    CSize viewportExtent;
};
CSheetMapping SheetMapping(int sheet, const CRect& pageRect, float docHeight,
                           const CPrinterPage& printer);
