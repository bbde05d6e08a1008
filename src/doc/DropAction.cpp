#include "doc/DropAction.h"

#include <cctype>

DropAction ClassifyDrop(const std::vector<std::string>& paths) {
    if (paths.size() >= 2) return DropAction::TooMany;
    if (paths.empty()) return DropAction::Nothing;
    const std::string& path = paths[0];
    if (path.size() < 4) return DropAction::Nothing;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (ext == ".LAS") return DropAction::ImportLas;
    if (ext == ".TVK") return DropAction::OpenDocument;
    return DropAction::Nothing;
}
