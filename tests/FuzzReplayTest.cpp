// Every input the fuzzers were seeded with or once failed on, through the same
// entries, in the ordinary build: a crash, a sanitizer report or a hang found once
// stays fixed.
#include "FuzzEntries.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

TEST(FuzzReplay, EverySeedAndRegression) {
    const fs::path source(TARVIK_SOURCE_DIR), fuzz = source / "fuzz";
    const struct {
        int (*entry)(const uint8_t*, size_t);
        fs::path seeds, regressions;
        int atLeast; // files in both folders, so that a folder emptied by mistake shows
    } targets[] = {
        {FuzzDocument, fuzz / "corpus/document", fuzz / "regressions/document", 3},
        {FuzzBmp, source / "data/LithImages", fuzz / "regressions/bmp", 31},
        {FuzzLas, fs::path(TARVIK_TEST_DATA) / "las", fuzz / "regressions/las", 19},
        {FuzzAscii, fuzz / "corpus/ascii", fuzz / "regressions/ascii", 3},
        {FuzzTablePaste, fuzz / "corpus/table", fuzz / "regressions/table", 4},
    };
    for (const auto& t : targets) {
        SCOPED_TRACE(t.regressions.string());
        int files = 0;
        for (const fs::path& folder : {t.seeds, t.regressions}) {
            ASSERT_TRUE(fs::is_directory(folder)) << folder;
            for (const auto& e : fs::directory_iterator(folder)) {
                if (!e.is_regular_file() || e.path().filename() == "README.md") continue;
                const std::string bytes = ReadFileText(e.path());
                const auto begin = std::chrono::steady_clock::now();
                t.entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
                // A hang would stop the suite; this says which input came near one.
                EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(10)) << e.path();
                ++files;
            }
        }
        EXPECT_GE(files, t.atLeast);
    }
}
