// Tests of the BMP reader: pixel layouts, headers, stretching to tiles, and the
// damaged or unsupported files it refuses. Every file is built here byte by byte.
#include "gfx/BmpReader.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr ColourRef kWhite = MakeRGB(255, 255, 255);
constexpr ColourRef kBlack = MakeRGB(0, 0, 0);
constexpr ColourRef kRed = MakeRGB(255, 0, 0);
constexpr ColourRef kBlue = MakeRGB(0, 0, 255);

void Put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}

void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// Overwrites a 32-bit field of a built file.
void Poke32(Bytes& b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<unsigned char>(v >> (8 * i));
}

// The parts of a BMP file; Build() writes the headers, the palette and the rows.
struct BmpFile {
    uint32_t headerSize = 40; // 12 writes the core header
    int32_t width = 1;
    int32_t height = 1;
    uint32_t bits = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    std::vector<ColourRef> palette;  // 3 bytes an entry after a core header, else 4
    std::vector<uint32_t> masks;     // after the first 40 header bytes
    Bytes pixels;                    // exactly as stored, padding included
    std::optional<uint32_t> offBits; // default: right after the palette
    char magic[2] = {'B', 'M'};

    Bytes Build() const {
        Bytes info;
        Put32(info, headerSize);
        if (headerSize == 12) {
            Put16(info, static_cast<uint32_t>(width));
            Put16(info, static_cast<uint32_t>(height));
            Put16(info, 1);
            Put16(info, bits);
        } else {
            Put32(info, static_cast<uint32_t>(width));
            Put32(info, static_cast<uint32_t>(height));
            Put16(info, 1);
            Put16(info, bits);
            Put32(info, compression);
            Put32(info, static_cast<uint32_t>(pixels.size()));
            Put32(info, 2835);
            Put32(info, 2835);
            Put32(info, coloursUsed);
            Put32(info, 0);
            for (uint32_t m : masks)
                Put32(info, m);
            while (info.size() < headerSize)
                info.push_back(0);
        }
        for (ColourRef c : palette) {
            info.push_back(static_cast<unsigned char>(BlueOf(c)));
            info.push_back(static_cast<unsigned char>(GreenOf(c)));
            info.push_back(static_cast<unsigned char>(RedOf(c)));
            if (headerSize != 12) info.push_back(0);
        }
        const uint32_t off = offBits.value_or(static_cast<uint32_t>(14 + info.size()));
        Bytes file = {static_cast<unsigned char>(magic[0]), static_cast<unsigned char>(magic[1])};
        Put32(file, static_cast<uint32_t>(off + pixels.size()));
        Put32(file, 0);
        Put32(file, off);
        file.insert(file.end(), info.begin(), info.end());
        while (file.size() < off)
            file.push_back(0);
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

ColourRef At(const CBmpImage& im, int x, int y) {
    return im.pixels.at(static_cast<size_t>(y * im.width + x));
}

ColourRef At(const CPatternTile& t, int x, int y) {
    return t.at(static_cast<size_t>(y * 16 + x));
}

// A 24-bit image whose pixel (x, y) has red x and green y, stored bottom-up.
BmpFile Gradient(int width, int height) {
    BmpFile f;
    f.width = width;
    f.height = height;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            f.pixels.push_back(7);
            f.pixels.push_back(static_cast<unsigned char>(y));
            f.pixels.push_back(static_cast<unsigned char>(x));
        }
        while (f.pixels.size() % 4)
            f.pixels.push_back(0);
    }
    return f;
}

// A 4 x 2 8-bit image without row padding: any byte less is a damaged file.
BmpFile Small8Bit() {
    BmpFile f;
    f.width = 4;
    f.height = 2;
    f.bits = 8;
    f.coloursUsed = 2;
    f.palette = {kRed, kBlue};
    f.pixels = {0, 1, 0, 1, 1, 0, 1, 0};
    return f;
}

} // namespace

