// The bitmap of the plot and its writers, read back with the libraries' own readers;
// the format table and the export dialog's type list.
#include "exchange/BmpWriter.h"
#include "exchange/DibImage.h"
#include "exchange/ImageFormats.h"
#include "exchange/JpegWriter.h"
#include "exchange/PngWriter.h"
#include "exchange/TiffWriter.h"
#include "support/TestFiles.h"

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <gtest/gtest.h>

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
    for (int k = 0; k < 3; ++k)
        if (std::abs(a[k] - b[k]) > 12) return false;
    return true;
}

std::vector<unsigned char> ReadPng(const fs::path& path, int& w, int& h) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    w = static_cast<int>(image.width), h = static_cast<int>(image.height);
    return rgb;
}

// What a JPEG's header says besides its pixels.
struct CJpegHeader {
    int densityUnit = -1, xDensity = 0, firstQuant = 0;
    bool baseline = false;
};

std::vector<unsigned char> ReadJpeg(const fs::path& path, int& w, int& h,
                                    CJpegHeader* header = nullptr) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return {};
    jpeg_decompress_struct d;
    jpeg_error_mgr err;
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, f);
    jpeg_read_header(&d, TRUE);
    if (header) {
        header->densityUnit = d.density_unit;
        header->xDensity = d.X_density;
        header->firstQuant = d.quant_tbl_ptrs[0] ? d.quant_tbl_ptrs[0]->quantval[0] : 0;
        header->baseline = !d.progressive_mode && !d.arith_code && d.data_precision == 8;
    }
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
    ASSERT_TRUE(image.Create(3, 2, 24));
    EXPECT_EQ(image.RowBytes(), 12u); // 9 bytes padded to 12
    ASSERT_TRUE(image.Create(3, 2, 32));
    EXPECT_EQ(image.RowBytes(), 12u);

    // A row of 1s above a row of 2s, stored bottom-up; flipping swaps them.
    std::fill(image.Bits(), image.Bits() + 12, 2);
    std::fill(image.Bits() + 12, image.Bits() + 24, 1);
    EXPECT_EQ(image.TopRow(0)[0], 1);
    image.FlipRows();
    EXPECT_EQ(image.TopRow(0)[0], 2);
    image.FlipRows();

    // A 32-bit BMP has no colour table: its pixels start at 54.
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
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(u32(2), 78u);  // file size
    EXPECT_EQ(u32(10), 54u); // pixel offset
    EXPECT_EQ(u32(14), 40u); // info header size
    EXPECT_EQ(u32(18), 3u);
    EXPECT_EQ(u32(22), 2u);             // positive height: bottom-up rows
    EXPECT_EQ(u32(26), 1u | 32u << 16); // one plane, 32 bits
    EXPECT_EQ(u32(34), 24u);            // image size
    EXPECT_EQ(u32(38), 0u);             // no resolution was given
    EXPECT_EQ(b[54], 2);                // the bottom row first
    EXPECT_EQ(b[54 + 12], 1);
}

TEST(DibImage, PngJpegAndTiffReadBackTopRowFirst) {
    CTempDir dir;
    for (int bits : {24, 32}) {
        CDIBImage image = Picture(16, 8, bits);
        image.SetDpi(150); // recorded in every file: 5906 pixels a metre
        std::string error;
        int w = 0, h = 0;

        const fs::path png = dir.path / "x.png";
        ASSERT_TRUE(image.SavePng(png.string(), &error)) << error;
        const auto p = ReadPng(png, w, h);
        ASSERT_EQ(w, 16);
        ASSERT_EQ(h, 8);
        EXPECT_EQ(At(p, w, 0, 0), (std::array<int, 3>{255, 0, 0})) << bits;
        EXPECT_EQ(At(p, w, 15, 0), (std::array<int, 3>{0, 0, 255})) << bits;
        EXPECT_EQ(At(p, w, 3, 7), (std::array<int, 3>{0, 255, 0})) << bits;
        // The same bytes in memory, for the clipboard.
        std::string bytes;
        ASSERT_TRUE(EncodeImage(WritePng, image, bytes, &error)) << error;
        EXPECT_EQ(bytes, ReadFileText(png));
        const size_t phys = bytes.find("pHYs");
        ASSERT_NE(phys, std::string::npos);
        EXPECT_EQ(bytes.substr(phys + 4, 9), std::string("\0\0\x17\x12\0\0\x17\x12\x01", 9));

        const fs::path jpg = dir.path / "x.jpg";
        ASSERT_TRUE(image.SaveJpeg(jpg.string(), &error)) << error;
        CJpegHeader header;
        const auto j = ReadJpeg(jpg, w, h, &header);
        EXPECT_EQ(header.densityUnit, 1); // dots per inch
        EXPECT_EQ(header.xDensity, 150);
        EXPECT_EQ(header.firstQuant, 8); // quality 75
        EXPECT_TRUE(header.baseline);
        ASSERT_EQ(w, 16);
        ASSERT_EQ(h, 8);
        EXPECT_TRUE(Near(At(j, w, 1, 1), {255, 0, 0})) << bits;
        EXPECT_TRUE(Near(At(j, w, 14, 1), {0, 0, 255})) << bits;

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
}

TEST(DibImage, FailuresSayWhyAndKeepTheOldFile) {
    CTempDir dir;
    std::string error;
    EXPECT_EQ(WriteImageFile((dir.path / "no/such/x.bmp").string(), WriteBmp, Picture(4, 4, 32), &error),
              WriteResult::CannotOpen);
    EXPECT_FALSE(error.empty());
    // JPEG cannot be this wide; the old file stays and nothing is left beside it.
    const fs::path old = dir.path / "old.jpg";
    WriteFileText(old, "the old picture");
    CDIBImage wide;
    ASSERT_TRUE(wide.Create(kMaxJpegSide + 1, 1, 24));
    EXPECT_EQ(WriteImageFile(old.string(), WriteJpeg, wide, &error), WriteResult::Failed);
    EXPECT_NE(error.find("65500"), std::string::npos) << error;
    EXPECT_EQ(ReadFileText(old), "the old picture");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);

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

TEST(ImageFormats, TableAndTypeList) {
    ASSERT_NE(FindImageFormat("/a/b/Plot.JPG"), nullptr);
    EXPECT_EQ(FindImageFormat("plot.jpg")->write, FindImageFormat("plot.jpeg")->write);
    EXPECT_EQ(FindImageFormat("plot.emf")->kind, ImageKind::Metafile);
    EXPECT_EQ(FindImageFormat("plot.gif"), nullptr);
    EXPECT_EQ(FindImageFormat("plot"), nullptr);

    const std::vector<CFileType> types = ParseFileTypes(kSaveImageTypes);
    EXPECT_EQ(FileTypeOfName("Pelorin.bmp", types), 0);
    EXPECT_EQ(FileTypeOfName("/x/plot.v2.PNG", types), 2); // the name's own extension
    EXPECT_EQ(FileTypeOfName("/x.png/plot", types), -1);

    std::string many;
    for (int i = 0; i < 30; ++i)
        many += "T (*.t" + std::to_string(i) + ")|";
    EXPECT_EQ(ParseFileTypes(many).size(), 20u);
}
