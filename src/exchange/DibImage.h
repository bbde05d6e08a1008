// A device-independent bitmap: the picture of the plot that Save Image as and Copy
// high rez image make, held as a Windows DIB holds it (rows bottom-up, each padded to
// four bytes, blue-green-red pixel order), with the writers for the raster formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CDIBImage {
  public:
    // Bitmaps larger than this are refused: a 2400 dpi picture of a tall plot would
    // otherwise ask for more memory than any machine has.
    static constexpr long long kMaxPixels = 400'000'000;

    // A white image of 24 or 32 bits a pixel; false for any other depth, a side that is
    // not positive, more than kMaxPixels, or memory that cannot be had.
    bool Create(int width, int height, int bitCount);
    // Back to an empty image.
    void CleanUp();
    // Swaps row i with row height - 1 - i: top-first rows become bottom-up and back.
    void FlipRows();

    bool IsEmpty() const { return bits.empty(); }
    int Width() const { return width; }
    int Height() const { return height; }
    int BitCount() const { return bitCount; }
    int BytesPerPixel() const { return bitCount / 8; }
    // ((width x bit count + 31) AND NOT 31) / 8
    size_t RowBytes() const { return rowBytes; }
    size_t ImageSize() const { return bits.size(); }
    unsigned char* Bits() { return bits.data(); }
    const unsigned char* Bits() const { return bits.data(); }
    // Row y counted from the top of the picture.
    const unsigned char* TopRow(int y) const {
        return bits.data() + static_cast<size_t>(height - 1 - y) * rowBytes;
    }
    // The resolution the picture was drawn at, written into every file so that other
    // programs place it at its true size; 0 (the default) records none.
    void SetDpi(double dpi) { this->dpi = dpi > 0 && dpi < 1e6 ? dpi : 0; }
    double Dpi() const { return dpi; }
    unsigned PixelsPerMetre() const { return static_cast<unsigned>(dpi / 0.0254 + 0.5); }

    // The 40-byte BITMAPINFOHEADER of the image.
    std::vector<unsigned char> InfoHeader() const;

    // The writers; each gives false with the reason in *error (when given). The file
    // is written beside the target and renamed over it, so a failure keeps the old one.
    bool SaveBmp(const std::string& path, std::string* error) const;
    bool SaveJpeg(const std::string& path, std::string* error) const;
    bool SavePng(const std::string& path, std::string* error) const;
    bool SaveTiff(const std::string& path, std::string* error) const;

  private:
    int width = 0;
    int height = 0;
    int bitCount = 0;
    size_t rowBytes = 0;
    double dpi = 0;
    std::vector<unsigned char> bits;
};

// Little-endian byte writers shared by the BMP and metafile writers.
inline void PutU16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}
inline void PutU32(std::vector<unsigned char>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}
