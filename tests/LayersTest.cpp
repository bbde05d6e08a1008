// The folders of src/ are layers: a file includes only from its own folder and the
// folders below it, and only the Qt side includes Qt. The order comes from the
// build (src/CMakeLists.txt), where it is written once.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

TEST(Layers, NoFileIncludesFromAFolderAboveItsOwn) {
    std::istringstream order(TARVIK_LAYERS);
    const std::vector<std::string> layers{std::istream_iterator<std::string>(order), {}};
    const auto rankOf = [&](const std::string& folder) {
        const auto at = std::find(layers.begin(), layers.end(), folder);
        return at == layers.end() ? -1 : static_cast<int>(at - layers.begin());
    };
    const int firstQt = rankOf(TARVIK_FIRST_QT_LAYER);
    ASSERT_GE(firstQt, 0);
    const fs::path src = fs::path(TARVIK_SOURCE_DIR) / "src";
    const std::regex local(R"re(^\s*#\s*include\s*"([A-Za-z_]+)/)re");
    const std::regex qt(R"re(^\s*#\s*include\s*[<"]Q)re");

    int files = 0;
    for (const auto& dir : fs::directory_iterator(src)) {
        if (!dir.is_directory()) continue;
        // Every folder has its place in the order.
        const int own = rankOf(dir.path().filename().string());
        EXPECT_GE(own, 0) << dir.path() << " is not a layer";
        if (own < 0) continue;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp") continue;
            ++files;
            std::ifstream in(entry.path());
            int lineNo = 0;
            for (std::string line; std::getline(in, line);) {
                ++lineNo;
                const std::string where =
                    fs::relative(entry.path(), src).string() + ":" + std::to_string(lineNo) + ": ";
                std::smatch m;
                if (std::regex_search(line, m, local)) {
                    const int target = rankOf(m[1]);
                    EXPECT_GE(target, 0) << where << "includes from an unknown folder " << m[1];
                    EXPECT_LE(target, own) << where << "includes from " << m[1] << ", a layer above";
                }
                EXPECT_FALSE(own < firstQt && std::regex_search(line, qt)) << where << "includes Qt";
            }
        }
    }
    EXPECT_GT(files, 50); // the walk found the sources
}