// An 8 x 8 two-colour picture, lit where x < y counted from the top: stretched to the
// tile each pixel covers 2 x 2, and the file's first row is the picture's bottom.
TEST(BmpReader, OneBitPictureStretchesEachPixelToTwoByTwo) {
    BmpFile f;
    f.width = 8;
    f.height = 8;
    f.bits = 1;
    f.palette = {kRed, kBlue};
    const unsigned char topDown[8] = {0x00, 0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE};
    for (int y = 7; y >= 0; --y)
        f.pixels.insert(f.pixels.end(), {topDown[y], 0xAA, 0x55, 0xAA});

    CBmpImage im;
    ASSERT_TRUE(Decode(f.Build(), im));
    ASSERT_EQ(im.width, 8);
    ASSERT_EQ(im.height, 8);
    const CPatternTile tile = StretchToTile(im);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const ColourRef want = x / 2 < y / 2 ? kBlue : kRed;
            ASSERT_EQ(At(tile, x, y), want) << x << "," << y;
        }
}

// An index past the palette the file declares is black, whether the palette is cut
// by the count of colours used or not; a count above 2^bits means 2^bits.
TEST(BmpReader, PaletteIndexPastThePaletteIsBlack) {
    BmpFile f = Small8Bit();
    f.pixels = {1, 1, 1, 1, 0, 1, 2, 255}; // the second row is the top one
    CBmpImage im;
    ASSERT_TRUE(Decode(f.Build(), im));
    EXPECT_EQ(im.pixels,
              (std::vector<ColourRef>{kRed, kBlue, kBlack, kBlack, kBlue, kBlue, kBlue, kBlue}));

    BmpFile one;
    one.width = 2;
    one.bits = 1;
    one.coloursUsed = 0xFFFFFFFF;
    one.palette = {kBlue, kRed};
    one.pixels = {0x40, 0, 0, 0};
    ASSERT_TRUE(Decode(one.Build(), im));
    EXPECT_EQ(im.pixels, (std::vector<ColourRef>{kBlue, kRed}));
}

// 3 x 2 at 24 bits: BGR bytes, 3 padding bytes a row, bottom row first.
TEST(BmpReader, TwentyFourBitOddWidthIsPaddedBgrBottomUp) {
    BmpFile f;
    f.width = 3;
    f.height = 2;
    f.pixels = {// bottom row: blue, green, white, padding
                255, 0, 0, 0, 255, 0, 255, 255, 255, 0xEE, 0xEE, 0xEE,
                // top row: red, (1, 2, 3), black, padding
                0, 0, 255, 3, 2, 1, 0, 0, 0, 0xEE, 0xEE, 0xEE};
    CBmpImage im;
    ASSERT_TRUE(Decode(f.Build(), im));
    ASSERT_EQ(im.width, 3);
    EXPECT_EQ(im.pixels, (std::vector<ColourRef>{kRed, MakeRGB(1, 2, 3), kBlack, kBlue,
                                                 MakeRGB(0, 255, 0), kWhite}));

    // A writer that leaves out the last row's padding loses nothing we read.
    Bytes shortened = f.Build();
    shortened.resize(shortened.size() - 3);
    ASSERT_TRUE(Decode(shortened, im));
    EXPECT_EQ(At(im, 2, 0), kBlack);
}

