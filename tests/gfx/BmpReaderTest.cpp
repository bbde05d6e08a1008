// Tests of the BMP reader: pixel layouts, headers, stretching to tiles, and the
// damaged or unsupported files it refuses. Every file is built here byte by byte.
#include "gfx/BmpReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
using Colours = std::vector<ColourRef>;

constexpr ColourRef kWhite = MakeRGB(255, 255, 255);
constexpr ColourRef kBlack = MakeRGB(0, 0, 0);
constexpr ColourRef kRed = MakeRGB(255, 0, 0);
constexpr ColourRef kBlue = MakeRGB(0, 0, 255);

// Writes (or, from `at`, overwrites) a little-endian field of n bytes.
void Put(Bytes& b, uint32_t v, int n = 4, std::optional<size_t> at = {}) {
    for (int i = 0; i < n; ++i) {
        const auto byte = static_cast<unsigned char>(v >> (8 * i));
        if (at) b.at(*at + static_cast<size_t>(i)) = byte; else b.push_back(byte);
    }
}

// The parts of a BMP file; Build() writes the headers, the palette and the rows.
struct BmpFile {
    uint32_t headerSize = 40; // 12 writes the core header
    int32_t width = 1;
    int32_t height = 1;
    uint32_t bits = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    Colours palette = {};               // 3 bytes an entry after a core header, else 4
    std::vector<uint32_t> masks = {};   // after the first 40 header bytes
    Bytes pixels = {};                // exactly as stored, padding included
    std::optional<uint32_t> offBits = {}; // default: right after the palette
    const char* magic = "BM";

    Bytes Build() const {
        const bool core = headerSize == 12;
        Bytes info;
        Put(info, headerSize);
        Put(info, static_cast<uint32_t>(width), core ? 2 : 4);
        Put(info, static_cast<uint32_t>(height), core ? 2 : 4);
        Put(info, 1, 2);
        Put(info, bits, 2);
        if (!core) {
            for (uint32_t v : {compression, static_cast<uint32_t>(pixels.size()), 2835u, 2835u,
                               coloursUsed, 0u})
                Put(info, v);
            for (uint32_t m : masks) Put(info, m);
            info.resize(std::max<size_t>(info.size(), headerSize));
        }
        for (ColourRef c : palette) // stored as blue, green, red
            Put(info, static_cast<uint32_t>(BlueOf(c) | GreenOf(c) << 8 | RedOf(c) << 16),
                core ? 3 : 4);
        const uint32_t off = offBits.value_or(static_cast<uint32_t>(14 + info.size()));
        Bytes file = {static_cast<unsigned char>(magic[0]), static_cast<unsigned char>(magic[1])};
        for (uint32_t v : {static_cast<uint32_t>(off + pixels.size()), 0u, off}) Put(file, v);
        file.insert(file.end(), info.begin(), info.end());
        file.resize(std::max<size_t>(file.size(), off));
        file.insert(file.end(), pixels.begin(), pixels.end());
        return file;
    }
};

// Decodes from a buffer of exactly the file's size, so that the address sanitizer
// sees any read past its end.
bool Decode(const Bytes& b, CBmpImage& image, std::string* why = nullptr) {
    const auto exact = std::make_unique<unsigned char[]>(b.size());
    std::copy(b.begin(), b.end(), exact.get());
    return DecodeBmp(exact.get(), b.size(), image, why);
}

// A 4 x 2 8-bit image without row padding: any byte less is a damaged file.
BmpFile Small8Bit() {
    return {.width = 4, .height = 2, .bits = 8, .coloursUsed = 2, .palette = {kRed, kBlue},
            .pixels = {0, 1, 0, 1, 1, 0, 1, 0}};
}

} // namespace

