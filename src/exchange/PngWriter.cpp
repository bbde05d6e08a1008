#include "exchange/PngWriter.h"

#include "base/FileIO.h"

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
bool WriteImage(png_structp png, png_infop info, FILE* file, int width, int height,
                const unsigned char* rows, size_t rowStride, bool bgr) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (bgr) png_set_bgr(png);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rows + static_cast<size_t>(y) * rowStride);
    png_write_end(png, info);
    return true;
}

bool Fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

} // namespace

bool WritePng(const std::string& path, int width, int height, const unsigned char* rows,
              size_t rowStride, bool bgr, std::string* error) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return Fail(error, "invalid PNG image size " + std::to_string(width) + " x " +
                               std::to_string(height));
    if (!rows || rowStride < static_cast<size_t>(width) * 3)
        return Fail(error, "PNG rows are shorter than the image width");

    // Written beside the target and renamed over it: a failure keeps the old file.
    CAtomicFile out;
    if (!out.Open(path)) return Fail(error, "cannot open " + path + ": " + out.Error());
    FILE* file = out.File();

    CPngContext ctx;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &ctx, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool ok = info && WriteImage(png, info, file, width, height, rows, rowStride, bgr);
    if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok) {
        if (!info) ctx.message = "out of memory";
        return Fail(error, "cannot write PNG " + path + ": " + ctx.message);
    }
    // A full disk often shows only when the last buffer is flushed.
    if (!out.Commit()) return Fail(error, "cannot write " + path + ": " + out.Error());
    return true;
}
