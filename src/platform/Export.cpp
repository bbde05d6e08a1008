#include "platform/Export.h"

#include "platform/QtSurface.h"
#include "base/FileIO.h"
#include "doc/TarvikDoc.h"
#include "exchange/PngWriter.h"
#include "view/TarvikView.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kScreenDpi = 96.0f;
// The largest raster we agree to make (a 300 dpi plot of 8 x 40 inches is well inside).
constexpr double kMaxPixels = 400e6;

// The picture takes the tracks' extent and this much white to its right and below.
constexpr int kExportMargin = 20;

void Draw(CTarvikView& view, QPainter& painter, double scale, bool antialias) {
    painter.scale(scale, scale);
    CQtSurface dc(painter);
    dc.SetAntialiasing(antialias);
    dc.SetPageRect(view.PageRect());
    view.DrawPage(dc, view.PageRect());
}

bool ExportRaster(CTarvikView& view, const QSize& page, const std::string& path, int dpi,
                  std::string& error) {
    const double s = std::max(1.0, dpi / static_cast<double>(kScreenDpi));
    const double w = std::trunc(page.width() * s);
    const double h = std::trunc(page.height() * s);
    if (!(w >= 1 && h >= 1) || w * h > kMaxPixels) {
        error = "the image would be " + std::to_string(static_cast<long long>(w)) + " x " +
                std::to_string(static_cast<long long>(h)) + " pixels, too large to make";
        return false;
    }
    QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB888);
    if (image.isNull()) {
        error = "Failed to create image. Maybe out of memory?";
        return false;
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        // Enlarged in steps of 1/1000, as the window's copies are.
        Draw(view, painter, std::trunc(s * 1000.0) / 1000.0, true);
    }
    return WritePng(path, image.width(), image.height(), image.constBits(),
                    static_cast<size_t>(image.bytesPerLine()), false, &error);
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
    if (ext == ".png") return ExportRaster(view, page, path, dpi, error);
    if (ext == ".svg") return ExportSvg(view, page, path, error);
    if (ext == ".pdf") return ExportPdf(view, page, path, error);
    error = ext.empty() ? "the file name has no extension to choose the format by"
                        : "cannot export " + ext + " files yet (use .png, .svg or .pdf)";
    return false;
}