// Each layout read into rows from the top: bit depths, row order, padding, palettes
// and bit masks.
TEST(BmpReader, DecodesEveryLayout) {
    Colours core16;
    for (unsigned i = 0; i < 16; ++i) core16.push_back(MakeRGB(i, 2 * i, 3 * i));
    const Bytes bgr3x2 = {// bottom row: blue, green, white, padding
                          255, 0, 0, 0, 255, 0, 255, 255, 255, 0xEE, 0xEE, 0xEE,
                          // top row: red, (1, 2, 3), black, padding
                          0, 0, 255, 3, 2, 1, 0, 0, 0, 0xEE, 0xEE, 0xEE};
    const Colours bgr3x2Want = {kRed, MakeRGB(1, 2, 3), kBlack, kBlue, MakeRGB(0, 255, 0), kWhite};
    const Bytes argb = {0, 0, 255, 0x80, 255, 0, 0, 0xFF, 3, 2, 1, 0, 255, 255, 255, 0x12};
    const Colours argbWant = {kRed, kBlue, MakeRGB(1, 2, 3), kWhite};
    struct Case {
        const char* name;
        BmpFile file;
        Colours want;
        size_t cut = 0; // bytes cut off the built file's end
    };
    const Case cases[] = {
        // An index past the palette the file declares is black.
        {"8-bit, index past the palette",
         {.width = 4, .height = 2, .bits = 8, .coloursUsed = 2, .palette = {kRed, kBlue},
          .pixels = {1, 1, 1, 1, 0, 1, 2, 255}},
         {kRed, kBlue, kBlack, kBlack, kBlue, kBlue, kBlue, kBlue}},
        // A count of colours above 2^bits means 2^bits.
        {"1-bit, colour count too large",
         {.width = 2, .bits = 1, .coloursUsed = 0xFFFFFFFF, .palette = {kBlue, kRed},
          .pixels = {0x40, 0, 0, 0}},
         {kBlue, kRed}},
        // Odd width, padded BGR rows bottom-up; a writer that leaves out the last
        // row's padding loses nothing we read.
        {"24-bit odd width without the last padding", {.width = 3, .height = 2, .pixels = bgr3x2},
         bgr3x2Want, 3},
        // The fourth byte is ignored.
        {"32-bit top-down", {.width = 2, .height = -2, .bits = 32, .pixels = argb}, argbWant},
        {"32-bit bit masks",
         {.width = 2, .height = -2, .bits = 32, .compression = 3,
          .masks = {0x00FF0000, 0x0000FF00, 0x000000FF}, .pixels = argb},
         argbWant},
        // 5-6-5 in the low half: full channels of 5 and 6 bits are full channels of 8.
        {"32-bit 5-6-5 masks",
         {.width = 2, .height = -2, .bits = 32, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
          .pixels = {0, 0xF8, 0, 0, 0xE0, 0x07, 0xAB, 0xCD, 0x1F, 0, 0, 0, 0xFF, 0xFF, 0, 0}},
         {kRed, MakeRGB(0, 255, 0), kBlue, kWhite}},
        // The oldest header: 16-bit sizes, always bottom-up, palette entries of 3 bytes.
        {"core header, 4-bit",
         {.headerSize = 12, .width = 3, .height = 2, .bits = 4, .palette = core16,
          .pixels = {0x12, 0x30, 0, 0, 0xAB, 0xF0, 0, 0}},
         {core16[10], core16[11], core16[15], core16[1], core16[2], core16[3]}},
        // 65535 wide: the 16-bit width is not read as a negative one.
        {"core header, 65535 wide",
         {.headerSize = 12, .width = 0xFFFF, .pixels = Bytes(3 * 0xFFFF + 1, 9)},
         Colours(0xFFFF, MakeRGB(9, 9, 9))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes b = c.file.Build();
        b.resize(b.size() - c.cut);
        CBmpImage im;
        ASSERT_TRUE(Decode(b, im));
        EXPECT_EQ(im.width, c.file.width);
        EXPECT_EQ(im.height, std::abs(c.file.height));
        EXPECT_EQ(im.pixels, c.want);
    }
}

// An 8 x 8 two-colour picture, lit where x < y counted from the top: stretched to the
// tile each pixel covers 2 x 2, and the file's first row is the picture's bottom. The
// same size is copied pixel for pixel, a single pixel fills the tile, and nothing
// usable gives white.
TEST(BmpReader, TilesFromImagesOfAnySize) {
    BmpFile f{.width = 8, .height = 8, .bits = 1, .palette = {kRed, kBlue}};
    const unsigned char topDown[8] = {0x00, 0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE};
    for (int y = 7; y >= 0; --y) f.pixels.insert(f.pixels.end(), {topDown[y], 0xAA, 0x55, 0xAA});
    CBmpImage im;
    ASSERT_TRUE(Decode(f.Build(), im));
    const CPatternTile tile = StretchToTile(im);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(tile.at(static_cast<size_t>(y * 16 + x)), x / 2 < y / 2 ? kBlue : kRed)
                << x << "," << y;

    CBmpImage same{16, 16, {}};
    for (unsigned i = 0; i < 256; ++i) same.pixels.push_back(MakeRGB(i, 255 - i, 1));
    const CPatternTile copy = StretchToTile(same);
    EXPECT_TRUE(std::equal(copy.begin(), copy.end(), same.pixels.begin()));
    EXPECT_EQ(StretchToTile(CBmpImage{1, 1, {kBlue}}), SolidTile(kBlue));
    const CPatternTile white = SolidTile(kWhite);
    EXPECT_EQ(StretchToTile(CBmpImage{}), white);
    EXPECT_EQ(StretchToTile(CBmpImage{2, 2, {kRed, kRed, kRed}}), white);
    EXPECT_EQ(StretchToTile(CBmpImage{-1, -4, {kRed, kRed, kRed, kRed}}), white);
}

// A file cut anywhere, in its headers, palette or pixels, is refused and leaves the
// image empty.
TEST(BmpReader, RefusesFilesCutAnywhere) {
    const Bytes good = Small8Bit().Build();
    CBmpImage im;
    ASSERT_TRUE(Decode(good, im));
    std::string why;
    for (size_t n = 0; n < good.size(); ++n) {
        im = CBmpImage{1, 1, {kRed}};
        const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(Decode(cut, im, &why)) << n;
        EXPECT_FALSE(why.empty()) << n;
        EXPECT_TRUE(im.pixels.empty() && im.width == 0 && im.height == 0) << n;
    }
    Decode(Bytes(good.begin(), good.begin() + 30), im, &why);
    EXPECT_NE(why.find("header"), std::string::npos) << why;
    Decode(Bytes(good.begin(), good.end() - 1), im, &why);
    EXPECT_NE(why.find("pixel data"), std::string::npos) << why;
    EXPECT_FALSE(DecodeBmp(nullptr, 0, im, &why));
}

// Foreign, compressed, unsupported or inconsistent headers, and sizes that are zero,
// negative, beyond 32 bits or too large to take: refused before anything is
// allocated or read, with the reason, and the image left empty.
TEST(BmpReader, RefusesHostileHeaders) {
    struct Case {
        std::string name;
        Bytes file;
        std::string reason; // "" when any reason will do
    };
    std::vector<Case> cases;
    // The small 8-bit file, changed.
    const auto add = [&](std::string name, std::string reason, auto change) {
        BmpFile f = Small8Bit();
        change(f);
        cases.push_back({std::move(name), f.Build(), std::move(reason)});
    };
    const auto poked = [good = Small8Bit().Build()](size_t at, uint32_t v) {
        Bytes b = good;
        Put(b, v, 4, at);
        return b;
    };
    add("magic MB", "not a BMP file", [](BmpFile& f) { f.magic = "MB"; });
    // 256 colours (a count of 0) promised, two stored before the pixels.
    add("palette of 256 promised", "palette", [](BmpFile& f) { f.coloursUsed = 0; });
    // Compression 3 is bit masks, which 8 bits a pixel cannot have.
    const std::pair<uint32_t, const char*> compressions[] = {
        {1, "RLE"}, {2, "RLE"}, {3, "32 bits only"}, {4, "JPEG"}, {5, "JPEG"}, {6, "compression"}};
    for (const auto& [c, reason] : compressions)
        add("compression " + std::to_string(c), reason, [c](BmpFile& f) { f.compression = c; });
    add("2 bits", "bit count", [](BmpFile& f) { f.bits = 2; });
    add("16 bits", "16-bit", [](BmpFile& f) { f.bits = 16; });
    add("masks not contiguous", "mask", [](BmpFile& f) {
        f = {.width = 2, .height = -2, .bits = 32, .compression = 3,
             .masks = {0x00FF00FF, 0x0000FF00, 0x000000FF}, .pixels = Bytes(16, 0)};
    });
    // Masks promised after a 40-byte header that the file ends before: the one pixel
    // sits where they would be.
    add("masks cut short", "masks cut short", [](BmpFile& f) {
        f = {.bits = 32, .compression = 3, .pixels = {1, 2, 3, 4}, .offBits = 54};
    });
    // Header sizes of no known version, written over a good file's.
    for (uint32_t size : {0u, 16u, 41u, 64u, 0xFFFFFFFFu})
        cases.push_back({"header " + std::to_string(size), poked(14, size), "unknown BMP header"});
    // Pixel data placed inside the headers or outside the file.
    for (uint32_t off : {20u, 63u, 0xFFFFFFF0u, 0xFFFFFFFFu})
        cases.push_back({"pixels at " + std::to_string(off), poked(10, off), "pixel data"});
    const struct {
        int32_t width, height;
        const char* reason;
    } sizes[] = {
        {0, 4, "width"},           {4, 0, "height"},           {-4, 2, "width"},
        {INT_MIN, 1, "width"},     {1, INT_MIN, "large"},      {INT_MAX, INT_MAX, "large"},
        {INT_MAX, INT_MIN, "large"}, {4097, 4096, "large"},    {65536, 65536, "large"},
        {4096, -4096, "cut short"}, // within the limit, but the file holds 8 bytes
    };
    for (const auto& s : sizes)
        for (uint32_t bits : {1u, 8u, 24u, 32u})
            add(std::to_string(s.width) + "x" + std::to_string(s.height) + "x" +
                    std::to_string(bits), s.reason, [&](BmpFile& f) {
                f.width = s.width;
                f.height = s.height;
                f.bits = bits;
            });

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CBmpImage im{1, 1, {kRed}};
        std::string why;
        EXPECT_FALSE(Decode(c.file, im, &why));
        EXPECT_FALSE(why.empty());
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
        EXPECT_TRUE(im.pixels.empty() && im.width == 0 && im.height == 0);
    }
}
