#include "tracks/LithArray.h"

#include "base/FileIO.h"
#include "base/TextParse.h"
#include "base/kdManager.h"
#include "gfx/BmpReader.h"

#include <sys/stat.h>

void CLithology::DeriveCompaction() {
    const double ratio = static_cast<double>(phi0) / phiz;
    const double c = std::log(ratio) / 3000.0;
    compaction = ratio > 0 && std::isfinite(c) ? static_cast<float>(c) : 0.0f;
}

void CLithArray::Load(kdManager& in, const std::string& patternFolder) {
    if (!in.SelectTable("Lithologies")) return;
    const int rows = in.RowCount();
    for (int r = 0; r < rows; ++r) {
        auto lith = std::make_unique<CLithology>();
        in.GetCellString(r, "name", lith->name);
        in.GetCellString(r, "shortName", lith->shortName);
        in.GetCellInt(r, "id", lith->id);
        const struct {
            const char* column;
            float CLithology::*field;
        } floats[] = {
            {"phi0", &CLithology::phi0},   {"phiz", &CLithology::phiz},       {"perm0", &CLithology::perm0},
            {"permB", &CLithology::permB}, {"rebc", &CLithology::rebc},       {"density", &CLithology::density},
            {"tc", &CLithology::tc},       {"tcc", &CLithology::tcc},         {"hc", &CLithology::hc},
            {"rhp", &CLithology::rhp},     {"clay", &CLithology::clay},       {"gSize", &CLithology::gSize},
            {"sArea", &CLithology::sArea}, {"sorting", &CLithology::sorting},
        };
        for (const auto& f : floats) in.GetCellFloat(r, f.column, (*lith).*(f.field));
        in.GetCellString(r, "bmpfile", lith->bmpfile);
        auto tile = std::make_shared<CPatternTile>();
        ReadBmpTile(patternFolder + lith->bmpfile + ".bmp", *tile); // white when it cannot be read
        lith->pattern = std::move(tile);
        lith->DeriveCompaction();
        items.push_back(std::move(lith));
    }
}

bool CLithArray::LoadFrom(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        kdManager in;
        if (!in.ReadFile(folder + "lithologies.ini")) continue;
        Load(in, folder + "LithImages/");
        return true;
    }
    return false;
}

const CLithology* CLithArray::FindById(int id) const {
    for (const auto& l : items)
        if (l->id == id) return l.get();
    return nullptr;
}

int CLithArray::FindIdByName(std::string_view name) const {
    for (const auto& l : items)
        if (l->name == name) return l->id;
    return -1;
}

int CLithArray::IdForPastedName(std::string_view text) const {
    const std::string_view whole = TrimRight(TrimLeft(text));
    int id = FindIdByName(whole);
    if (id < 0) {
        size_t n = 0;
        while (n < whole.size() && !IsSpace(whole[n])) ++n;
        id = FindIdByName(whole.substr(0, n));
    }
    return id < 0 ? 0 : id;
}

std::vector<std::string> LithLibraryFolders() {
    const std::string here = ProgramFolder();
    if (here.empty()) return {};
    return {here, here + "../share/tarvik/"};
}
