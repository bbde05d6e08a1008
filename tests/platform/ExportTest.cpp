#include "platform/Export.h"
#include "doc/TarvikDoc.h"
#include "gfx/ConsolePlatform.h"
#include "tracks/LogTrack.h"

#include <QImage>

#include "support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct ExportFixture : ::testing::Test {
    CConsolePlatform platform;
    CTarvikDoc doc{platform};
    CTempDir temp;
    fs::path dir = temp.path;

    void SetUp() override {
        // One track of 1 in at the left margin: 48 to 144 at 96 dpi, plot 96 to 960.
        auto log = std::make_unique<CLogTrack>();
        log->width = 1.0f;
        log->hAxis.Init(kAxisLinearH, 0, 100, 20, "GR");
        log->startdepth = 0;
        log->depthstep = 1;
        log->nullvalue = -999.25f;
        log->values.assign(4001, 50.0f); // a straight line down the middle
        log->count = 4001;
        log->linecolor = 0x0000FF; // red
        log->linewidth = 2;
        doc.BindToDepthAxis(*log, kMeters);
        doc.tracks.push_back(std::move(log));
    }
};

} // namespace

TEST_F(ExportFixture, PngHoldsTheTracksAtTheChosenScale) {
    // One sample between the rows the screen draws (it takes every 4th here): a
    // picture draws every sample, as a printer does, so the spike is in it.
    static_cast<CLogTrack&>(*doc.tracks[0]).values[2001] = 90.0f;
    const fs::path png = dir / "plot.png";
    std::string error;
    ASSERT_TRUE(ExportPage(doc, png.string(), 192, error)) << error;
    QImage image(QString::fromStdString(png.string()));
    // The tracks' extent plus 20, doubled.
    ASSERT_EQ(image.size(), QSize((144 + 20) * 2, (960 + 20) * 2));
    const auto red = [&image](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.red() > 200 && c.green() < 80 && c.blue() < 80;
    };
    EXPECT_TRUE(red(192, 1000)); // the curve at value 50: x = 96 page pixels
    EXPECT_EQ(image.pixelColor(150, 1000), QColor(Qt::white)); // left of the curve
    bool spike = false; // value 90 at x = 134 page pixels, depth 2001 near y = 528
    for (int y = 1030; y < 1080 && !spike; ++y) spike = red(266, y);
    EXPECT_TRUE(spike);
}

// Each extension gives its format, upper case too; what cannot be written is refused.
TEST_F(ExportFixture, EveryFormatAndItsRefusals) {
    std::string error;
    const std::pair<const char*, std::string> magic[] = {
        {"plot.jpg", "\xFF\xD8\xFF"}, {"plot.bmp", "BM"}, {"plot.TIFF", "II*"}, {"plot.PDF", "%PDF-"}};
    for (const auto& [name, head] : magic) {
        ASSERT_TRUE(ExportPage(doc, (dir / name).string(), 192, error)) << name << ": " << error;
        EXPECT_EQ(ReadFileText(dir / name).substr(0, head.size()), head) << name;
    }
    const std::string bmp = ReadFileText(dir / "plot.bmp");
    EXPECT_EQ(static_cast<unsigned char>(bmp[18]) | static_cast<unsigned char>(bmp[19]) << 8, (144 + 20) * 2);
    ASSERT_TRUE(ExportPage(doc, (dir / "plot.svg").string(), 96, error)) << error;
    const std::string svg = ReadFileText(dir / "plot.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("GR"), std::string::npos); // text stays text

    EXPECT_FALSE(ExportPage(doc, (dir / "plot.gif").string(), 96, error));
    EXPECT_NE(error.find(".gif"), std::string::npos) << error;
    EXPECT_NE(error.find(".emf"), std::string::npos) << error; // says what it can write
    EXPECT_FALSE(ExportPage(doc, (dir / "no/such/dir/plot.png").string(), 96, error));
    EXPECT_FALSE(error.empty());
    doc.tracks.clear();
    EXPECT_FALSE(ExportPage(doc, (dir / "empty.png").string(), 96, error));
}

// The command line exports without a display, at the --dpi given. A file that cannot
// be written to the end (the file-size limit of the shell stands in for a full disk)
// leaves the old file as it was and nothing beside it.
TEST_F(ExportFixture, CommandLineExportKeepsTheOldFileWhenItFails) {
    const fs::path tvk = dir / "one.tvk";
    ASSERT_TRUE(doc.OnSaveDocument(tvk.string()));
    std::string err;
    for (const char* name : {"old.png", "old.svg", "old.pdf"}) {
        const fs::path out = dir / name;
        WriteFileText(out, "the old picture");
        const std::string limited = "bash -c \"trap '' XFSZ; ulimit -f 2; exec " + std::string(TARVIK_BINARY) +
                                    " --export " + out.string() + " " + tvk.string() + "\"";
        EXPECT_NE(RunTarvik(limited, "", err), 0) << name;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(ReadFileText(out), "the old picture") << name;

        ASSERT_EQ(RunTarvik(TARVIK_BINARY, "--export " + out.string() + " --dpi 144 " + tvk.string(), err), 0) << err;
        EXPECT_EQ(err, "");
        EXPECT_GT(fs::file_size(out), 100u) << name;
    }
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 4); // one.tvk and the three pictures: no temporary file is left
    EXPECT_EQ(QImage(QString::fromStdString((dir / "old.png").string())).width(), (144 + 20) * 3 / 2);

    EXPECT_NE(RunTarvik(TARVIK_BINARY, "--export " + (dir / "x.png").string() + " --dpi abc " + tvk.string(), err), 0);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

// Qt's SVG writer drops texture brushes: the lithology patterns go in as pictures.
TEST(DemoPage, SvgHoldsThePatternsAsPictures) {
    CConsolePlatform platform;
    CTarvikDoc doc{platform};
    // The shipped library, which a test program has not beside it.
    ASSERT_TRUE(doc.lithLibrary.LoadFrom({std::string(TARVIK_SOURCE_DIR) + "/data/"}));
    ASSERT_TRUE(doc.OnOpenDocument(std::string(TARVIK_SOURCE_DIR) + "/data/demo.tvk"));
    CTempDir temp;
    std::string error;
    ASSERT_TRUE(ExportPage(doc, (temp.path / "demo.svg").string(), 96, error)) << error;
    EXPECT_NE(ReadFileText(temp.path / "demo.svg").find("<image"), std::string::npos);
}
