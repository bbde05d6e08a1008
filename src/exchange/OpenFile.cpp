#include "exchange/OpenFile.h"

#include "base/FileIO.h"
#include "doc/TarvikDoc.h"
#include "exchange/LasImport.h"

bool OpenPath(CTarvikDoc& doc, const std::string& path) {
    if (!HasExtension(path, ".las")) return doc.OnOpenDocument(path);
    if (!ImportLas(doc, path)) return false;
    doc.lasImport = 1;
    doc.SetPathName(path);
    return true;
}
