// Save Image as, Copy and Copy high rez image, with the platform's answers scripted
// and its bitmaps painted in a pattern that shows the rows' order.
#include "view/ImageExport.h"

#include "doc/TarvikDoc.h"
#include "exchange/DibImage.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"
#include "tracks/LogTrack.h"
#include "view/TarvikView.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct ImageExportFixture : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform};
    CTarvikView view{doc};
    CTempDir temp;

    void SetUp() override {
        // One track of 1 in at the left margin: 48 to 144 at 96 dpi, plot 96 to 960.
        auto log = std::make_unique<CLogTrack>();
        log->width = 1.0f;
        log->values.assign(10, 5.0f);
        log->count = 10;
        doc.BindToDepthAxis(*log, kMeters);
        doc.tracks.push_back(std::move(log));
        view.SetResolution(96, 96);
    }
    std::string Path(const char* name) const { return (temp.path / name).string(); }
    void Save(const std::string& path, int type, std::optional<int> dpi) {
        platform.exportAnswers.push_back(CExportFileChoice{path, type});
        platform.dpiAnswers.push_back(dpi);
        OnSaveImageAs(view);
    }
};

} // namespace

TEST_F(ImageExportFixture, SaveImageAsRendersTheTracksAtTheDpi) {
    Save(Path("plot.bmp"), 1, 300);
    // The dialog proposes the screen's dpi. 300 dpi on a 96 dpi screen: enlarged by
    // 3.125, the extent and margin truncated.
    EXPECT_EQ(platform.dpiProposed, 96);
    EXPECT_DOUBLE_EQ(platform.renderScale, 3.125);
    EXPECT_EQ(platform.renderSize, (CSize{512, 3062}));

    // The BMP layout is ImageWritersTest's; here, the size, resolution and rows given it.
    const std::string bmp = ReadFileText(Path("plot.bmp"));
    ASSERT_EQ(bmp.size(), 54u + 512u * 3062u * 4u);
    EXPECT_EQ(bmp.substr(38, 4), std::string("\x23\x2E\0\0", 4)); // 300 dpi as 11811 pixels per metre
    // Stored bottom-up: the first row in the file is the picture's last.
    EXPECT_EQ(static_cast<unsigned char>(bmp[54]), 3061 % 256);
    EXPECT_EQ(static_cast<unsigned char>(bmp[bmp.size() - 4]), 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ImageExportFixture, MetafilesFailuresAndTheClipboard) {
    // A metafile asks for no resolution and renders no bitmap.
    platform.exportAnswers.push_back(CExportFileChoice{Path("plot.emf"), 4});
    OnSaveImageAs(view);
    EXPECT_FALSE(platform.dpiProposed);
    EXPECT_EQ(platform.renders, 0);
    EXPECT_EQ(ReadFileText(Path("plot.emf")).substr(40, 4), " EMF");

    // A picture that cannot be made and a file that cannot be written each say so.
    platform.renderRefuses = true;
    Save(Path("x.tif"), 5, 96);
    platform.renderRefuses = false;
    Save(Path("no/dir/x.png"), 3, 96);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0], "Failed to create image. Maybe out of memory?");
    EXPECT_FALSE(fs::exists(Path("x.tif")));

    // A picture too large to hold is refused before any memory is taken for it.
    CDIBImage image;
    std::string error;
    EXPECT_FALSE(RenderPageBitmap(view, platform, 200.0, image, error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;

    // Copy high rez image: rows top first, as the clipboard takes them.
    platform.dpiAnswers.push_back(192);
    OnCopyHighRezImage(view);
    EXPECT_EQ(platform.clipboardBitmapSize, (CSize{328, 1960}));
    EXPECT_EQ(platform.clipboardBitmap[0], 0);
    EXPECT_EQ(platform.clipboardBitmap[static_cast<size_t>(1959) * 328 * 4], 1959 % 256);

    // Copy: the page as a metafile, with a PNG of the same page at one to one.
    OnCopyPicture(view);
    ASSERT_TRUE(platform.clipboardPicture);
    const CRect& page = view.PageRect();
    EXPECT_EQ(platform.clipboardPicture->page, (CSize{page.Width(), page.Height()}));
    EXPECT_EQ(platform.renderSize, platform.clipboardPicture->page);
    EXPECT_EQ(platform.clipboardPicture->emf.substr(40, 4), " EMF");
    EXPECT_EQ(platform.clipboardPicture->png.substr(1, 3), "PNG");
}
