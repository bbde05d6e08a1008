// The File menu: new, open, save, printing, recent files and dropped files.
#include "app/MainFrame.h"

#include "platform/MessageBox.h"
#include "app/PlotWidget.h"
#include "platform/Printing.h"
#include "doc/DropAction.h"
#include "exchange/LasImport.h"
#include "exchange/OpenFile.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QSettings>

namespace {

const QString kDocumentFilter = QStringLiteral("Pelorin Files (*.tvk)");
const QString kRecentGroup = QStringLiteral("Recent File List");
constexpr int kRecentCount = 4;

QStringList RecentFiles() {
    QSettings settings;
    QStringList files;
    for (int i = 1; i <= kRecentCount; ++i) {
        const QString f = settings.value(QStringLiteral("%1/File%2").arg(kRecentGroup).arg(i)).toString();
        if (!f.isEmpty()) files << f;
    }
    return files;
}

} // namespace

void CMainFrame::AddRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    const QString full = QFileInfo(path).absoluteFilePath();
    files.removeAll(full);
    files.prepend(full);
    QSettings settings;
    for (int i = 1; i <= kRecentCount; ++i)
        settings.setValue(QStringLiteral("%1/File%2").arg(kRecentGroup).arg(i),
                          i <= files.size() ? files[i - 1] : QString());
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
    const QStringList files = RecentFiles();
    for (int i = 0; i < recentActions.size(); ++i) {
        QAction* a = recentActions[i];
        a->setVisible(i < files.size());
        if (i >= files.size()) continue;
        a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
        a->setData(files[i]);
        a->setStatusTip(tr("Open %1").arg(files[i]));
    }
}

bool CMainFrame::SaveModified() {
    if (!doc.IsModified()) return true;
    const QString path = QString::fromStdString(doc.PathName());
    const QString name = path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
    const auto answer = AskUser(this, QMessageBox::Question, tr("Save changes to %1?").arg(name),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                QMessageBox::Yes);
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::No) return true;
    return OnFileSave(); // a failed save keeps the document open
}

void CMainFrame::OnFileNew() {
    if (!SaveModified()) return;
    doc.OnNewDocument();
    InitialUpdate();
}

void CMainFrame::OnFileOpen() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open"), QString(),
        kDocumentFilter + QStringLiteral(";;Las Files (*.las);;Text Files (*.txt *.csv *.tsv *.dat)"
                                          ";;All Files (*)"));
    if (!path.isEmpty()) OpenDocumentFile(path);
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    if (!SaveModified()) return false;
    if (!OpenPath(doc, path.toStdString())) {
        DocumentChanged();
        return false;
    }
    AddRecentFile(path);
    InitialUpdate();
    return true;
}

bool CMainFrame::OnFileSave() {
    if (doc.PathName().empty()) return OnFileSaveAs();
    const bool saved = doc.OnSaveDocument(doc.PathName());
    UpdateCommandUi();
    return saved;
}

bool CMainFrame::OnFileSaveAs() {
    QString start = QString::fromStdString(doc.PathName());
    if (start.isEmpty()) start = tr("Untitled.tvk");
    QFileDialog dialog(this, tr("Save As"), start, kDocumentFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("tvk"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QString path = dialog.selectedFiles().first();
    if (!doc.OnSaveDocument(path.toStdString())) {
        UpdateCommandUi();
        return false;
    }
    AddRecentFile(path);
    UpdateCommandUi();
    return true;
}

void CMainFrame::OnFileImportLas() {
    const auto path = platform.AskOpenFileName("Las Files (*.las)|*.las|", "las");
    if (!path) return;
    ImportLas(doc, *path);
    DocumentChanged();
}

bool CMainFrame::EnsurePrinter() {
    if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!NeedsPdfFileName(*printer)) return true;
    if (QPrinterInfo::availablePrinters().isEmpty())
        AskUser(this, QMessageBox::Information,
                tr("No printer is installed. The plot will be printed to a PDF file instead; "
                   "choose where to put it."),
                QMessageBox::Ok);
    const QString path = QFileDialog::getSaveFileName(this, tr("Print to PDF"), tr("plot.pdf"),
                                                      QStringLiteral("PDF Files (*.pdf)"));
    if (path.isEmpty()) return false;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return true;
}

void CMainFrame::OnFilePrint() {
    if (!EnsurePrinter()) return;
    view.RecalcLayout();
    const int sheets = PrintPageCount(doc.headerHeight, doc.logHeight, PrinterPageOf(*printer));
    QPrintDialog dialog(printer.get(), this);
    dialog.setMinMax(1, sheets);
    dialog.setFromTo(1, sheets);
    if (printer->outputFormat() != QPrinter::PdfFormat && dialog.exec() != QDialog::Accepted) return;
    const int printed = PrintPage(view, *printer, false);
    if (printed == 0)
        AskUser(this, QMessageBox::Warning, tr("The printer could not be started."), QMessageBox::Ok);
    else if (printed < 0)
        AskUser(this, QMessageBox::Warning, tr("Printing stopped before the last sheet."), QMessageBox::Ok);
    plot->DocumentChanged();
}

void CMainFrame::OnFilePrintPreview() {
    if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintPreviewDialog preview(printer.get(), this);
    preview.setWindowTitle(tr("Print Preview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { PrintPage(view, *p, true); });
    preview.resize(900, 800);
    preview.exec();
    plot->DocumentChanged();
}

void CMainFrame::OnFilePrintSetup() {
    if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog dialog(printer.get(), this);
    dialog.exec();
}

void CMainFrame::DropFiles(const QStringList& paths) {
    activateWindow();
    std::vector<std::string> files;
    for (const QString& p : paths) files.push_back(p.toStdString());
    switch (ClassifyDrop(files)) {
    case DropAction::TooMany:
        platform.Message("Hei, one file at a time please!", MsgIcon::Exclamation);
        break;
    case DropAction::ImportLas:
        ImportLas(doc, files[0]); // into the current document, as Import LAS file does
        DocumentChanged();
        break;
    case DropAction::OpenDocument:
        OpenDocumentFile(paths[0]);
        break;
    case DropAction::Nothing:
        break;
    }
}
