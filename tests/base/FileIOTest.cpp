#include "base/FileIO.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

bool WriteAll(const std::string& path, const std::string& text, std::string* why = nullptr) {
    CAtomicFile f;
    bool ok = f.Open(path);
    if (ok) {
        std::fputs(text.c_str(), f.File());
        ok = f.Commit();
    }
    if (why) *why = f.Error();
    return ok;
}

} // namespace

// Whatever the target is, writing it never leaves it other than a complete new
// file or as it was: a link keeps pointing at the file, a device is written and
// stays a device, a folder is refused.
TEST(AtomicFile, LinksDevicesAndFolders) {
    CTempDir dir;
    const fs::path real = dir.path / "real.tvk";
    const fs::path link = dir.path / "link.tvk";
    WriteFileText(real, "old");
    fs::create_symlink(real, link);
    ASSERT_TRUE(WriteAll(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileText(real), "new");

    EXPECT_TRUE(WriteAll("/dev/null", "gone"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    std::string why;
    EXPECT_FALSE(WriteAll("/dev/full", std::string(1 << 16, 'x'), &why));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_NE(why.find("space"), std::string::npos) << why;

    EXPECT_FALSE(WriteAll(dir.path.string(), "x", &why));
    EXPECT_EQ(why, "it is a folder");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 2);
}
