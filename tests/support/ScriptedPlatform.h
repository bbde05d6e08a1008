#pragma once

#include "gfx/PlatformServices.h"
#include "gfx/RecordingSurface.h"

#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

// Platform services for tests: records what the core says and answers its
// questions from a script. A question answers OK when its script has run out; a
// dialog, which gets the values OK gives back or nothing for Cancel, answers Cancel.
class CScriptedPlatform : public IPlatformServices {
public:
    void Message(const std::string& text, MsgIcon) override { messages.push_back(text); }
    bool AskOkCancel(const std::string& text) override {
        questions.push_back(text);
        return Next(okAnswers, true);
    }
    void BeginProgress(const std::string&, int, int, int) override { progressOpen = true; }
    void EndProgress() override { progressOpen = false; }
    int EditTrackProperties(CTrack&) override { return Next(propertiesAnswers, 0); }
    bool SetClipboardText(const std::string& text) override {
        if (!clipboardRefuses) clipboard = text;
        return !clipboardRefuses;
    }
    std::optional<std::string> AskOpenFileName(const std::string&, const std::string&) override {
        return Take(fileAnswers);
    }
    int ChooseFromList(const std::string&, const std::string&, const std::vector<std::string>&) override {
        return Next(listAnswers, -1);
    }
    std::optional<std::vector<int>> AskCurvesToImport(const std::vector<std::string>& entries) override {
        curveEntries = entries;
        return Next(curveAnswers, std::optional<std::vector<int>>(std::vector<int>(entries.size(), 1)));
    }
    std::optional<std::string> GetClipboardText() override { return clipboardText; }
    bool EditLithLayer(float& top, float& bottom, int& lithId, const CLithArray&) override {
        if (onLith) onLith(top);
        return Answer(lithAnswers, std::tie(top, bottom, lithId));
    }
    bool EditStratTop(std::string& name, float& top, float& bottom, ColourRef& fill) override {
        return Answer(stratAnswers, std::tie(name, top, bottom, fill));
    }

    // What the core said.
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool progressOpen = false;
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
    using LithAnswer = std::tuple<float, float, int>; // top, bottom, lithology id
    std::deque<std::optional<LithAnswer>> lithAnswers;
    using StratAnswer = std::tuple<std::string, float, float, ColourRef>; // name, top, bottom, fill
    std::deque<std::optional<StratAnswer>> stratAnswers;
    std::function<void(float top)> onLith; // sees the top the lithology dialog is given

    // The two-track operation's and the ASCII import's dialogs: each records what it
    // was shown and answers from its script.
    bool AskMultiTrackOperation(const std::vector<std::string>& labels, CMultiTrackChoice& choice) override {
        multiTrackLabels = labels;
        return Answer(multiTrackAnswers, choice);
    }
    bool AskAsciiColumns(const std::vector<std::string>& names, CAsciiColumns& choice) override {
        asciiNames = names;
        return Answer(asciiAnswers, choice);
    }

    std::deque<std::optional<CMultiTrackChoice>> multiTrackAnswers;
    std::deque<std::optional<CAsciiColumns>> asciiAnswers;
    std::vector<std::string> multiTrackLabels;
    std::vector<std::string> asciiNames;

    // Pictures of the page. RenderPixels draws the page and paints each pixel (x, y)
    // blue y % 256, green x % 256, red 0x80, so a test sees the rows' order; it
    // refuses when renderRefuses. The clipboard keeps what it was given.
    bool RenderPixels(const PageDrawing& draw, double scale, unsigned char* pixels, int width,
                      int height) override {
        ++renders;
        renderScale = scale;
        renderSize = {width, height};
        if (renderRefuses) return false;
        CRecordingSurface page;
        draw(page);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 4;
                p[0] = static_cast<unsigned char>(y), p[1] = static_cast<unsigned char>(x), p[2] = 0x80;
            }
        return true;
    }
    bool SetClipboardPicture(const CClipboardPicture& picture) override {
        clipboardPicture = picture;
        clipboardPicture->draw = nullptr; // it draws a view that may be gone
        return !clipboardRefuses;
    }
    bool SetClipboardBitmap(const unsigned char* pixels, int width, int height) override {
        clipboardBitmap.assign(pixels, pixels + static_cast<size_t>(width) * height * 4);
        clipboardBitmapSize = {width, height};
        return !clipboardRefuses;
    }
    std::string DecimalSeparator() override { return decimalSeparator; }
    std::optional<CExportFileChoice> AskExportFileName(const std::string&, const std::string&,
                                                      const std::string&) override {
        return Take(exportAnswers);
    }
    std::optional<int> AskBitmapDpi(int proposed, float, CSize) override {
        dpiProposed = proposed;
        return Take(dpiAnswers);
    }

    int renders = 0;
    double renderScale = 0;
    CSize renderSize;
    bool renderRefuses = false;
    std::optional<CClipboardPicture> clipboardPicture; // its drawing left out
    std::vector<unsigned char> clipboardBitmap;
    CSize clipboardBitmapSize;
    std::string decimalSeparator = ".";
    std::deque<std::optional<CExportFileChoice>> exportAnswers;
    std::deque<std::optional<int>> dpiAnswers;
    std::optional<int> dpiProposed; // the dpi the resolution dialog proposed

private:
    template <typename T> static T Next(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = q.front();
        q.pop_front();
        return v;
    }
    template <typename T> static std::optional<T> Take(std::deque<std::optional<T>>& q) {
        return Next(q, std::optional<T>{});
    }
    // A dialog: the scripted values go to out on OK.
    template <typename T, typename Out> static bool Answer(std::deque<std::optional<T>>& q, Out&& out) {
        const std::optional<T> a = Take(q);
        if (a) out = *a;
        return a.has_value();
    }
};
