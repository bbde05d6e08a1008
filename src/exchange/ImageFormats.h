// The one table from a file extension to the picture format that writes it, used by
// File > Save Image as, by `tarvik --export` and by the pictures put on the clipboard;
// and the file-type list of "Export Image As Type".
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

class CDIBImage;

using ImageWriter = bool (*)(std::FILE* out, const CDIBImage& image, std::string* error);

enum class ImageKind {
    Bitmap,   // rendered at a resolution, written by a core writer
    Metafile, // the page drawn into an enhanced metafile
    Drawing,  // a vector drawing only the platform can make (SVG, PDF)
};

struct CImageFormat {
    const char* extension; // with its dot, lower case
    ImageKind kind;
    ImageWriter write; // bitmaps only
};

// The format a path's extension names (any case), or null.
const CImageFormat* FindImageFormat(std::string_view path);
// The extensions the table knows, for messages: ".bmp, .jpg, ...".
std::string KnownImageExtensions();

// "Export Image As Type": the five types of Save Image as, in their order.
extern const char* const kSaveImageTypes;

// One entry of a dialog's file-type list "Name (*.ext)|Name (*.ext)|...".
struct CFileType {
    std::string name;      // the entry as shown
    std::string pattern;   // the text between its parentheses
    std::string extension; // the pattern less its leading '*'
};
// At most 20 entries, as the dialog shows them.
std::vector<CFileType> ParseFileTypes(std::string_view list);
// The type (from 0) whose extension the file name ends with, in any case; -1 for none.
int FileTypeOfName(std::string_view name, const std::vector<CFileType>& types);

// What writing a file came to.
enum class WriteResult { Written, CannotOpen, Failed };
// Writes through a temporary file beside the target, renamed over it only when every
// byte was written: a failure leaves the old file as it was. *error says why.
WriteResult WriteImageFile(const std::string& path, ImageWriter write, const CDIBImage& image,
                           std::string* error);
WriteResult WriteBytesFile(const std::string& path, std::string_view bytes, std::string* error);
// The encoded picture in memory, for the clipboard.
bool EncodeImage(ImageWriter write, const CDIBImage& image, std::string& bytes, std::string* error);

// The CDIBImage writers' shorthand: true when written.
inline bool SaveImageFile(const std::string& path, ImageWriter write, const CDIBImage& image,
                          std::string* error) {
    return WriteImageFile(path, write, image, error) == WriteResult::Written;
}
