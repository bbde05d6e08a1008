#include "exchange/LasImport.h"

#include "doc/TarvikDoc.h"
#include "gfx/PlatformServices.h"

int ImportLas(CTarvikDoc& doc, const std::string& path, bool) {
    doc.Platform().Message("Cannot import " + path + ": LAS import is not available yet.");
    return 0;
}
