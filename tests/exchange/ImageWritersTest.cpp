// The bitmap of the plot and its writers, read back with the libraries' own readers.
// Which format a name asks for is ExportTest's, the export dialog's type ImageDialogsTest's.
#include "exchange/BmpWriter.h"
#include "exchange/DibImage.h"
#include "exchange/ImageFormats.h"
#include "exchange/JpegWriter.h"
#include "exchange/PngWriter.h"
#include "exchange/TiffWriter.h"
#include "support/TestFiles.h"

#include <jpeglib.h>
#include <tiffio.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// w x h pixels: the left half red, the right half blue, the bottom row green.
CDIBImage Picture(int w, int h, int bits) {
    CDIBImage image;
    EXPECT_TRUE(image.Create(w, h, bits));
    for (int y = 0; y < h; ++y) {
        // Rows are stored bottom-up: y counts from the top here.
        unsigned char* row = image.Bits() + static_cast<size_t>(h - 1 - y) * image.RowBytes();
        for (int x = 0; x < w; ++x) {
            unsigned char* p = row + static_cast<size_t>(x) * image.BytesPerPixel();
            const bool green = y == h - 1, red = x < w / 2;
            p[0] = green ? 0 : red ? 0 : 255;
            p[1] = green ? 255 : 0;
            p[2] = green ? 0 : red ? 255 : 0;
        }
    }
    return image;
}

// The RGB of (x, y), top row first, in rgb of width w.
std::array<int, 3> At(const std::vector<unsigned char>& rgb, int w, int x, int y) {
    const size_t i = (static_cast<size_t>(y) * w + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool Near(std::array<int, 3> a, std::array<int, 3> b) {
    return std::equal(a.begin(), a.end(), b.begin(), [](int x, int y) { return std::abs(x - y) <= 12; });
}

// What a JPEG's header says besides its pixels.
struct CJpegHeader {
    int densityUnit = -1, xDensity = 0;
    bool baseline = false;
};

std::vector<unsigned char> ReadJpeg(const fs::path& path, int& w, int& h, CJpegHeader& header) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return {};
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, f);
    jpeg_read_header(&d, TRUE);
    header.densityUnit = d.density_unit;
    header.xDensity = d.X_density;
    header.baseline = !d.progressive_mode && !d.arith_code && d.data_precision == 8;
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    w = static_cast<int>(d.output_width), h = static_cast<int>(d.output_height);
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
    while (d.output_scanline < d.output_height) {
        JSAMPROW row = rgb.data() + static_cast<size_t>(d.output_scanline) * w * 3;
        jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(f);
    return rgb;
}

} // namespace

TEST(DibImage, HeaderRowsAndBmp) {
    CDIBImage image;
    EXPECT_FALSE(image.Create(3, 2, 16));
    EXPECT_FALSE(image.Create(0, 2, 24));
    EXPECT_FALSE(image.Create(40000, 20000, 32)); // more than kMaxPixels
    ASSERT_TRUE(image.Create(3, 2, 32)); // the program makes 32-bit pictures only
    EXPECT_EQ(image.RowBytes(), 12u);

    // A 32-bit BMP has no colour table: its pixels start at 54. The order of its rows
    // is ImageExportTest's; the read-backs below hold the top row's place in memory.
    CTempDir dir;
    const fs::path bmp = dir.path / "x.bmp";
    ASSERT_TRUE(image.SaveBmp(bmp.string(), nullptr));
    const std::string b = ReadFileText(bmp);
    ASSERT_EQ(b.size(), 54u + 24u);
    const auto u32 = [&b](size_t at) {
        return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
               static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
               static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
               static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
    };
    // The "BM" and the width are ExportTest's.
    EXPECT_EQ(u32(2), 78u);  // file size
    EXPECT_EQ(u32(10), 54u); // pixel offset
    EXPECT_EQ(u32(14), 40u); // info header size
    EXPECT_EQ(u32(22), 2u);             // positive height: bottom-up rows
    EXPECT_EQ(u32(26), 1u | 32u << 16); // one plane, 32 bits
    EXPECT_EQ(u32(34), 24u);            // image size
    EXPECT_EQ(u32(38), 0u);             // no resolution was given
}

