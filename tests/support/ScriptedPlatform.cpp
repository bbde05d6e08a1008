#include "support/ScriptedPlatform.h"

#include <tuple>

template <typename T> static T Next(std::deque<T>& q, T fallback) {
    if (q.empty()) return fallback;
    T v = q.front();
    q.pop_front();
    return v;
}

void CScriptedPlatform::Message(const std::string& text, MsgIcon) { messages.push_back(text); }

bool CScriptedPlatform::AskOkCancel(const std::string& text) {
    questions.push_back(text);
    return Next(okAnswers, true);
}

void CScriptedPlatform::BeginProgress(const std::string& text, int, int upper, int) {
    progressText = text;
    progressOpen = true;
    progressUpper = upper;
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
                                      const std::vector<std::string>& items) {
    listItems = items;
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

bool CScriptedPlatform::EditInputMethod(int& inputMethod, int& confirmInput) {
    const auto a = Take(inputMethodAnswers);
    if (a) std::tie(inputMethod, confirmInput) = *a;
    return a.has_value();
}

bool CScriptedPlatform::EditLithLayer(float& top, float& bottom, int& lithId, const CLithArray&) {
    const auto a = Take(lithAnswers);
    if (a) top = a->top, bottom = a->bottom, lithId = a->lithId;
    return a.has_value();
}

bool CScriptedPlatform::EditStratTop(std::string& name, float& top, float& bottom, ColourRef& fill) {
    const auto a = Take(stratAnswers);
    if (a) name = a->name, top = a->top, bottom = a->bottom, fill = a->fill;
    return a.has_value();
}
