#pragma once

#include "gfx/PlatformServices.h"
#include "gfx/RecordingSurface.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Platform services for tests: records what the core says and answers its
// questions from a script (OK when the script has run out).
class CScriptedPlatform : public IPlatformServices {
public:
    void Message(const std::string& text, MsgIcon icon) override;
    bool AskOkCancel(const std::string& text) override;
    void ShowProgressWindow(const std::string& text) override { progress.push_back(text); }
    void CloseProgressWindow() override { progress.push_back("<closed>"); }
    void SetStatusText(const std::string& text) override { status.push_back(text); }
    void BeginProgress(const std::string& text, int lower, int upper, int step) override;
    void StepProgress() override { ++steps; }
    void EndProgress() override { progressOpen = false; }
    void UpdateAllViews() override { ++redraws; }
    int EditTrackProperties(CTrack& track) override;
    bool SetClipboardText(const std::string& text) override;
    std::optional<std::string> AskOpenFileName(const std::string& filter,
                                               const std::string& defaultExt) override;
    int ChooseFromList(const std::string& title, const std::string& caption,
                       const std::vector<std::string>& items) override;
    std::optional<std::vector<int>> AskCurvesToImport(const std::vector<std::string>& entries) override;
    std::optional<std::string> GetClipboardText() override { return clipboardText; }
    bool EditWellOptions(CWellOptions& options) override;
    bool EditInputMethod(int&, int&) override { return false; }
    std::optional<NewTrackKind> AskNewTrackKind() override { return Take(trackKindAnswers); }
    bool EditLithLayer(float& top, float& bottom, int& lithId, const CLithArray& library) override;
    bool EditStratTop(std::string& name, float& top, float& bottom, ColourRef& fillColor) override;
    bool ConfirmPoint(float&, float&) override { return Next(confirmAnswers, true); }
    bool ConfirmRange(float&, float&, float&) override { return Next(confirmAnswers, true); }

    // What the core said.
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> progress;
    std::vector<std::string> status;
    bool progressOpen = false;
    int steps = 0;
    int redraws = 0;
    std::string clipboard;

    // The script.
    std::deque<bool> okAnswers;
    std::deque<int> propertiesAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<int> listAnswers;
    std::deque<std::optional<std::vector<int>>> curveAnswers; // all ticked when empty
    std::vector<std::string> curveEntries;
    std::optional<std::string> clipboardText;
    bool clipboardRefuses = false;
    // Dialog answers: the values OK gives back, or nothing for Cancel (Cancel when
    // the script has run out).
    std::deque<std::optional<CWellOptions>> wellAnswers;
    std::deque<std::optional<NewTrackKind>> trackKindAnswers;
    struct LithAnswer { float top, bottom; int lithId; };
    std::deque<std::optional<LithAnswer>> lithAnswers;
    struct StratAnswer { std::string name; float top, bottom; ColourRef fill; };
    std::deque<std::optional<StratAnswer>> stratAnswers;
    std::deque<bool> confirmAnswers; // OK when empty
    std::function<void(float top)> onLith; // sees the top the lithology dialog is given

private:
    template <typename T> static T Next(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = q.front();
        q.pop_front();
        return v;
    }
    template <typename T> static std::optional<T> Take(std::deque<std::optional<T>>& q) {
        if (q.empty()) return std::nullopt;
        if (!q.front()) {
            q.pop_front();
            return std::nullopt;
        }
        T value = std::move(*q.front());
        q.pop_front();
        return value;
    }

public:
    // The log operations' dialogs: each records what it was shown and answers from
    // its script (Cancel when the script has run out).
    bool AskFilterLength(int& length) override;
    bool AskValueOperation(int& code, float& value) override;
    bool AskMultiTrackOperation(const std::vector<std::string>& labels,
                                CMultiTrackChoice& choice) override;
    bool AskAsciiColumns(const std::vector<std::string>& names, CAsciiColumns& choice) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

    std::deque<std::optional<int>> filterAnswers;
    struct OperationAnswer { int code; float value; };
    std::deque<std::optional<OperationAnswer>> operationAnswers;
    std::deque<std::optional<CMultiTrackChoice>> multiTrackAnswers;
    std::deque<std::optional<CAsciiColumns>> asciiAnswers;
    int filterShown = 0; // the length the filter dialog opened with
    std::vector<std::string> multiTrackLabels;
    std::vector<std::string> asciiNames;
    // Pictures of the page. RenderPixels draws the page onto `rendered` and paints
    // each pixel (x, y) blue y % 256, green x % 256, red 0x80, so a test sees the rows'
    // order; it refuses when renderRefuses. The clipboard keeps what it was given.
    bool RenderPixels(const PageDrawing& draw, double scale, unsigned char* pixels, int width,
                      int height) override;
    bool SetClipboardPicture(const CClipboardPicture& picture) override;
    bool SetClipboardBitmap(const unsigned char* pixels, int width, int height) override;
    std::string DecimalSeparator() override { return decimalSeparator; }
    std::optional<CExportFileChoice> AskExportFileName(const std::string& title,
                                                      const std::string& initialName,
                                                      const std::string& typeList) override;
    std::optional<int> AskBitmapDpi(int proposed, float screenDpi, CSize base) override;

    CRecordingSurface rendered;
    int renders = 0;
    double renderScale = 0;
    CSize renderSize;
    bool renderRefuses = false;
    std::optional<CClipboardPicture> clipboardPicture; // its drawing left out
    std::vector<unsigned char> clipboardBitmap;
    CSize clipboardBitmapSize;
    std::string decimalSeparator = ".";
    std::deque<std::optional<CExportFileChoice>> exportAnswers; // Cancel when empty
    std::deque<std::optional<int>> dpiAnswers;                  // Cancel when empty
    struct DpiShown { int proposed = 0; float screenDpi = 0; CSize base; };
    std::optional<DpiShown> dpiShown;
};
