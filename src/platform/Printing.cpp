#include "platform/Printing.h"

#include "platform/QtSurface.h"
#include "doc/TarvikDoc.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

CPrinterPage PrinterPageOf(const QPrinter& printer) {
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(dpi);
    const QRect printable = layout.paintRectPixels(dpi);
    CPrinterPage page;
    page.physicalWidth = static_cast<float>(paper.width());
    page.physicalHeight = static_cast<float>(paper.height());
    page.physicalTopOffset = static_cast<float>(printable.top() - paper.top());
    page.pixelsPerInchY = static_cast<float>(dpi);
    return page;
}

int PrintPage(CTarvikView& view, QPrinter& printer, bool preview) {
    CTarvikDoc& doc = view.Document();
    view.RecalcLayout();
    const CPrinterPage sheet = PrinterPageOf(printer);
    const int sheets = PrintPageCount(doc.headerHeight, doc.logHeight, sheet);
    int first = 1, last = sheets;
    if (!preview && printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0 &&
        sheets > 0) {
        first = std::min(printer.fromPage(), sheets);
        last = std::clamp(printer.toPage(), first, sheets);
    }
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    bool whole = true;
    for (int n = first; n <= last; ++n) {
        if (n > first && !printer.newPage()) {
            whole = false;
            break;
        }
        const CSheetMapping m = SheetMapping(n, view.PageRect(), doc.docHeight, sheet);
        // Isotropic: one scale for both axes, the smaller, so the width always fits.
        const double sx = m.windowExtent.cx > 0 ? double(m.viewportExtent.cx) / m.windowExtent.cx : 1;
        const double sy = m.windowExtent.cy > 0 ? double(m.viewportExtent.cy) / m.windowExtent.cy : 1;
        painter.resetTransform();
        painter.scale(std::min(sx, sy), std::min(sx, sy));
        painter.translate(-m.windowOrigin.x, -m.windowOrigin.y);
        CQtSurface dc(painter);
        dc.SetPrinting(true);
        dc.SetPrintPreview(preview);
        dc.SetPageRect(view.PageRect());
        view.DrawPage(dc, view.PageRect());
    }
    if (!painter.end()) whole = false;
    return whole ? last - first + 1 : -1;
}

bool NeedsPdfFileName(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return printer.outputFileName().isEmpty();
    return printer.printerName().isEmpty();
}
