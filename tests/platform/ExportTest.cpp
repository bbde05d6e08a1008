#include "platform/Export.h"
#include "platform/PageRender.h"
#include "doc/TarvikDoc.h"
#include "gfx/ConsolePlatform.h"
#include "tracks/LogTrack.h"
#include "view/TarvikView.h"

#include <QImage>

#include "support/TestFiles.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

uint32_t U32At(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(k)]);
    return v;
}

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

TEST_F(ExportFixture, CommandLineExportsWithoutADisplay) {
    const fs::path tvk = dir / "one.tvk", png = dir / "one.png";
    ASSERT_TRUE(doc.OnSaveDocument(tvk.string()));
    std::string err;
    ASSERT_EQ(RunTarvik(TARVIK_BINARY, "--export " + png.string() + " --dpi 144 " + tvk.string(), err), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_EQ(QImage(QString::fromStdString(png.string())).width(), static_cast<int>((144 + 20) * 1.5));

    EXPECT_NE(RunTarvik(TARVIK_BINARY, "--export " + png.string() + " --dpi abc " + tvk.string(), err), 0);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

// A file that cannot be written to the end (the file-size limit of the shell stands
// in for a full disk) leaves the old file as it was and nothing beside it.
TEST_F(ExportFixture, AFailedExportKeepsTheOldFile) {
    const fs::path tvk = dir / "one.tvk";
    ASSERT_TRUE(doc.OnSaveDocument(tvk.string()));
    for (const char* name : {"old.png", "old.svg", "old.pdf"}) {
        const fs::path out = dir / name;
        WriteFileText(out, "the old picture");
        std::string err;
        const std::string limited = "bash -c \"trap '' XFSZ; ulimit -f 2; exec " + std::string(TARVIK_BINARY) +
                                    " --export " + out.string() + " " + tvk.string() + "\"";
        EXPECT_NE(RunTarvik(limited, "", err), 0) << name;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(ReadFileText(out), "the old picture") << name;

        ASSERT_EQ(RunTarvik(TARVIK_BINARY, "--export " + out.string() + " " + tvk.string(), err), 0) << err;
        EXPECT_GT(fs::file_size(out), 100u) << name;
    }
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++files;
    EXPECT_EQ(files, 4); // one.tvk and the three pictures: no temporary file is left
}

TEST(DemoPage, MetafileRecordsFrameAndSvgPatterns) {
    CConsolePlatform platform;
    CTarvikDoc doc{platform};
    // The shipped library, which a test program has not beside it.
    ASSERT_TRUE(doc.lithLibrary.LoadFrom({std::string(TARVIK_SOURCE_DIR) + "/data/"}));
    ASSERT_TRUE(doc.OnOpenDocument(std::string(TARVIK_SOURCE_DIR) + "/data/demo.tvk"));
    CTempDir temp;
    std::string error;
    for (const char* name : {"demo.emf", "demo.svg"})
        ASSERT_TRUE(ExportPage(doc, (temp.path / name).string(), 96, error)) << name << ": " << error;
    const std::string emf = ReadFileText(temp.path / "demo.emf");
    // Qt's SVG writer drops texture brushes: the lithology patterns go in as pictures.
    EXPECT_NE(ReadFileText(temp.path / "demo.svg").find("<image"), std::string::npos);

    // A whole page (the header and the records are EmfSurfaceTest's): records follow each
    // other exactly to the end record, and the clip is set per track.
    ASSERT_GE(emf.size(), 108u);
    size_t at = 0, clips = 0;
    uint32_t last = 0;
    while (at + 8 <= emf.size()) {
        const uint32_t type = U32At(emf, at), size = U32At(emf, at + 4);
        ASSERT_TRUE(size >= 8 && size % 4 == 0 && at + size <= emf.size()) << "record at " << at;
        clips += type == 30 || type == 75;
        last = type;
        at += size;
    }
    EXPECT_EQ(at, emf.size());
    EXPECT_EQ(last, 14u); // EMR_EOF
    EXPECT_GT(clips, 5u);

    // The frame is the whole page in hundredths of a millimetre at 96 dpi.
    CTarvikView view(doc);
    view.SetResolution(96, 96);
    view.RecalcLayout();
    const CRect page = view.PageRect();
    const auto hmm = [](int px) { return static_cast<uint32_t>(std::lround(px * 2540.0 / 96)); };
    EXPECT_NEAR(U32At(emf, 32) - U32At(emf, 24), hmm(page.Width()), 30u);
    EXPECT_NEAR(U32At(emf, 36) - U32At(emf, 28), hmm(page.Height()), 30u);
}
