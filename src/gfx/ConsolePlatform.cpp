#include "gfx/ConsolePlatform.h"

#include <string>

std::string OneLine(const std::string& text) {
    // A message's own lines (what, then which file and why) become parts of one.
    std::string line;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view part(text.data() + start, end - start);
        while (!part.empty() && (part.back() == ' ' || part.back() == '\r')) part.remove_suffix(1);
        if (!part.empty()) line += (line.empty() ? "" : ": ") + std::string(part);
        start = end + 1;
    }
    return line;
}

void CConsolePlatform::Message(const std::string& text, MsgIcon) {
    std::fprintf(out, "tarvik: %s\n", OneLine(text).c_str());
    ++messages;
}

bool CConsolePlatform::AskOkCancel(const std::string&) { return true; }
