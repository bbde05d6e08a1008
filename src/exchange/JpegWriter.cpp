// JPEG output through libjpeg.
#include "exchange/JpegWriter.h"

#include "exchange/DibImage.h"

#include <algorithm>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace {

struct CJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
    auto* error = reinterpret_cast<CJpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

// Warnings (a corrupt-data notice while writing cannot happen) are not printed.
void OnJpegMessage(j_common_ptr, int) {}

// Everything that can jump back lives here, so no object of ours is skipped by
// longjmp; row is the caller's buffer of width x 3 bytes.
bool Compress(jpeg_compress_struct* c, CJpegError* error, std::FILE* out, const CDIBImage* image,
              unsigned char* row) {
    if (setjmp(error->jump)) return false;
    jpeg_create_compress(c);
    jpeg_stdio_dest(c, out);
    c->image_width = static_cast<JDIMENSION>(image->Width());
    c->image_height = static_cast<JDIMENSION>(image->Height());
    const int bytes = image->BytesPerPixel();
#ifdef JCS_EXTENSIONS
    // libjpeg-turbo takes the bitmap's blue-green-red rows as they are.
    c->input_components = bytes;
    c->in_color_space = bytes == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
#else
    c->input_components = 3;
    c->in_color_space = JCS_RGB;
#endif
    jpeg_set_defaults(c);
    jpeg_set_quality(c, 75, TRUE);
    if (image->Dpi() > 0) { // the JFIF density, in dots per inch
        c->density_unit = 1;
        c->X_density = c->Y_density = static_cast<UINT16>(std::min(image->Dpi() + 0.5, 65535.0));
    }
    jpeg_start_compress(c, TRUE);
    for (int y = 0; y < image->Height(); ++y) {
        const unsigned char* src = image->TopRow(y);
#ifdef JCS_EXTENSIONS
        (void)row;
        JSAMPROW line = const_cast<unsigned char*>(src);
#else
        for (int x = 0; x < image->Width(); ++x) {
            row[3 * x] = src[bytes * x + 2];
            row[3 * x + 1] = src[bytes * x + 1];
            row[3 * x + 2] = src[bytes * x];
        }
        JSAMPROW line = row;
#endif
        jpeg_write_scanlines(c, &line, 1);
    }
    jpeg_finish_compress(c);
    return true;
}

} // namespace

bool WriteJpeg(std::FILE* out, const CDIBImage& image, std::string* error) {
    if (image.IsEmpty()) {
        if (error) *error = "there is no image to write";
        return false;
    }
    if (image.Width() > kMaxJpegSide || image.Height() > kMaxJpegSide) {
        if (error)
            *error = "a JPEG image is at most " + std::to_string(kMaxJpegSide) +
                     " pixels wide and high; this one would be " + std::to_string(image.Width()) +
                     " x " + std::to_string(image.Height());
        return false;
    }
    std::vector<unsigned char> row(static_cast<size_t>(image.Width()) * 3);
    jpeg_compress_struct c;
    std::memset(&c, 0, sizeof c); // so destroying it is safe whenever the library failed
    CJpegError jpegError{};
    c.err = jpeg_std_error(&jpegError.manager);
    jpegError.manager.error_exit = OnJpegError;
    jpegError.manager.emit_message = OnJpegMessage;
    const bool ok = Compress(&c, &jpegError, out, &image, row.data());
    jpeg_destroy_compress(&c);
    if (!ok && error) *error = std::string("libjpeg: ") + jpegError.message;
    return ok;
}