// 32 bits a pixel, top-down, the fourth byte ignored; with bit masks in a 40-byte
// header, of any width.
TEST(BmpReader, ThirtyTwoBitTopDownAndBitMasks) {
    BmpFile f;
    f.width = 2;
    f.height = -2;
    f.bits = 32;
    f.pixels = {0, 0, 255, 0x80, 255, 0, 0, 0xFF, 3, 2, 1, 0, 255, 255, 255, 0x12};
    const std::vector<ColourRef> want = {kRed, kBlue, MakeRGB(1, 2, 3), kWhite};
    CBmpImage im;
    ASSERT_TRUE(Decode(f.Build(), im));
    EXPECT_EQ(im.height, 2);
    EXPECT_EQ(im.pixels, want);

    f.compression = 3;
    f.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    ASSERT_TRUE(Decode(f.Build(), im));
    EXPECT_EQ(im.pixels, want);
    // 5-6-5 in the low half: full channels of 5 and 6 bits are full channels of 8.
    f.masks = {0xF800, 0x07E0, 0x001F};
    f.pixels = {0, 0xF8, 0, 0, 0xE0, 0x07, 0xAB, 0xCD, 0x1F, 0, 0, 0, 0xFF, 0xFF, 0, 0};
    ASSERT_TRUE(Decode(f.Build(), im));
    EXPECT_EQ(im.pixels[0], MakeRGB(255, 0, 0));
    std::string why;
    f.masks = {0x00FF00FF, 0x0000FF00, 0x000000FF};
    EXPECT_FALSE(Decode(f.Build(), im, &why));
    EXPECT_NE(why.find("mask"), std::string::npos) << why;
    // Masks promised after a 40-byte header that the file ends before: the one pixel
    // sits where they would be.
    f.headerSize = 40;
    f.masks.clear();
    f.width = 1;
    f.height = 1;
    f.pixels = {1, 2, 3, 4};
    f.offBits = 54;
    EXPECT_FALSE(Decode(f.Build(), im, &why));
    EXPECT_NE(why.find("masks cut short"), std::string::npos) << why;
}

// The oldest header: 16-bit sizes, always bottom-up, palette entries of 3 bytes.
TEST(BmpReader, CoreHeader) {
    BmpFile f;
    f.headerSize = 12;
    f.width = 3;
    f.height = 2;
    f.bits = 4;
    for (unsigned i = 0; i < 16; ++i)
        f.palette.push_back(MakeRGB(i, 2 * i, 3 * i));
    f.pixels = {0x12, 0x30, 0, 0, 0xAB, 0xF0, 0, 0};
    CBmpImage im;
    ASSERT_TRUE(Decode(f.Build(), im));
    EXPECT_EQ(im.pixels,
              (std::vector<ColourRef>{MakeRGB(10, 20, 30), MakeRGB(11, 22, 33), MakeRGB(15, 30, 45),
                                      MakeRGB(1, 2, 3), MakeRGB(2, 4, 6), MakeRGB(3, 6, 9)}));

    // 65535 wide: the 16-bit width is not read as a negative one.
    BmpFile rgb;
    rgb.headerSize = 12;
    rgb.width = 0xFFFF;
    rgb.height = 1;
    rgb.pixels.assign(3 * 0xFFFF + 1, 9);
    ASSERT_TRUE(Decode(rgb.Build(), im));
    EXPECT_EQ(im.width, 0xFFFF);
    EXPECT_EQ(At(im, 0xFFFE, 0), MakeRGB(9, 9, 9));
}

// The same size is copied pixel for pixel, a single pixel fills the tile, and
// nothing usable gives white.
TEST(BmpReader, TilesFromImagesOfAnySize) {
    CBmpImage same{16, 16, {}};
    for (unsigned i = 0; i < 256; ++i)
        same.pixels.push_back(MakeRGB(i, 255 - i, 1));
    CPatternTile tile = StretchToTile(same);
    EXPECT_TRUE(std::equal(tile.begin(), tile.end(), same.pixels.begin()));

    tile = StretchToTile(CBmpImage{1, 1, {kBlue}});
    EXPECT_EQ(SolidTile(kBlue), tile);

    const CPatternTile white = SolidTile(kWhite);
    EXPECT_EQ(StretchToTile(CBmpImage{}), white);
    EXPECT_EQ(StretchToTile(CBmpImage{2, 2, {kRed, kRed, kRed}}), white);
    EXPECT_EQ(StretchToTile(CBmpImage{-1, -4, {kRed, kRed, kRed, kRed}}), white);
}

