// Decoding of uncompressed BMP files into colours, and their fitting to the 16 x 16
// tiles pattern brushes take. Every field is read byte by byte and every offset is
// checked against the buffer first: pattern files come with documents from anywhere.
#include "gfx/BmpReader.h"

#include "base/FileIO.h"

#include <bit>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
// Where the three colour masks sit, from the start of the file: right after the
// 40-byte header, inside the longer headers and after the short one alike.
constexpr uint64_t kMasksAt = kFileHeaderSize + kInfoHeaderSize;

// Compression values of the info header.
enum : uint32_t {
    kBiRgb = 0,
    kBiRle8 = 1,
    kBiRle4 = 2,
    kBiBitfields = 3,
    kBiJpeg = 4,
    kBiPng = 5,
};

constexpr ColourRef kWhite = MakeRGB(255, 255, 255);

// A file larger than the largest image we take, with room for headers and palette,
// is not read at all.
constexpr uint64_t kMaxFileBytes = 4 * kMaxBmpPixels + (1 << 20);

uint32_t U16(const unsigned char* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8;
}

uint32_t U32(const unsigned char* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// A signed 32-bit field, widened so that negating it cannot overflow.
int64_t S32(const unsigned char* p) {
    const uint32_t v = U32(p);
    return v < 0x80000000u ? int64_t{v} : int64_t{v} - (int64_t{1} << 32);
}

bool Fail(std::string* why, const char* reason) {
    if (why) *why = reason;
    return false;
}

// One colour channel of a 32-bit pixel, given by its mask; a value of any width is
// scaled to 0..255.
struct CChannel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t max = 0; // the largest value the channel holds; 0 when it has no bits

    // False for a mask whose bits are not in one run.
    bool Set(uint32_t m) {
        mask = m;
        if (m == 0) return true;
        shift = std::countr_zero(m);
        max = m >> shift;
        return (max & (max + 1)) == 0;
    }
    unsigned Of(uint32_t pixel) const {
        if (max == 0) return 0;
        const uint64_t v = (pixel & mask) >> shift;
        return static_cast<unsigned>((v * 255 + max / 2) / max);
    }
};

bool IsKnownHeaderSize(uint32_t n) {
    return n == kCoreHeaderSize || n == kInfoHeaderSize || n == 52 || n == 56 || n == 108 ||
           n == 124;
}

} // namespace

