// The Qt side of the pictures of the page: the one function that draws the page into
// a bitmap (through the Qt surface, onto the core's pixels), text measured as the
// screen measures it, and the page as SVG for the clipboard.
#pragma once

#include "gfx/PlatformServices.h"
#include "platform/QtSurface.h"

#include <QByteArray>
#include <QPainter>
#include <QSize>

// Draws the page enlarged by scale into width x height pixels of 32 bits (blue,
// green, red, unused), rows top first, over white. False when Qt cannot paint there.
bool RenderPagePixels(const PageDrawing& draw, double scale, unsigned char* pixels, int width,
                      int height);

// The page as an SVG document of page pixels.
QByteArray PageSvg(const PageDrawing& draw, QSize page);

// Measures text with the Qt surface's fonts, without a device to draw on.
class CQtTextMeasure {
  public:
    CQtTextMeasure() : surface(idle) {}
    CSize Measure(const CFontDesc& font, std::string_view text);

  private:
    QPainter idle; // never begun: the surface only measures
    CQtSurface surface;
};
