#include "tracks/PasteTable.h"

bool ScanTableRows(std::string_view text,
                   const std::function<void(std::string_view first, std::string_view second)>& row) {
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::string field, first;
    field.reserve(kMaxPasteField);
    int fieldNo = 0;
    for (const char c : text) {
        if (c == '\t' || c == '\r') {
            if (fieldNo < 3) ++fieldNo;
            if (fieldNo == 1) first = field;
            if (fieldNo == 2) row(first, field);
            field.clear();
        } else if (c == '\n') {
            fieldNo = 0;
            field.clear();
        } else {
            field.push_back(c);
            if (field.size() >= kMaxPasteField) return false;
        }
    }
    return true;
}

std::optional<std::string> PasteText(IPlatformServices& platform, bool existing, const char* question) {
    std::optional<std::string> text = platform.GetClipboardText();
    if (!text) {
        platform.Message("No data to paste.");
        return std::nullopt;
    }
    if (existing && !platform.AskOkCancel(question)) return std::nullopt;
    return text;
}
