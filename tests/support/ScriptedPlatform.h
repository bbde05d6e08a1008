#pragma once

#include "gfx/PlatformServices.h"

#include <deque>
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
    bool EditInputMethod(int& inputMethod, int& confirmInput) override;
    std::optional<NewTrackKind> AskNewTrackKind() override { return Take(trackKindAnswers); }
    bool EditLithLayer(float& top, float& bottom, int& lithId, const CLithArray& library) override;
    bool EditStratTop(std::string& name, float& top, float& bottom, ColourRef& fillColor) override;

    // What the core said.
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> progress;
    std::vector<std::string> status;
    std::vector<std::string> listItems;
    std::string progressText;
    bool progressOpen = false;
    int progressUpper = 0;
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
    std::deque<std::optional<std::pair<int, int>>> inputMethodAnswers;
    std::deque<std::optional<NewTrackKind>> trackKindAnswers;
    struct LithAnswer { float top, bottom; int lithId; };
    std::deque<std::optional<LithAnswer>> lithAnswers;
    struct StratAnswer { std::string name; float top, bottom; ColourRef fill; };
    std::deque<std::optional<StratAnswer>> stratAnswers;

private:
    template <typename T> static std::optional<T> Take(std::deque<std::optional<T>>& q) {
        if (q.empty()) return std::nullopt;
        std::optional<T> v = std::move(q.front());
        q.pop_front();
        return v;
    }

public:
};
