#include "app/QtPlatform.h"

#include "dialogs/ConfirmInputDlg.h"
#include "dialogs/EnterDPIDialog.h"
#include "dialogs/FileExportDialog.h"
#include "dialogs/FilterLengthDlg.h"
#include "dialogs/ImportAsciiDlg.h"
#include "dialogs/MultiTrackOperationDlg.h"
#include "dialogs/OperationDlg.h"
#include "dialogs/ImportLasDlg.h"
#include "dialogs/InputOptionsDlg.h"
#include "dialogs/LithInputDlg.h"
#include "dialogs/NewTrackTypeDlg.h"
#include "dialogs/StratInputDialog.h"
#include "dialogs/WellOptionsDlg.h"
#include "platform/MessageBox.h"
#include "platform/PageRender.h"
#include "platform/QtSurface.h"
#include "dialogs/TrackProperties.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString Title() { return QStringLiteral("Tarvik"); }

} // namespace

QString QtFileFilter(const std::string& classicFilter) {
    // Description and pattern alternate between the bars.
    const QStringList parts = TextFromBytes(classicFilter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].isEmpty()) filters << parts[i];
    filters << QStringLiteral("All Files (*)");
    return filters.join(QStringLiteral(";;"));
}

CQtPlatform::CQtPlatform(QMainWindow* mainWindow) : window(mainWindow) {}

CQtPlatform::~CQtPlatform() { delete progressWindow; }

void CQtPlatform::Message(const std::string& text, MsgIcon icon) {
    lastMessage = text;
    const QMessageBox::Icon qtIcon = icon == MsgIcon::Information   ? QMessageBox::Information
                                     : icon == MsgIcon::Error       ? QMessageBox::Critical
                                                                    : QMessageBox::Warning;
    AskUser(window, qtIcon, TextFromBytes(text).trimmed(), QMessageBox::Ok);
}

