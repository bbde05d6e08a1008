// What the core asks of the platform: message boxes, questions, progress, the
// clipboard and the dialogs a core operation cannot do without. The Qt layer answers
// with real dialogs, the command line with fixed answers, tests with scripts. Every
// text passed here is the program's own text, word for word.
#pragma once

#include "gfx/Colour.h"

#include <optional>
#include <string>
#include <vector>

class CLithArray;
class CTrack;

// What the "Well options" dialog edits.
struct CWellOptions {
    std::string wellName;
    int depthUnit = 0; // 0 meters, 1 feet
    int dualAxis = 0;
};

// The kinds "Select new track type" offers, in its order.
enum class NewTrackKind { Data = 0, Strat = 1, Lith = 2 };

enum class MsgIcon { Information, Exclamation, Error };

class IPlatformServices {
public:
    virtual ~IPlatformServices() = default;

    // A modal message box with an OK button.
    virtual void Message(const std::string& text, MsgIcon icon = MsgIcon::Exclamation) = 0;
    // A modal question with OK and Cancel; true for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;

    // The modeless progress window shown while a document loads or saves.
    virtual void ShowProgressWindow(const std::string& text) { (void)text; }
    virtual void CloseProgressWindow() {}
    // The message pane of the status bar; an empty text restores the idle message.
    virtual void SetStatusText(const std::string& text) { (void)text; }

    // The status-bar progress indicator.
    virtual void BeginProgress(const std::string& text, int lower, int upper, int step) {
        (void)text, (void)lower, (void)upper, (void)step;
    }
    virtual void StepProgress() {}
    virtual void EndProgress() {}

    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}

    // Asks every view of the document to redraw.
    virtual void UpdateAllViews() {}

    // The property dialog of a track; nonzero when the user confirmed it.
    virtual int EditTrackProperties(CTrack& track) {
        (void)track;
        return 0;
    }

    // Plain text on the clipboard; false when the clipboard refused it.
    virtual bool SetClipboardText(const std::string& text) {
        (void)text;
        return false;
    }

    // The clipboard's plain text; nothing when it cannot be opened or holds no text.
    virtual std::optional<std::string> GetClipboardText() { return std::nullopt; }

    // "Select Logs": the curve entries of a LAS file to tick. One flag per entry
    // (1 ticked), or nothing when cancelled.
    virtual std::optional<std::vector<int>> AskCurvesToImport(const std::vector<std::string>& entries) {
        return std::vector<int>(entries.size(), 1);
    }

    // An open-file dialog; nothing when cancelled. The filter is in the classic
    // "Description|*.ext|" form.
    virtual std::optional<std::string> AskOpenFileName(const std::string& filter,
                                                       const std::string& defaultExt) {
        (void)filter, (void)defaultExt;
        return std::nullopt;
    }

    // A modal list to pick one entry from; the chosen index, or -1 when cancelled.
    virtual int ChooseFromList(const std::string& title, const std::string& caption,
                               const std::vector<std::string>& items) {
        (void)title, (void)caption, (void)items;
        return -1;
    }

    // The document's dialogs. Each edits the values it is given and gives true for
    // OK; on Cancel the values are left as they were.
    // "Well options": the well name, the depth unit and the dual depth axis.
    virtual bool EditWellOptions(CWellOptions& options) {
        (void)options;
        return false;
    }
    // "Input method": 0 simple, 1 average range; whether input is confirmed.
    virtual bool EditInputMethod(int& inputMethod, int& confirmInput) {
        (void)inputMethod, (void)confirmInput;
        return false;
    }
    // "Select new track type"; nothing when cancelled.
    virtual std::optional<NewTrackKind> AskNewTrackKind() { return std::nullopt; }
    // The two "Confirm input" dialogs of the digitising tools: one point, or the
    // top, base and value of a range.
    virtual bool ConfirmPoint(float& depth, float& value) {
        (void)depth, (void)value;
        return true;
    }
    virtual bool ConfirmRange(float& top, float& base, float& value) {
        (void)top, (void)base, (void)value;
        return true;
    }
    // "Lithology": a layer's top, bottom and lithology, chosen from the library.
    virtual bool EditLithLayer(float& top, float& bottom, int& lithId, const CLithArray& library) {
        (void)top, (void)bottom, (void)lithId, (void)library;
        return false;
    }
    // "Stratigraphy": a formation's name, top, bottom and fill colour.
    virtual bool EditStratTop(std::string& name, float& top, float& bottom, ColourRef& fillColor) {
        (void)name, (void)top, (void)bottom, (void)fillColor;
        return false;
    }
};
