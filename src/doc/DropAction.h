#pragma once

#include <string>
#include <vector>

// What files dropped on the main window ask for.
enum class DropAction { Nothing, TooMany, ImportLas, OpenDocument };

// One ".las" file (any case) is imported into the document; one ".tvk" file is
// opened; two or more are refused; anything else is ignored.
DropAction ClassifyDrop(const std::vector<std::string>& paths);
