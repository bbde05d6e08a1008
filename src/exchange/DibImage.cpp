// The device-independent bitmap: its header and rows, and its writers through the
// format table.
#include "exchange/DibImage.h"

#include "exchange/BmpWriter.h"
#include "exchange/ImageFormats.h"
#include "exchange/JpegWriter.h"
#include "exchange/PngWriter.h"
#include "exchange/TiffWriter.h"

#include <algorithm>
#include <new>

bool CDIBImage::Create(int w, int h, int bits24or32) {
    CleanUp();
    if (bits24or32 != 24 && bits24or32 != 32) return false;
    if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > kMaxPixels) return false;
    const size_t row =
        ((static_cast<size_t>(w) * static_cast<size_t>(bits24or32) + 31) & ~size_t{31}) / 8;
    try {
        bits.assign(row * static_cast<size_t>(h), 0xFF);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width = w;
    height = h;
    bitCount = bits24or32;
    rowBytes = row;
    return true;
}

void CDIBImage::CleanUp() {
    std::vector<unsigned char>().swap(bits);
    width = height = bitCount = 0;
    rowBytes = 0;
}

void CDIBImage::FlipRows() {
    for (int i = 0; i < height / 2; ++i) {
        unsigned char* a = bits.data() + static_cast<size_t>(i) * rowBytes;
        unsigned char* b = bits.data() + static_cast<size_t>(height - 1 - i) * rowBytes;
        std::swap_ranges(a, a + rowBytes, b);
    }
}

std::vector<unsigned char> CDIBImage::InfoHeader() const {
    std::vector<unsigned char> h;
    h.reserve(40);
    PutU32(h, 40);
    PutU32(h, static_cast<uint32_t>(width));
    PutU32(h, static_cast<uint32_t>(height)); // positive: rows bottom-up
    PutU16(h, 1);
    PutU16(h, static_cast<uint32_t>(bitCount));
    PutU32(h, 0); // no compression
    PutU32(h, static_cast<uint32_t>(bits.size()));
    PutU32(h, PixelsPerMetre()); // horizontal and vertical pixels per metre
    PutU32(h, PixelsPerMetre());
    PutU32(h, 0); // no colour table: 24 and 32 bits need none
    PutU32(h, 0);
    return h;
}

bool CDIBImage::SaveBmp(const std::string& path, std::string* error) const {
    return SaveImageFile(path, WriteBmp, *this, error);
}

bool CDIBImage::SaveJpeg(const std::string& path, std::string* error) const {
    return SaveImageFile(path, WriteJpeg, *this, error);
}

bool CDIBImage::SavePng(const std::string& path, std::string* error) const {
    return SaveImageFile(path, WritePng, *this, error);
}

bool CDIBImage::SaveTiff(const std::string& path, std::string* error) const {
    return SaveImageFile(path, WriteTiff, *this, error);
}
