// The lithology library: the rock types lithology tracks draw, in the order of the
// library table's rows. The document owns one; tracks and choosers point to it.
#pragma once

#include "tracks/Lithology.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class kdManager;

class CLithArray {
public:
    // Appends one lithology per row of the table "Lithologies" of the table file,
    // their patterns read from the folder (a missing or unreadable bitmap gives a
    // white pattern). Nothing is added when the table is missing or empty.
    void Load(kdManager& in, const std::string& patternFolder);
    // Loads "lithologies.ini" and its "LithImages" folder from the first folder that
    // has the file; an empty library when none has. True when one was found.
    bool LoadFrom(const std::vector<std::string>& folders);

    // The first lithology with the id, or null.
    const CLithology* FindById(int id) const;
    // The id of the first lithology named exactly so (case matters), or -1.
    int FindIdByName(std::string_view name) const;
    // A pasted name: the whole text first, then its first word; 0 when neither is a
    // lithology of the library, the id that stands for anything not known.
    int IdForPastedName(std::string_view text) const;

    size_t size() const { return items.size(); }
    bool empty() const { return items.empty(); }
    const CLithology& operator[](size_t i) const { return *items[i]; }
    void Add(std::unique_ptr<CLithology> lith) { items.push_back(std::move(lith)); }
    void Clear() { items.clear(); }

private:
    std::vector<std::unique_ptr<CLithology>> items;
};

// Where the program looks for its library: beside the program, then the data folder
// of an installed program (<prefix>/share/tarvik beside <prefix>/bin).
std::vector<std::string> LithLibraryFolders();
