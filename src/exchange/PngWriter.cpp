#include "exchange/PngWriter.h"

#include "exchange/DibImage.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

// libpng's own limit for each side; anything larger is a caller's mistake.
constexpr int kMaxSide = 1000000;

struct CPngContext {
    std::string message;
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    if (auto* ctx = static_cast<CPngContext*>(png_get_error_ptr(png)))
        ctx->message = message ? message : "unknown libpng error";
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Everything that can jump back lives here, so no object of ours is skipped by
// longjmp and nothing the caller cleans up is modified after setjmp.
// Rows are rowStride bytes apart, which is negative for a bottom-up bitmap; a fourth
// byte of each pixel is left out.
bool WriteImage(png_structp png, png_infop info, FILE* file, int width, int height,
                const unsigned char* rows, std::ptrdiff_t rowStride, bool bgr, bool filler,
                unsigned pixelsPerMetre) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (pixelsPerMetre > 0)
        png_set_pHYs(png, info, pixelsPerMetre, pixelsPerMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    if (bgr) png_set_bgr(png);
    if (filler) png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rows + static_cast<std::ptrdiff_t>(y) * rowStride);
    png_write_end(png, info);
    return true;
}

bool Fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

bool WriteRows(FILE* file, int width, int height, const unsigned char* rows,
               std::ptrdiff_t rowStride, bool bgr, bool filler, unsigned pixelsPerMetre,
               std::string& why) {
    CPngContext ctx;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &ctx, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool ok =
        info && WriteImage(png, info, file, width, height, rows, rowStride, bgr, filler,
                           pixelsPerMetre);
    if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok) why = info ? ctx.message : "out of memory";
    return ok;
}

} // namespace

bool WritePng(std::FILE* out, const CDIBImage& image, std::string* error) {
    if (image.IsEmpty()) return Fail(error, "there is no image to write");
    if (image.Width() > kMaxSide || image.Height() > kMaxSide)
        return Fail(error,
                    "a PNG image is at most " + std::to_string(kMaxSide) + " pixels wide and high");
    std::string why;
    if (WriteRows(out, image.Width(), image.Height(), image.TopRow(0),
                  -static_cast<std::ptrdiff_t>(image.RowBytes()), true, image.BitCount() == 32,
                  image.PixelsPerMetre(), why))
        return true;
    return Fail(error, "libpng: " + why);
}
