#pragma once

#include <string>
#include <vector>

// One lithology of the library: its id, name and pattern.
struct CLith {
    int id = 0;
    std::string name;
};

// The document's lithology library, shared by all lithology tracks.
using CLithArray = std::vector<CLith>;
