// What the core asks of the platform: message boxes, questions, progress, the
// clipboard and the dialogs a core operation cannot do without. The Qt layer answers
// with real dialogs, the command line with fixed answers, tests with scripts. Every
// text passed here is the program's own text, word for word.
#pragma once

#include "gfx/Colour.h"
#include "gfx/DrawSurface.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// What "Select Data Columns" chooses for an ASCII import.
struct CAsciiColumns {
    std::vector<int> ticked; // one flag per column name, 1 where ticked
    int unit = 0;            // 0 meters, 1 feet
    int depthColumn = 1;     // counted from 1
};

// What "Multi Track Operation" chooses: two of the candidates it lists, the
// operation (0 "A + B" to 4 "A / ( A + B )") and the new track's name.
struct CMultiTrackChoice {
    int trackA = 0;
    int trackB = 0;
    int operation = 0;
    std::string name = "newTrack";
};

enum class MsgIcon { Information, Exclamation, Error };

// Draws the page onto a surface, in page coordinates.
using PageDrawing = std::function<void(CDrawSurface&)>;

// The pictures Copy puts on the clipboard: one page as an enhanced metafile and as a
// PNG, and the drawing itself for the formats only the platform can make.
struct CClipboardPicture {
    std::string emf;
    std::string png;
    CSize page; // pixels
    PageDrawing draw;
};

// What "Export Image As Type" chose: the file and its type, counted from 1.
struct CExportFileChoice {
    std::string path;
    int type = 0;
};

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

    // The log operations' dialogs, each starting from the values it is given and
    // giving true for OK. "Enter filter length": points to average over, 3 to 1000.
    virtual bool AskFilterLength(int& length) {
        (void)length;
        return false;
    }
    // "Operation": the operation code (ValueOperation.h) and the value it takes.
    virtual bool AskValueOperation(int& code, float& value) {
        (void)code, (void)value;
        return false;
    }
    // "Multi Track Operation" over the labels of the candidate tracks.
    virtual bool AskMultiTrackOperation(const std::vector<std::string>& labels,
                                        CMultiTrackChoice& choice) {
        (void)labels, (void)choice;
        return false;
    }
    // "Select Data Columns" for the column names of an ASCII file.
    virtual bool AskAsciiColumns(const std::vector<std::string>& names, CAsciiColumns& choice) {
        (void)names, (void)choice;
        return false;
    }

    // --- pictures of the page ---
    // Width and cell height of the text in the font (its height resolved, no point
    // size) as the screen measures it, for surfaces that cannot measure text
    // themselves. Without fonts: half an em a character and a cell of 1.15 em.
    virtual CSize MeasureText(const CFontDesc& font, std::string_view text) {
        const double em = font.height < 0   ? -font.height
                          : font.height > 0 ? font.height / 1.15
                                            : 14;
        long long chars = 0;
        for (const char c : text)
            chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return {static_cast<int>(std::min(chars * em / 2, 1e9)), static_cast<int>(em * 1.15 + 0.5)};
    }
    // Draws the page enlarged by scale into width x height pixels of 32 bits (blue,
    // green, red, unused), rows top first, over white; false when it cannot.
    virtual bool RenderPixels(const PageDrawing& draw, double scale, unsigned char* pixels,
                              int width, int height) {
        (void)draw, (void)scale, (void)pixels, (void)width, (void)height;
        return false;
    }
    // The clipboard's pictures; false when the clipboard refused them.
    virtual bool SetClipboardPicture(const CClipboardPicture& picture) {
        (void)picture;
        return false;
    }
    // A bitmap on the clipboard, in RenderPixels' form.
    virtual bool SetClipboardBitmap(const unsigned char* pixels, int width, int height) {
        (void)pixels, (void)width, (void)height;
        return false;
    }
    // Whether the clipboard holds text, for enabling the paste commands.
    virtual bool ClipboardHasText() { return GetClipboardText().has_value(); }
    // The user's decimal separator, for numbers pasted from a spreadsheet.
    virtual std::string DecimalSeparator() { return "."; }
    // "Export Image As Type": a save-file dialog over the "|"-separated type list.
    virtual std::optional<CExportFileChoice> AskExportFileName(const std::string& title,
                                                               const std::string& initialName,
                                                               const std::string& typeList) {
        (void)title, (void)initialName, (void)typeList;
        return std::nullopt;
    }
    // The resolution dialog of a bitmap: proposes a dpi and shows the size the bitmap
    // will have (base is its size at screenDpi); the dpi entered, or nothing.
    virtual std::optional<int> AskBitmapDpi(int proposed, float screenDpi, CSize base) {
        (void)proposed, (void)screenDpi, (void)base;
        return std::nullopt;
    }
};