bool DecodeBmp(const unsigned char* data, size_t size, CBmpImage& image, std::string* why) {
    image = CBmpImage{};
    const uint64_t total = size;
    if (data == nullptr || total < kFileHeaderSize + 4) return Fail(why, "too short for a BMP");
    if (data[0] != 'B' || data[1] != 'M') return Fail(why, "not a BMP file");
    const uint64_t offBits = U32(data + 10);
    const uint32_t headerSize = U32(data + 14);
    if (!IsKnownHeaderSize(headerSize)) return Fail(why, "unknown BMP header");
    if (total < kFileHeaderSize + headerSize) return Fail(why, "BMP header cut short");

    const unsigned char* h = data + kFileHeaderSize;
    const bool core = headerSize == kCoreHeaderSize;
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bits = 0;
    uint32_t compression = kBiRgb;
    uint32_t coloursUsed = 0;
    if (core) {
        width = U16(h + 4);
        height = U16(h + 6);
        bits = U16(h + 10);
    } else {
        width = S32(h + 4);
        height = S32(h + 8);
        bits = U16(h + 14);
        compression = U32(h + 16);
        coloursUsed = U32(h + 32);
    }

    if (compression == kBiRle8 || compression == kBiRle4)
        return Fail(why, "RLE-compressed BMPs are not supported");
    if (compression == kBiJpeg || compression == kBiPng)
        return Fail(why, "BMPs holding JPEG or PNG data are not supported");
    if (compression != kBiRgb && compression != kBiBitfields)
        return Fail(why, "unknown BMP compression");
    if (bits == 16) return Fail(why, "16-bit BMPs are not supported");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return Fail(why, "unsupported BMP bit count");
    if (compression == kBiBitfields && bits != 32)
        return Fail(why, "BMP bit masks are supported at 32 bits only");

    if (width <= 0) return Fail(why, "BMP width is not positive");
    if (height == 0) return Fail(why, "BMP height is zero");
    const bool topDown = height < 0;
    const int64_t rows = topDown ? -height : height; // |INT_MIN| fits in 64 bits
    // Both sides are below 2^32, so the product cannot overflow; the cap keeps the
    // stride and size arithmetic below far from 64 bits as well.
    if (width * rows > kMaxBmpPixels) return Fail(why, "BMP too large");

    const uint64_t rowBits = static_cast<uint64_t>(width) * bits;
    const uint64_t stride = (rowBits + 31) / 32 * 4;
    const uint64_t rowBytes = (rowBits + 7) / 8;
    if (offBits < kFileHeaderSize + headerSize)
        return Fail(why, "BMP pixel data overlap its header");
    // The last row's padding may be missing; nothing is read from it.
    const uint64_t pixelBytes = stride * static_cast<uint64_t>(rows - 1) + rowBytes;
    if (offBits > total || total - offBits < pixelBytes)
        return Fail(why, "BMP pixel data cut short");

    std::vector<ColourRef> palette;
    if (bits <= 8) {
        const uint32_t most = 1u << bits;
        const uint32_t count = core || coloursUsed == 0 || coloursUsed > most ? most : coloursUsed;
        const uint64_t entry = core ? 3 : 4;
        const uint64_t at = kFileHeaderSize + headerSize;
        if (total - at < count * entry) return Fail(why, "BMP palette cut short");
        palette.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            const unsigned char* p = data + at + i * entry;
            palette[i] = MakeRGB(p[2], p[1], p[0]);
        }
    }

    CChannel red, green, blue;
    if (compression == kBiBitfields) {
        if (total < kMasksAt + 12) return Fail(why, "BMP bit masks cut short");
        if (!red.Set(U32(data + kMasksAt)) || !green.Set(U32(data + kMasksAt + 4)) ||
            !blue.Set(U32(data + kMasksAt + 8)))
            return Fail(why, "BMP bit masks are not contiguous");
    } else {
        red.Set(0x00FF0000);
        green.Set(0x0000FF00);
        blue.Set(0x000000FF);
    }

    const size_t w = static_cast<size_t>(width);
    const size_t n = static_cast<size_t>(rows);
    std::vector<ColourRef> pixels(w * n);
    for (size_t y = 0; y < n; ++y) {
        const size_t fileRow = topDown ? y : n - 1 - y;
        const unsigned char* row = data + offBits + fileRow * stride;
        ColourRef* out = pixels.data() + y * w;
        if (bits <= 8) {
            const uint32_t perByte = 8 / bits;
            const uint32_t mask = (1u << bits) - 1;
            for (size_t x = 0; x < w; ++x) {
                // The leftmost pixel is in the byte's high bits.
                const uint32_t shift = 8 - bits * (static_cast<uint32_t>(x % perByte) + 1);
                const uint32_t index = (uint32_t{row[x / perByte]} >> shift) & mask;
                out[x] = index < palette.size() ? palette[index] : MakeRGB(0, 0, 0);
            }
        } else if (bits == 24) {
            for (size_t x = 0; x < w; ++x) {
                const unsigned char* p = row + 3 * x;
                out[x] = MakeRGB(p[2], p[1], p[0]);
            }
        } else {
            for (size_t x = 0; x < w; ++x) {
                const uint32_t v = U32(row + 4 * x);
                out[x] = MakeRGB(red.Of(v), green.Of(v), blue.Of(v));
            }
        }
    }

    image.width = static_cast<int>(width);
    image.height = static_cast<int>(rows);
    image.pixels = std::move(pixels);
    return true;
}

CPatternTile StretchToTile(const CBmpImage& image) {
    const int64_t w = image.width;
    const int64_t h = image.height;
    if (w <= 0 || h <= 0 || image.pixels.size() != static_cast<uint64_t>(w) * uint64_t(h))
        return SolidTile(kWhite);
    CPatternTile tile;
    for (int64_t ty = 0; ty < 16; ++ty) {
        const int64_t sy = (2 * ty + 1) * h / 32;
        for (int64_t tx = 0; tx < 16; ++tx) {
            const int64_t sx = (2 * tx + 1) * w / 32;
            tile[static_cast<size_t>(ty * 16 + tx)] =
                image.pixels[static_cast<size_t>(sy * w + sx)];
        }
    }
    return tile;
}

CPatternTile SolidTile(ColourRef colour) {
    CPatternTile tile;
    tile.fill(colour);
    return tile;
}

bool ReadBmpTile(const std::string& path, CPatternTile& tile) {
    tile = SolidTile(kWhite);
    // A device or a pipe named as a pattern would never end, and a huge file cannot
    // be an image we take.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    const uintmax_t length = std::filesystem::file_size(path, ec);
    if (ec || length > kMaxFileBytes) return false;

    std::string bytes, error;
    if (!ReadWholeFile(path, bytes, error)) return false;
    CBmpImage image;
    if (!DecodeBmp(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), image))
        return false;
    tile = StretchToTile(image);
    return true;
}
