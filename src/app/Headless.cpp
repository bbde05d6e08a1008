#include "app/Headless.h"

#include "doc/TarvikDoc.h"
#include "gfx/ConsolePlatform.h"

#include <cstdio>

int RunSaveAs(const char* out, const char* in) {
    CConsolePlatform platform;
    CTarvikDoc doc(platform);
    if (!doc.OnOpenDocument(in)) {
        if (platform.MessageCount() == 0) std::fprintf(stderr, "tarvik: cannot open %s\n", in);
        return 1;
    }
    if (!doc.OnSaveDocument(out)) {
        if (platform.MessageCount() == 0) std::fprintf(stderr, "tarvik: cannot save %s\n", out);
        return 1;
    }
    return 0;
}
