#include "support/ScriptedPlatform.h"



void CScriptedPlatform::Message(const std::string& text, MsgIcon) { messages.push_back(text); }

bool CScriptedPlatform::AskOkCancel(const std::string& text) {
    questions.push_back(text);
    return Next(okAnswers, true);
}

void CScriptedPlatform::BeginProgress(const std::string&, int, int, int) {
    progressOpen = true;
    steps = 0;
}

int CScriptedPlatform::EditTrackProperties(CTrack&) { return Next(propertiesAnswers, 0); }

bool CScriptedPlatform::SetClipboardText(const std::string& text) {
    if (clipboardRefuses) return false;
    clipboard = text;
    return true;
}

std::optional<std::string> CScriptedPlatform::AskOpenFileName(const std::string&,
                                                              const std::string&) {
    return Next(fileAnswers, std::optional<std::string>{});
}

int CScriptedPlatform::ChooseFromList(const std::string&, const std::string&,
                                      const std::vector<std::string>&) {
    return Next(listAnswers, -1);
}

std::optional<std::vector<int>> CScriptedPlatform::AskCurvesToImport(const std::vector<std::string>& entries) {
    curveEntries = entries;
    return Next(curveAnswers, std::optional<std::vector<int>>(std::vector<int>(entries.size(), 1)));
}

bool CScriptedPlatform::EditWellOptions(CWellOptions& options) {
    const auto a = Take(wellAnswers);
    if (a) options = *a;
    return a.has_value();
}

bool CScriptedPlatform::EditLithLayer(float& top, float& bottom, int& lithId, const CLithArray&) {
    if (onLith) onLith(top);
    const auto a = Take(lithAnswers);
    if (a) top = a->top, bottom = a->bottom, lithId = a->lithId;
    return a.has_value();
}

bool CScriptedPlatform::EditStratTop(std::string& name, float& top, float& bottom, ColourRef& fill) {
    const auto a = Take(stratAnswers);
    if (a) name = a->name, top = a->top, bottom = a->bottom, fill = a->fill;
    return a.has_value();
}

bool CScriptedPlatform::AskFilterLength(int& length) {
    filterShown = length;
    const auto a = Take(filterAnswers);
    if (a) length = *a;
    return a.has_value();
}

bool CScriptedPlatform::AskValueOperation(int& code, float& value) {
    const auto a = Take(operationAnswers);
    if (a) code = a->code, value = a->value;
    return a.has_value();
}

bool CScriptedPlatform::AskMultiTrackOperation(const std::vector<std::string>& labels,
                                               CMultiTrackChoice& choice) {
    multiTrackLabels = labels;
    const auto a = Take(multiTrackAnswers);
    if (a) choice = *a;
    return a.has_value();
}

bool CScriptedPlatform::AskAsciiColumns(const std::vector<std::string>& names,
                                        CAsciiColumns& choice) {
    asciiNames = names;
    const auto a = Take(asciiAnswers);
    if (a) choice = *a;
    return a.has_value();
}

bool CScriptedPlatform::RenderPixels(const PageDrawing& draw, double scale, unsigned char* pixels,
                                     int width, int height) {
    ++renders;
    renderScale = scale;
    renderSize = {width, height};
    if (renderRefuses) return false;
    rendered.Clear();
    draw(rendered);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 4;
            p[0] = static_cast<unsigned char>(y), p[1] = static_cast<unsigned char>(x), p[2] = 0x80;
        }
    return true;
}

bool CScriptedPlatform::SetClipboardPicture(const CClipboardPicture& picture) {
    clipboardPicture = picture;
    clipboardPicture->draw = nullptr; // it draws a view that may be gone
    return !clipboardRefuses;
}

bool CScriptedPlatform::SetClipboardBitmap(const unsigned char* pixels, int width, int height) {
    clipboardBitmap.assign(pixels, pixels + static_cast<size_t>(width) * height * 4);
    clipboardBitmapSize = {width, height};
    return !clipboardRefuses;
}

std::optional<CExportFileChoice> CScriptedPlatform::AskExportFileName(const std::string&,
                                                                     const std::string&,
                                                                     const std::string&) {
    return Take(exportAnswers);
}

std::optional<int> CScriptedPlatform::AskBitmapDpi(int proposed, float screenDpi, CSize base) {
    dpiShown = DpiShown{proposed, screenDpi, base};
    return Take(dpiAnswers);
}
