// TIFF output through libtiff, onto an open file of the caller's.
#include "exchange/TiffWriter.h"

#include "exchange/DibImage.h"

#include <tiffio.h>

#include <cstdarg>
#include <vector>

namespace {

std::FILE* FileOf(thandle_t h) {
    return static_cast<std::FILE*>(h);
}

tmsize_t ReadProc(thandle_t h, void* data, tmsize_t n) {
    return static_cast<tmsize_t>(std::fread(data, 1, static_cast<size_t>(n), FileOf(h)));
}
tmsize_t WriteProc(thandle_t h, void* data, tmsize_t n) {
    return static_cast<tmsize_t>(std::fwrite(data, 1, static_cast<size_t>(n), FileOf(h)));
}
toff_t SeekProc(thandle_t h, toff_t offset, int whence) {
    if (fseeko(FileOf(h), static_cast<off_t>(offset), whence) != 0) return static_cast<toff_t>(-1);
    return static_cast<toff_t>(ftello(FileOf(h)));
}
int CloseProc(thandle_t) {
    return 0;
} // the file is the caller's
toff_t SizeProc(thandle_t h) {
    std::FILE* f = FileOf(h);
    const off_t here = ftello(f);
    if (here < 0 || fseeko(f, 0, SEEK_END) != 0) return 0;
    const off_t end = ftello(f);
    fseeko(f, here, SEEK_SET);
    return end < 0 ? 0 : static_cast<toff_t>(end);
}
int MapProc(thandle_t, void**, toff_t*) {
    return 0;
}
void UnmapProc(thandle_t, void*, toff_t) {}

// libtiff's messages go to the caller's error text, never to stderr.
int OnTiffError(TIFF*, void* user, const char* module, const char* format, va_list args) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    auto* message = static_cast<std::string*>(user);
    if (message->empty())
        *message = std::string("libtiff: ") + (module ? module : "") + ": " + text;
    return 1;
}
int OnTiffWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

} // namespace

bool WriteTiff(std::FILE* out, const CDIBImage& image, std::string* error) {
    if (image.IsEmpty()) {
        if (error) *error = "there is no image to write";
        return false;
    }
    std::string message;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) {
        if (error) *error = "out of memory";
        return false;
    }
    TIFFOpenOptionsSetErrorHandlerExtR(options, OnTiffError, &message);
    TIFFOpenOptionsSetWarningHandlerExtR(options, OnTiffWarning, nullptr);
    TIFF* tif = TIFFClientOpenExt("image", "w", out, ReadProc, WriteProc, SeekProc, CloseProc,
                                  SizeProc, MapProc, UnmapProc, options);
    TIFFOpenOptionsFree(options);
    bool ok = tif != nullptr;
    if (ok) {
        const float dpi = static_cast<float>(image.Dpi() > 0 ? image.Dpi() : 96);
        ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.Width())) &&
             TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.Height())) &&
             TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE) &&
             TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
             TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
             TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8) &&
             TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3) &&
             TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1) &&
             TIFFSetField(tif, TIFFTAG_XRESOLUTION, dpi) &&
             TIFFSetField(tif, TIFFTAG_YRESOLUTION, dpi) &&
             TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
        std::vector<unsigned char> row(static_cast<size_t>(image.Width()) * 3);
        const int bytes = image.BytesPerPixel();
        for (int y = 0; ok && y < image.Height(); ++y) {
            const unsigned char* src = image.TopRow(y);
            for (int x = 0; x < image.Width(); ++x) {
                row[3 * static_cast<size_t>(x)] = src[bytes * x + 2];
                row[3 * static_cast<size_t>(x) + 1] = src[bytes * x + 1];
                row[3 * static_cast<size_t>(x) + 2] = src[bytes * x];
            }
            ok = TIFFWriteScanline(tif, row.data(), static_cast<uint32_t>(y), 0) == 1;
        }
        ok = ok && TIFFFlush(tif) == 1;
        TIFFClose(tif);
    }
    if (!ok && error) *error = message.empty() ? "libtiff could not write the image" : message;
    return ok;
}
