// The page into picture files: bitmaps and metafiles through the core, SVG and PDF
// through Qt.
#include "platform/Export.h"

#include "platform/PageRender.h"
#include "platform/QtSurface.h"
#include "base/FileIO.h"
#include "doc/TarvikDoc.h"
#include "exchange/ImageFormats.h"
#include "view/ImageExport.h"
#include "view/TarvikView.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kScreenDpi = 96.0f;

// The picture takes the tracks' extent and this much white to its right and below.
constexpr int kExportMargin = kImageMargin;

void Draw(CTarvikView& view, QPainter& painter, double scale, bool antialias) {
    painter.scale(scale, scale);
    CQtSurface dc(painter);
    dc.SetAntialiasing(antialias);
    // A picture in a file draws every sample, as a printed page does.
    dc.SetPrinting(true);
    dc.SetPageRect(view.PageRect());
    view.DrawPage(dc, view.PageRect());
}

// A file that remembers a failed write: Qt's writers carry on past one, and the
// file forgets it at the next flush.
class CCheckedFile : public QFile {
public:
    using QFile::QFile;
    bool Failed() const { return failed; }

protected:
    qint64 writeData(const char* data, qint64 n) override {
        const qint64 written = QFile::writeData(data, n);
        if (written != n) failed = true;
        return written;
    }

private:
    bool failed = false;
};

// Runs a writer that takes a file on a temporary file beside the target, which
// replaces the target only when everything was written.
template <class Write>
bool WriteAtomically(const std::string& path, std::string& error, Write write) {
    CAtomicFile target;
    if (!target.Open(path)) {
        error = target.Error();
        return false;
    }
    CCheckedFile file(QString::fromStdString(target.HandOver()));
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && write(file) &&
                         file.flush() && !file.Failed();
    file.close();
    if (!written || file.Failed()) {
        error = "cannot write the file";
        return false;
    }
    if (!target.Commit()) {
        error = target.Error();
        return false;
    }
    return true;
}

bool ExportSvg(CTarvikView& view, const QSize& page, const std::string& path,
               std::string& error) {
    return WriteAtomically(path, error, [&](QFile& file) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(page);
        svg.setViewBox(QRect(QPoint(0, 0), page));
        svg.setResolution(static_cast<int>(kScreenDpi));
        svg.setTitle(QStringLiteral("Tarvik plot"));
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        painter.fillRect(QRect(QPoint(0, 0), page), Qt::white);
        Draw(view, painter, 1.0, true);
        return painter.end();
    });
}

bool ExportPdf(CTarvikView& view, const QSize& page, const std::string& path,
               std::string& error) {
    return WriteAtomically(path, error, [&](QFile& file) {
        QPdfWriter pdf(&file);
        pdf.setResolution(static_cast<int>(kScreenDpi));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        const QSizeF inches(page.width() / kScreenDpi, page.height() / kScreenDpi);
        pdf.setPageSize(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch));
        pdf.setTitle(QStringLiteral("Tarvik plot"));
        pdf.setCreator(QStringLiteral("Tarvik"));
        QPainter painter;
        if (!painter.begin(&pdf)) return false;
        Draw(view, painter, 1.0, true);
        return painter.end();
    });
}

} // namespace

bool ExportPage(CTarvikDoc& doc, const std::string& path, int dpi, std::string& error) {
    if (doc.tracks.empty()) {
        error = "the document has no tracks to draw";
        return false;
    }
    CTarvikView view(doc);
    view.SetResolution(kScreenDpi, kScreenDpi);
    view.RecalcLayout();
    view.LayoutTracks();
    const CRect extent = view.TracksExtent();
    const QSize page(extent.right + kExportMargin, extent.bottom + kExportMargin);

    const std::string ext = ExtensionOf(path);
    const CImageFormat* format = FindImageFormat(path);
    if (!format) {
        error = ext.empty() ? "the file name has no extension to choose the format by"
                            : "cannot export " + ext + " files (use " + KnownImageExtensions() + ")";
        return false;
    }
    if (ext == ".svg") return ExportSvg(view, page, path, error);
    if (ext == ".pdf") return ExportPdf(view, page, path, error);
    // Bitmaps and metafiles are made by the core, as Save Image as makes them.
    CExportServices services;
    const PictureResult made =
        ExportPicture(view, services, path, *format, ImageScale(dpi, kScreenDpi), error);
    if (made == PictureResult::CannotOpen) error = "cannot open the file: " + error;
    return made == PictureResult::Written;
}
