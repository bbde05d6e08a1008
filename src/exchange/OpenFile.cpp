#include "exchange/OpenFile.h"

#include "base/FileIO.h"
#include "doc/TarvikDoc.h"
#include "exchange/AsciiImport.h"
#include "exchange/LasImport.h"

bool IsAsciiPath(const std::string& path) {
    const std::string ext = ExtensionOf(path);
    return ext == ".txt" || ext == ".csv" || ext == ".tsv" || ext == ".dat";
}

bool OpenPath(CTarvikDoc& doc, const std::string& path) {
    if (IsAsciiPath(path)) {
        if (!ImportAscii(doc, path)) return false;
        // The plot is saved beside the text, never over it.
        std::string tvk = path;
        tvk.replace(tvk.size() - ExtensionOf(path).size(), std::string::npos, ".tvk");
        doc.lasImport = 1;
        doc.SetPathName(tvk);
        return true;
    }
    if (!HasExtension(path, ".las")) return doc.OnOpenDocument(path);
    if (!ImportLas(doc, path)) return false;
    doc.lasImport = 1;
    doc.SetPathName(path);
    return true;
}
