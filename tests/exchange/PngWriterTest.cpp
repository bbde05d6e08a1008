#include "exchange/PngWriter.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::filesystem::path TempPath(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string("tarvik-png-") + std::to_string(::getpid()) + "-" + name);
}

struct CReadBack {
    bool ok = false;
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

CReadBack Read(const std::filesystem::path& path) {
    CReadBack out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
    image.format = PNG_FORMAT_RGB;
    out.width = image.width;
    out.height = image.height;
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    out.ok = png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
    return out;
}

} // namespace

TEST(PngWriter, WritesRgbAndBgrRowsTopFirst) {
    // 3 x 2 pixels, rows padded to 12 bytes as a bitmap's are.
    const std::vector<unsigned char> rows = {
        255, 0,  0,  0,  255, 0,  0,   0,   255, 9, 9, 9, //
        10,  20, 30, 40, 50,  60, 200, 210, 220, 9, 9, 9,
    };
    const auto rgbPath = TempPath("rgb.png"), bgrPath = TempPath("bgr.png");
    std::string error;
    ASSERT_TRUE(WritePng(rgbPath, 3, 2, rows.data(), 12, false, &error)) << error;
    ASSERT_TRUE(WritePng(bgrPath, 3, 2, rows.data(), 12, true, &error)) << error;

    const CReadBack rgb = Read(rgbPath), bgr = Read(bgrPath);
    ASSERT_TRUE(rgb.ok);
    ASSERT_TRUE(bgr.ok);
    const std::vector<unsigned char> asRgb = {255, 0,  0,  0,  255, 0,  0,   0,   255,
                                              10,  20, 30, 40, 50,  60, 200, 210, 220};
    const std::vector<unsigned char> asBgr = {0,  0,  255, 0,  255, 0,  255, 0,   0,
                                              30, 20, 10,  60, 50,  40, 220, 210, 200};
    EXPECT_EQ(rgb.rgb, asRgb);
    EXPECT_EQ(bgr.rgb, asBgr);
    std::filesystem::remove(rgbPath);
    std::filesystem::remove(bgrPath);
}

TEST(PngWriter, FailuresSayWhy) {
    const unsigned char pixel[3] = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(WritePng("/nonexistent-dir/x.png", 1, 1, pixel, 3, false, &error));
    EXPECT_NE(error.find("/nonexistent-dir/x.png"), std::string::npos) << error;

    const auto path = TempPath("bad.png");
    for (auto [w, h] : {std::pair{0, 1}, {-5, 5}, {2000000, 1}}) {
        error.clear();
        EXPECT_FALSE(WritePng(path, w, h, pixel, 3, false, &error)) << w << "x" << h;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(WritePng(path, 2, 1, pixel, 3, false, &error)); // rows too short
    EXPECT_FALSE(std::filesystem::exists(path));                 // rejected before opening anything

    // A full disk shows only when the buffers are written out.
    if (std::filesystem::exists("/dev/full")) {
        std::vector<unsigned char> big(300 * 300 * 3, 7);
        error.clear();
        EXPECT_FALSE(WritePng("/dev/full", 300, 300, big.data(), 900, false, &error));
        EXPECT_FALSE(error.empty());
    }
}