bool CQtPlatform::AskOkCancel(const std::string& text) {
    return AskUser(window, QMessageBox::Question, TextFromBytes(text),
                   QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

void CQtPlatform::ShowProgressWindow(const std::string& text) {
    if (!progressWindow) {
        progressWindow = new QDialog(window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        progressWindow->setWindowTitle(Title());
        progressWindow->setModal(false);
        auto* layout = new QVBoxLayout(progressWindow);
        progressText = new QLabel(progressWindow);
        progressText->setMinimumWidth(360);
        progressText->setWordWrap(true);
        auto* busy = new QProgressBar(progressWindow);
        busy->setRange(0, 0); // no steps known: a moving bar
        busy->setTextVisible(false);
        layout->addWidget(progressText);
        layout->addWidget(busy);
    }
    progressText->setText(TextFromBytes(text));
    progressWindow->show();
    progressWindow->raise();
    // The work that follows runs on this thread; let the window paint first.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CQtPlatform::CloseProgressWindow() {
    if (progressWindow) progressWindow->hide();
}

void CQtPlatform::SetStatusText(const std::string& text) {
    if (!window) return;
    window->statusBar()->showMessage(text.empty() ? QString::fromLatin1(kIdleMessage)
                                                  : TextFromBytes(text));
}

void CQtPlatform::BeginProgress(const std::string& text, int lower, int upper, int step) {
    if (!window) return;
    QStatusBar* bar = window->statusBar();
    const QString caption = TextFromBytes(text);
    bar->showMessage(caption);
    delete statusProgress;
    statusProgress = new QProgressBar(bar);
    statusProgress->setRange(lower, std::max(lower, upper));
    statusProgress->setValue(lower);
    statusProgress->setTextVisible(false);
    progressStep = step > 0 ? step : 1;
    // Ten pixels after the text, at most 400 wide, never past the message pane (which
    // ends where the first indicator to the right of the text begins).
    const int x = QFontMetrics(bar->font()).horizontalAdvance(caption) + 10 + 6;
    int paneRight = bar->width();
    for (QWidget* w : bar->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w != statusProgress && w->isVisible() && w->x() > x) paneRight = std::min(paneRight, w->x());
    const int width = std::max(0, std::min(400, paneRight - 4 - x));
    statusProgress->setGeometry(x, 2, width, std::max(4, bar->height() - 4));
    statusProgress->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CQtPlatform::StepProgress() {
    if (!statusProgress) return;
    const int before = statusProgress->value();
    statusProgress->setValue(std::min(statusProgress->maximum(), before + progressStep));
    // Repaint now and then; every step would cost more than the work, and a full
    // bar (an import of more rows than it has steps) has nothing left to show.
    if (statusProgress->value() == before) return;
    if (statusProgress->value() % std::max(1, statusProgress->maximum() / 100) == 0)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CQtPlatform::EndProgress() {
    delete statusProgress;
    statusProgress = nullptr;
    if (window) window->statusBar()->showMessage(QStringLiteral("Done"));
}

void CQtPlatform::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void CQtPlatform::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

void CQtPlatform::UpdateAllViews() {
    if (onUpdate) onUpdate();
}

int CQtPlatform::EditTrackProperties(CTrack& track) { return ::EditTrackProperties(window, track); }

bool CQtPlatform::SetClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setText(TextFromBytes(text));
    return true;
}

std::optional<std::string> CQtPlatform::AskOpenFileName(const std::string& filter,
                                                        const std::string& defaultExt) {
    QFileDialog dialog(window, QString(), QString(), QtFileFilter(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromStdString(defaultExt));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

int CQtPlatform::ChooseFromList(const std::string&, const std::string&,
                                const std::vector<std::string>& items) {
    return SelectLogDialog(window, items);
}

std::optional<std::string> CQtPlatform::GetClipboardText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasText()) return std::nullopt;
    // Tables from spreadsheets are plain 8-bit text.
    return data->text().toLocal8Bit().toStdString();
}

std::optional<std::vector<int>> CQtPlatform::AskCurvesToImport(const std::vector<std::string>& entries) {
    CImportLasDlg dialog(entries, window);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Checked();
}

bool CQtPlatform::EditWellOptions(CWellOptions& options) {
    CWellOptionsDlg dialog(options, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    options = dialog.Options();
    return true;
}

bool CQtPlatform::EditInputMethod(int& inputMethod, int& confirmInput) {
    CInputOptionsDlg dialog(inputMethod, confirmInput, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    inputMethod = dialog.InputMethod();
    confirmInput = dialog.ConfirmInput();
    return true;
}

std::optional<NewTrackKind> CQtPlatform::AskNewTrackKind() {
    CNewTrackTypeDlg dialog(NewTrackKind::Data, window);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Kind();
}

bool CQtPlatform::ConfirmPoint(float& depth, float& value) {
    CConfirmInputDlg dialog(depth, value, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    depth = dialog.Depth();
    value = dialog.Value();
    return true;
}

bool CQtPlatform::ConfirmRange(float& top, float& base, float& value) {
    CConfirmRangeInpudDlg dialog(top, base, value, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    top = dialog.Top();
    base = dialog.Base();
    value = dialog.Value();
    return true;
}

bool CQtPlatform::EditLithLayer(float& top, float& bottom, int& lithId, const CLithArray& library) {
    CLithInputDlg dialog(top, bottom, lithId, library, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    top = dialog.Top();
    bottom = dialog.Bottom();
    lithId = dialog.LithId();
    return true;
}

bool CQtPlatform::EditStratTop(std::string& name, float& top, float& bottom, ColourRef& fillColor) {
    CStratInputDialog dialog(name, top, bottom, fillColor, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    name = dialog.Name();
    top = dialog.Top();
    bottom = dialog.Bottom();
    fillColor = dialog.FillColor();
    return true;
}

bool CQtPlatform::AskFilterLength(int& length) {
    CFilterLengthDlg dialog(length, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    length = dialog.Length();
    return true;
}

bool CQtPlatform::AskValueOperation(int& code, float& value) {
    COperationDlg dialog(code, value, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    code = dialog.Code();
    value = dialog.Value();
    return true;
}

bool CQtPlatform::AskMultiTrackOperation(const std::vector<std::string>& labels,
                                         CMultiTrackChoice& choice) {
    CMultiTrackOperationDlg dialog(labels, choice, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = dialog.Choice();
    return true;
}

bool CQtPlatform::AskAsciiColumns(const std::vector<std::string>& names, CAsciiColumns& choice) {
    CImportAsciiDlg dialog(names, choice, window);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = dialog.Columns();
    return true;
}

CSize CQtPlatform::MeasureText(const CFontDesc& font, std::string_view text) {
    if (!measure) measure = std::make_unique<CQtTextMeasure>();
    return measure->Measure(font, text);
}

bool CQtPlatform::RenderPixels(const PageDrawing& draw, double scale, unsigned char* pixels,
                               int width, int height) {
    return RenderPagePixels(draw, scale, pixels, width, height);
}

bool CQtPlatform::SetClipboardPicture(const CClipboardPicture& picture) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    auto* data = new QMimeData;
    const QByteArray emf(picture.emf.data(), static_cast<qsizetype>(picture.emf.size()));
    // Programs name the metafile either way.
    data->setData(QStringLiteral("image/emf"), emf);
    data->setData(QStringLiteral("image/x-emf"), emf);
    if (picture.draw)
        data->setData(QStringLiteral("image/svg+xml"),
                      PageSvg(picture.draw, QSize(picture.page.cx, picture.page.cy)));
    if (!picture.png.empty())
        data->setData(QStringLiteral("image/png"),
                      QByteArray(picture.png.data(), static_cast<qsizetype>(picture.png.size())));
    clipboard->setMimeData(data);
    return true;
}

bool CQtPlatform::SetClipboardBitmap(const unsigned char* pixels, int width, int height) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || !pixels || width <= 0 || height <= 0) return false;
    const QImage image =
        QImage(pixels, width, height, width * 4, QImage::Format_RGB32).copy();
    if (image.isNull()) return false;
    clipboard->setImage(image);
    return true;
}

bool CQtPlatform::ClipboardHasText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

std::string CQtPlatform::DecimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

std::optional<CExportFileChoice> CQtPlatform::AskExportFileName(const std::string& title,
                                                               const std::string& initialName,
                                                               const std::string& typeList) {
    CFileExportDialog dialog(TextFromBytes(title), TextFromBytes(initialName),
                             TextFromBytes(typeList), window);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const CExportFileChoice choice = dialog.Choice();
    if (choice.type == 0) return std::nullopt;
    return choice;
}

std::optional<int> CQtPlatform::AskBitmapDpi(int proposed, float screenDpi, CSize base) {
    CEnterDPIDialog dialog(proposed, screenDpi, base, window);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Dpi();
}
