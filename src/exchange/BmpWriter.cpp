// Windows bitmap output.
#include "exchange/BmpWriter.h"

#include "exchange/DibImage.h"

#include <cstdint>
#include <vector>

bool WriteBmp(std::FILE* out, const CDIBImage& image, std::string* error) {
    if (image.IsEmpty()) {
        if (error) *error = "there is no image to write";
        return false;
    }
    // No colour table: the images are 24 or 32 bits, so the pixels start at 54.
    constexpr uint32_t kOffset = 14 + 40;
    const uint64_t size = kOffset + static_cast<uint64_t>(image.ImageSize());
    if (size > UINT32_MAX) {
        if (error) *error = "the image is too large for a BMP file";
        return false;
    }
    std::vector<unsigned char> head;
    head.reserve(kOffset);
    head.push_back('B');
    head.push_back('M');
    PutU32(head, static_cast<uint32_t>(size));
    PutU32(head, 0); // two reserved words
    PutU32(head, kOffset);
    const std::vector<unsigned char> info = image.InfoHeader();
    head.insert(head.end(), info.begin(), info.end());
    if (std::fwrite(head.data(), 1, head.size(), out) != head.size() ||
        std::fwrite(image.Bits(), 1, image.ImageSize(), out) != image.ImageSize()) {
        if (error) *error = "the disk refused the data";
        return false;
    }
    return true;
}
