#pragma once

#include "gfx/PlatformServices.h"

#include <cstdio>
#include <string>

// The platform of the headless command line: nobody to ask, so every question is
// answered OK and every message is one line on stderr.
// A message of several lines as one line, its lines joined by ": ".
std::string OneLine(const std::string& text);

class CConsolePlatform : public IPlatformServices {
public:
    explicit CConsolePlatform(std::FILE* out = stderr) : out(out) {}

    void Message(const std::string& text, MsgIcon icon) override;
    bool AskOkCancel(const std::string& text) override;
    int ChooseFromList(const std::string&, const std::string&,
                       const std::vector<std::string>& items) override {
        return items.empty() ? -1 : 0;
    }

    // Every column of an ASCII file, against the depth column and unit it was given.
    bool AskAsciiColumns(const std::vector<std::string>& names, CAsciiColumns& choice) override {
        choice.ticked.assign(names.size(), 1);
        return true;
    }

    int MessageCount() const { return messages; }

private:
    std::FILE* out;
    int messages = 0;
};
