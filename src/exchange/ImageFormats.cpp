// The picture formats by extension, the file-type list of the export dialog, and
// writing a picture to a file or to memory.
#include "exchange/ImageFormats.h"

#include "base/FileIO.h"
#include "exchange/BmpWriter.h"
#include "exchange/JpegWriter.h"
#include "exchange/PngWriter.h"
#include "exchange/TiffWriter.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr CImageFormat kFormats[] = {
    {".bmp", ImageKind::Bitmap, WriteBmp},   {".jpg", ImageKind::Bitmap, WriteJpeg},
    {".jpeg", ImageKind::Bitmap, WriteJpeg}, {".png", ImageKind::Bitmap, WritePng},
    {".emf", ImageKind::Metafile, nullptr},  {".tif", ImageKind::Bitmap, WriteTiff},
    {".tiff", ImageKind::Bitmap, WriteTiff}, {".svg", ImageKind::Drawing, nullptr},
    {".pdf", ImageKind::Drawing, nullptr},
};

constexpr size_t kMaxFileTypes = 20;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithNoCase(std::string_view text, std::string_view end) {
    return !end.empty() && text.size() >= end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

} // namespace

const char* const kSaveImageTypes = "Windows bitmap file (*.bmp)|JPeg file (*.jpg)|PNG file "
                                    "(*.png)|Windows Metafile (*.emf)|Tagged Image File (*.tif)";

const CImageFormat* FindImageFormat(std::string_view path) {
    const std::string ext = ExtensionOf(path);
    for (const CImageFormat& f : kFormats)
        if (ext == f.extension) return &f;
    return nullptr;
}

std::string KnownImageExtensions() {
    std::string list;
    for (const CImageFormat& f : kFormats)
        list += (list.empty() ? "" : ", ") + std::string(f.extension);
    return list;
}

std::vector<CFileType> ParseFileTypes(std::string_view list) {
    std::vector<CFileType> types;
    while (!list.empty() && types.size() < kMaxFileTypes) {
        const size_t bar = list.find('|');
        const std::string_view entry = list.substr(0, bar);
        list = bar == std::string_view::npos ? std::string_view() : list.substr(bar + 1);
        if (entry.empty()) continue;
        CFileType t;
        t.name = entry;
        const size_t open = entry.find('('), close = entry.rfind(')');
        if (open != std::string_view::npos && close != std::string_view::npos && close > open)
            t.pattern = entry.substr(open + 1, close - open - 1);
        t.extension =
            !t.pattern.empty() && t.pattern.front() == '*' ? t.pattern.substr(1) : t.pattern;
        types.push_back(std::move(t));
    }
    return types;
}

int FileTypeOfName(std::string_view name, const std::vector<CFileType>& types) {
    // The file name's own extension, so "plot.v2.png" is a PNG.
    const size_t slash = name.find_last_of('/');
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    for (size_t i = 0; i < types.size(); ++i)
        if (types[i].extension.size() > 1 && EndsWithNoCase(name, types[i].extension))
            return static_cast<int>(i);
    return -1;
}

WriteResult WriteImageFile(const std::string& path, ImageWriter write, const CDIBImage& image,
                           std::string* error) {
    CAtomicFile out;
    if (!out.Open(path)) {
        if (error) *error = out.Error();
        return WriteResult::CannotOpen;
    }
    if (!write(out.File(), image, error)) return WriteResult::Failed;
    // A full disk often shows only when the last buffer is flushed.
    if (!out.Commit()) {
        if (error) *error = out.Error();
        return WriteResult::Failed;
    }
    return WriteResult::Written;
}

WriteResult WriteBytesFile(const std::string& path, std::string_view bytes, std::string* error) {
    CAtomicFile out;
    if (!out.Open(path)) {
        if (error) *error = out.Error();
        return WriteResult::CannotOpen;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), out.File()) != bytes.size() || !out.Commit()) {
        if (error) *error = out.Error().empty() ? "the disk refused the data" : out.Error();
        return WriteResult::Failed;
    }
    return WriteResult::Written;
}

bool EncodeImage(ImageWriter write, const CDIBImage& image, std::string& bytes,
                 std::string* error) {
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* memory = open_memstream(&buffer, &size);
    if (!memory) {
        if (error) *error = "out of memory";
        return false;
    }
    const bool written = write(memory, image, error);
    const bool closed = std::fclose(memory) == 0;
    if (written && closed) bytes.assign(buffer, size);
    std::free(buffer);
    if (written && !closed && error) *error = "out of memory";
    return written && closed;
}
