#include "doc/DropAction.h"

#include "base/FileIO.h"

DropAction ClassifyDrop(const std::vector<std::string>& paths) {
    if (paths.size() >= 2) return DropAction::TooMany;
    if (paths.empty()) return DropAction::Nothing;
    if (HasExtension(paths[0], ".las")) return DropAction::ImportLas;
    if (HasExtension(paths[0], ".tvk")) return DropAction::OpenDocument;
    return DropAction::Nothing;
}
