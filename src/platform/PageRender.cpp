// Drawing the page into the core's bitmaps, measuring text, and SVG for the clipboard.
#include "platform/PageRender.h"

#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>

bool RenderPagePixels(const PageDrawing& draw, double scale, unsigned char* pixels, int width,
                      int height) {
    if (!pixels || width <= 0 || height <= 0 || width > INT_MAX / 4) return false;
    // The core's pixels themselves: Qt's 32-bit RGB is blue, green, red, 0xFF in memory.
    QImage image(pixels, width, height, width * 4, QImage::Format_RGB32);
    if (image.isNull()) return false;
    image.fill(Qt::white);
    QPainter painter;
    if (!painter.begin(&image)) return false;
    painter.scale(scale, scale);
    CQtSurface dc(painter);
    dc.SetAntialiasing(true);
    draw(dc);
    return painter.end();
}

QByteArray PageSvg(const PageDrawing& draw, QSize page) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(page);
    svg.setViewBox(QRect(QPoint(0, 0), page));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Tarvik plot"));
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    painter.fillRect(QRect(QPoint(0, 0), page), Qt::white);
    CQtSurface dc(painter);
    dc.SetAntialiasing(true);
    draw(dc);
    painter.end();
    return bytes;
}

CSize CQtTextMeasure::Measure(const CFontDesc& font, std::string_view text) {
    surface.SelectFont(font);
    return surface.GetTextExtent(text);
}
