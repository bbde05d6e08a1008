// The platform services of the window: real message boxes, questions, progress
// windows, the status bar, the clipboard and the dialogs the core asks for.
#pragma once

#include "gfx/PlatformServices.h"

#include <QString>

#include <functional>
#include <memory>

class CQtTextMeasure;
class QDialog;
class QLabel;
class QMainWindow;
class QProgressBar;

class CQtPlatform : public IPlatformServices {
public:
    explicit CQtPlatform(QMainWindow* window);
    ~CQtPlatform() override;

    // Called when the document asks every view to redraw.
    void SetUpdateHandler(std::function<void()> handler) { onUpdate = std::move(handler); }

    void Message(const std::string& text, MsgIcon icon) override;
    bool AskOkCancel(const std::string& text) override;
    void ShowProgressWindow(const std::string& text) override;
    void CloseProgressWindow() override;
    void SetStatusText(const std::string& text) override;
    void BeginProgress(const std::string& text, int lower, int upper, int step) override;
    void StepProgress() override;
    void EndProgress() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void UpdateAllViews() override;
    int EditTrackProperties(CTrack& track) override;
    bool SetClipboardText(const std::string& text) override;
    std::optional<std::string> AskOpenFileName(const std::string& filter,
                                               const std::string& defaultExt) override;
    int ChooseFromList(const std::string& title, const std::string& caption,
                       const std::vector<std::string>& items) override;
    std::optional<std::string> GetClipboardText() override;
    std::optional<std::vector<int>> AskCurvesToImport(const std::vector<std::string>& entries) override;
    bool EditWellOptions(CWellOptions& options) override;
    bool EditInputMethod(int& inputMethod, int& confirmInput) override;
    std::optional<NewTrackKind> AskNewTrackKind() override;
    bool ConfirmPoint(float& depth, float& value) override;
    bool ConfirmRange(float& top, float& base, float& value) override;
    bool EditLithLayer(float& top, float& bottom, int& lithId, const CLithArray& library) override;
    bool EditStratTop(std::string& name, float& top, float& bottom, ColourRef& fillColor) override;
    bool AskFilterLength(int& length) override;
    bool AskValueOperation(int& code, float& value) override;
    bool AskMultiTrackOperation(const std::vector<std::string>& labels,
                                CMultiTrackChoice& choice) override;
    bool AskAsciiColumns(const std::vector<std::string>& names, CAsciiColumns& choice) override;
    // Pictures of the page: text measured and pages drawn by the Qt surface, the
    // clipboard's picture formats, the decimal separator of the number locale.
    CSize MeasureText(const CFontDesc& font, std::string_view text) override;
    bool RenderPixels(const PageDrawing& draw, double scale, unsigned char* pixels, int width,
                      int height) override;
    bool SetClipboardPicture(const CClipboardPicture& picture) override;
    bool SetClipboardBitmap(const unsigned char* pixels, int width, int height) override;
    bool ClipboardHasText() override;
    std::string DecimalSeparator() override;
    std::optional<CExportFileChoice> AskExportFileName(const std::string& title,
                                                      const std::string& initialName,
                                                      const std::string& typeList) override;
    std::optional<int> AskBitmapDpi(int proposed, float screenDpi, CSize base) override;

    // The message pane's text when nothing is going on.
    static constexpr const char* kIdleMessage = "Ready";
    // The text of the last message box, for the command line to repeat.
    const std::string& LastMessage() const { return lastMessage; }

private:
    QMainWindow* window;
    std::function<void()> onUpdate;
    QDialog* progressWindow = nullptr;
    QLabel* progressText = nullptr;
    QProgressBar* statusProgress = nullptr;
    int progressStep = 1;
    std::string lastMessage;
    std::unique_ptr<CQtTextMeasure> measure; // made at the first measurement
};

// "Las Files (*.las)|*.las|" as a Qt file-dialog filter: "Las Files (*.las)".
QString QtFileFilter(const std::string& classicFilter);
