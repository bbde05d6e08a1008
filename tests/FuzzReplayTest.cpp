// Every input the fuzzers were seeded with or once failed on, through the same
// entries, in the ordinary build: a crash, a sanitizer report or a hang found once
// stays fixed.
#include "FuzzEntries.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Runs every file of the folders through the entry; gives how many there were.
int Replay(int (*entry)(const uint8_t*, size_t), std::initializer_list<fs::path> folders) {
    int files = 0;
    for (const fs::path& folder : folders) {
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
        if (!fs::is_directory(folder)) continue;
        for (const auto& e : fs::directory_iterator(folder)) {
            if (!e.is_regular_file() || e.path().filename() == "README.md") continue;
            const std::string bytes = ReadFileText(e.path());
            const auto begin = std::chrono::steady_clock::now();
            entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            const auto took = std::chrono::steady_clock::now() - begin;
            // A hang would stop the suite; this says which input came near one.
            EXPECT_LT(took, std::chrono::seconds(10)) << e.path();
            ++files;
        }
    }
    return files;
}

const fs::path kFuzz = fs::path(TARVIK_SOURCE_DIR) / "fuzz";

} // namespace

TEST(FuzzReplay, Documents) {
    EXPECT_GT(Replay(FuzzDocument, {kFuzz / "corpus/document", kFuzz / "regressions/document"}), 2);
}

TEST(FuzzReplay, PatternBitmaps) {
    EXPECT_GT(Replay(FuzzBmp, {fs::path(TARVIK_SOURCE_DIR) / "data/LithImages", kFuzz / "regressions/bmp"}), 30);
}

TEST(FuzzReplay, LasFiles) {
    EXPECT_GT(Replay(FuzzLas, {fs::path(TARVIK_TEST_DATA) / "las", kFuzz / "regressions/las"}), 18);
}

TEST(FuzzReplay, AsciiFiles) {
    EXPECT_GT(Replay(FuzzAscii, {kFuzz / "corpus/ascii", kFuzz / "regressions/ascii"}), 2);
}

TEST(FuzzReplay, ClipboardTables) {
    EXPECT_GT(Replay(FuzzTablePaste, {kFuzz / "corpus/table", kFuzz / "regressions/table"}), 3);
}
