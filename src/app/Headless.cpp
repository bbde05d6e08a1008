#include "app/Headless.h"

#include "platform/Export.h"
#include "doc/TarvikDoc.h"
#include "exchange/OpenFile.h"
#include "gfx/ConsolePlatform.h"

#include <cstdio>

namespace {

// Opens IN; on failure the platform (or this) has said why in one line.
bool Open(CTarvikDoc& doc, CConsolePlatform& platform, const char* in) {
    if (OpenPath(doc, in)) return true;
    if (platform.MessageCount() == 0) std::fprintf(stderr, "tarvik: cannot open %s\n", in);
    return false;
}

} // namespace

int RunSaveAs(const char* out, const char* in) {
    CConsolePlatform platform;
    CTarvikDoc doc(platform);
    if (!Open(doc, platform, in)) return 1;
    if (!doc.OnSaveDocument(out)) {
        if (platform.MessageCount() == 0) std::fprintf(stderr, "tarvik: cannot save %s\n", out);
        return 1;
    }
    return 0;
}

int RunExport(const char* out, int dpi, const char* in) {
    CConsolePlatform platform;
    CTarvikDoc doc(platform);
    if (!Open(doc, platform, in)) return 1;
    std::string error;
    if (!ExportPage(doc, out, dpi, error)) {
        std::fprintf(stderr, "tarvik: cannot export %s: %s\n", out, error.c_str());
        return 1;
    }
    return 0;
}