// The PNG's pixels are ExportTest's, read back by Qt.
TEST(DibImage, PngJpegAndTiffReadBackTopRowFirst) {
    CTempDir dir;
    CDIBImage image = Picture(16, 8, 32);
    image.SetDpi(150); // recorded in every file: 5906 pixels a metre
    std::string error;

    // The same bytes in memory, for the clipboard, as in the file.
    const fs::path png = dir.path / "x.png";
    ASSERT_TRUE(image.SavePng(png.string(), &error)) << error;
    std::string bytes;
    ASSERT_TRUE(EncodeImage(WritePng, image, bytes, &error)) << error;
    EXPECT_EQ(bytes, ReadFileText(png));
    const size_t phys = bytes.find("pHYs");
    ASSERT_NE(phys, std::string::npos);
    EXPECT_EQ(bytes.substr(phys + 4, 9), std::string("\0\0\x17\x12\0\0\x17\x12\x01", 9));

    const fs::path jpg = dir.path / "x.jpg";
    ASSERT_TRUE(image.SaveJpeg(jpg.string(), &error)) << error;
    CJpegHeader header;
    int w = 0, h = 0;
    const auto j = ReadJpeg(jpg, w, h, header);
    EXPECT_EQ(header.densityUnit, 1); // dots per inch
    EXPECT_EQ(header.xDensity, 150);
    EXPECT_TRUE(header.baseline);
    ASSERT_EQ(w, 16);
    ASSERT_EQ(h, 8);
    EXPECT_TRUE(Near(At(j, w, 1, 1), {255, 0, 0}));
    EXPECT_TRUE(Near(At(j, w, 14, 1), {0, 0, 255}));

    const fs::path tif = dir.path / "x.tif";
    ASSERT_TRUE(image.SaveTiff(tif.string(), &error)) << error;
    TIFF* t = TIFFOpen(tif.c_str(), "r");
    ASSERT_NE(t, nullptr);
    uint16_t photometric = 0, resUnit = 0;
    float xres = 0;
    TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetField(t, TIFFTAG_XRESOLUTION, &xres);
    TIFFGetField(t, TIFFTAG_RESOLUTIONUNIT, &resUnit);
    EXPECT_EQ(photometric, PHOTOMETRIC_RGB);
    EXPECT_EQ(xres, 150.0f);
    EXPECT_EQ(resUnit, RESUNIT_INCH);
    std::vector<unsigned char> row(16 * 3);
    ASSERT_EQ(TIFFReadScanline(t, row.data(), 0, 0), 1);
    EXPECT_EQ(At(row, 16, 0, 0), (std::array<int, 3>{255, 0, 0}));
    ASSERT_EQ(TIFFReadScanline(t, row.data(), 7, 0), 1);
    EXPECT_EQ(At(row, 16, 0, 0), (std::array<int, 3>{0, 255, 0}));
    TIFFClose(t);
}

// A folder that is not there is ImageExportTest's; that a failed write keeps the old
// file and leaves nothing beside it, ExportTest's and DocumentFileTest's.
TEST(DibImage, FailuresSayWhy) {
    CTempDir dir;
    std::string error;
    CDIBImage wide; // wider than JPEG can be
    ASSERT_TRUE(wide.Create(kMaxJpegSide + 1, 1, 32));
    EXPECT_EQ(WriteImageFile((dir.path / "wide.jpg").string(), WriteJpeg, wide, &error), WriteResult::Failed);
    EXPECT_NE(error.find("65500"), std::string::npos) << error;

    // A full disk, for each writer.
    const CDIBImage big = Picture(300, 300, 32);
    for (ImageWriter w : {WriteBmp, WriteJpeg, WritePng, WriteTiff}) {
        error.clear();
        EXPECT_NE(WriteImageFile("/dev/full", w, big, &error), WriteResult::Written);
        EXPECT_FALSE(error.empty());
    }
    std::string bytes;
    EXPECT_FALSE(EncodeImage(WriteBmp, CDIBImage(), bytes, &error));
}