// A file cut anywhere, in its headers, palette or pixels, is refused and leaves the
// image empty; so are a wrong magic number and pixel data placed outside the file.
TEST(BmpReader, RefusesDamagedFiles) {
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
    EXPECT_FALSE(DecodeBmp(good.data(), 0, im));

    BmpFile f = Small8Bit();
    f.magic[0] = 'M';
    f.magic[1] = 'B';
    EXPECT_FALSE(Decode(f.Build(), im, &why));
    EXPECT_EQ(why, "not a BMP file");

    for (uint32_t off : {20u, 63u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
        Bytes b = good;
        Poke32(b, 10, off);
        EXPECT_FALSE(Decode(b, im)) << off;
    }

    // 256 colours (a count of 0) promised, two stored before the pixels.
    f = Small8Bit();
    f.coloursUsed = 0;
    EXPECT_FALSE(Decode(f.Build(), im, &why));
    EXPECT_NE(why.find("palette"), std::string::npos) << why;
}

TEST(BmpReader, RefusesCompressionAndUnsupportedFormats) {
    CBmpImage im;
    std::string why;
    const auto refusal = [&](const BmpFile& f) {
        why.clear();
        EXPECT_FALSE(Decode(f.Build(), im, &why));
        return why;
    };
    BmpFile f = Small8Bit();
    // 3 is bit masks, which 8 bits a pixel cannot have.
    const std::pair<uint32_t, const char*> compressions[] = {
        {1, "RLE"}, {2, "RLE"}, {3, ""}, {4, "JPEG"}, {5, "JPEG"}, {6, "compression"}};
    for (const auto& [c, reason] : compressions) {
        f.compression = c;
        EXPECT_NE(refusal(f).find(reason), std::string::npos) << c;
        EXPECT_FALSE(why.empty()) << c;
    }

    // Header sizes of no known version, written over a good file's.
    const Bytes good = Small8Bit().Build();
    for (uint32_t size : {0u, 16u, 41u, 64u, 0xFFFFFFFFu}) {
        Bytes b = good;
        Poke32(b, 14, size);
        EXPECT_FALSE(Decode(b, im, &why)) << size;
        EXPECT_EQ(why, "unknown BMP header") << size;
    }
}

// No pixels, negative widths, heights whose magnitude does not fit in 32 bits, and
// sizes too large to take are refused before anything is allocated or read.
TEST(BmpReader, RefusesZeroNegativeAndHugeSizes) {
    struct Size {
        int32_t width, height;
        const char* reason;
    };
    const Size sizes[] = {
        {0, 4, "width"},
        {4, 0, "height"},
        {-4, 2, "width"},
        {INT_MIN, 1, "width"},
        {1, INT_MIN, "large"},
        {INT_MAX, INT_MAX, "large"},
        {INT_MAX, INT_MIN, "large"},
        {4097, 4096, "large"},
        {65536, 65536, "large"},
        {4096, -4096, "cut short"}, // within the limit, but the file holds 8 bytes
    };
    for (const Size& s : sizes) {
        BmpFile f = Small8Bit();
        f.width = s.width;
        f.height = s.height;
        for (uint32_t bits : {1u, 8u, 24u, 32u}) {
            f.bits = bits;
            std::string why;
            CBmpImage im;
            EXPECT_FALSE(Decode(f.Build(), im, &why)) << s.width << "x" << s.height;
            EXPECT_NE(why.find(s.reason), std::string::npos)
                << s.width << "x" << s.height << ": " << why;
        }
    }
}

// A missing, empty, foreign or endless file gives a white tile and false; a real one
// its picture.
TEST(BmpReader, ReadBmpTileFromFiles) {
    CTempDir dir;
    const Bytes bytes = Gradient(16, 16).Build();
    WriteFileText(dir.path / "sand.bmp", std::string(bytes.begin(), bytes.end()));
    CPatternTile tile;
    ASSERT_TRUE(ReadBmpTile((dir.path / "sand.bmp").string(), tile));
    EXPECT_EQ(At(tile, 15, 3), MakeRGB(15, 3, 7));

    WriteFileText(dir.path / "notes.bmp", "BM this is text");
    WriteFileText(dir.path / "empty.bmp", "");
    for (const std::string& path :
         {(dir.path / "missing.bmp").string(), (dir.path / "notes.bmp").string(),
          (dir.path / "empty.bmp").string(), dir.path.string(), std::string("/dev/zero")}) {
        tile = SolidTile(kRed);
        EXPECT_FALSE(ReadBmpTile(path, tile)) << path;
        EXPECT_EQ(tile, SolidTile(kWhite)) << path;
    }
}
