// The folders of src/ are layers: a file includes only from its own folder and the
// folders below it, and only the Qt side includes Qt. The order comes from the
// build (src/CMakeLists.txt), where it is written once.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Layers() {
    std::istringstream in(TARVIK_LAYERS);
    std::vector<std::string> names;
    for (std::string w; in >> w;) names.push_back(w);
    return names;
}

int RankOf(const std::vector<std::string>& layers, const std::string& folder) {
    for (size_t i = 0; i < layers.size(); ++i)
        if (layers[i] == folder) return static_cast<int>(i);
    return -1;
}

} // namespace

TEST(Layers, NoFileIncludesFromAFolderAboveItsOwn) {
    const std::vector<std::string> layers = Layers();
    const int firstQt = RankOf(layers, TARVIK_FIRST_QT_LAYER);
    ASSERT_GE(firstQt, 0);
    const fs::path src = fs::path(TARVIK_SOURCE_DIR) / "src";
    const std::regex local(R"re(^\s*#\s*include\s*"([A-Za-z_]+)/)re");
    const std::regex qt(R"re(^\s*#\s*include\s*[<"]Q)re");

    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (entry.is_directory()) {
            // Every folder has its place in the order.
            if (entry.path().parent_path() == src) {
                EXPECT_GE(RankOf(layers, entry.path().filename().string()), 0)
                    << "src/" << entry.path().filename().string() << " is not a layer";
            }
            continue;
        }
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        const std::string folder = fs::relative(entry.path(), src).begin()->string();
        const int own = RankOf(layers, folder);
        if (own < 0) continue; // reported with its folder
        ++files;
        std::ifstream in(entry.path());
        int lineNo = 0;
        for (std::string line; std::getline(in, line);) {
            ++lineNo;
            const std::string where = folder + "/" + entry.path().filename().string() + ":" +
                                      std::to_string(lineNo) + ": ";
            std::smatch m;
            if (std::regex_search(line, m, local)) {
                const int target = RankOf(layers, m[1]);
                EXPECT_GE(target, 0) << where << "includes from an unknown folder " << m[1];
                EXPECT_LE(target, own) << where << "includes from " << m[1] << ", a layer above";
            }
            if (own < firstQt) {
                EXPECT_FALSE(std::regex_search(line, qt)) << where << "includes Qt";
            }
        }
    }
    EXPECT_GT(files, 50); // the walk found the sources
}
