#include "gfx/ConsolePlatform.h"

#include <string>

void CConsolePlatform::Message(const std::string& text, MsgIcon) {
    // Message texts may carry line breaks of their own; keep it one line.
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.pop_back();
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    std::fprintf(out, "tarvik: %s\n", line.c_str());
    ++messages;
}

bool CConsolePlatform::AskOkCancel(const std::string&) { return true; }
