#include "app/Headless.h"
#include "app/TarvikApp.h"
#include "base/TextParse.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: tarvik [FILE] | tarvik --save-as OUT.tvk IN | tarvik --export OUT [--dpi N] IN\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int Help() {
    std::fputs(kUsage, stdout);
    std::fputs("\n"
               "  tarvik [FILE]          open the window on FILE (a .tvk document or a .las file)\n"
               "  --save-as OUT.tvk IN   load IN (.tvk, or .las with every curve) and save it as OUT\n"
               "  --export OUT IN        draw the page of IN into OUT: .png, .jpg, .bmp, .tif,\n"
               "                         .emf, .svg or .pdf\n"
               "  --dpi N                with --export: N from 96 to 2400 pixels per inch (96)\n"
               "  --help, --version      this text; the version\n"
               "\n"
               "Without a window, a file that cannot be read or written is named on stderr\n"
               "with the reason, and the exit code is 1.\n",
               stdout);
    return 0;
}

// Headless runs say everything in their one line; Qt's own chatter stays out of it.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) std::fprintf(stderr, "tarvik: %s\n", qPrintable(text));
}

int Export(int argc, char** argv) {
    // tarvik --export OUT [--dpi N] IN
    int dpi = 96;
    const char* out = nullptr;
    const char* in = nullptr;
    if (argc == 4) {
        out = argv[2];
        in = argv[3];
    } else if (argc == 6 && std::strcmp(argv[3], "--dpi") == 0) {
        out = argv[2];
        in = argv[5];
        const std::string_view n = argv[4];
        if (n.empty() || n.find_first_not_of("0123456789") != std::string_view::npos ||
            !ScanInt(n, dpi) || dpi > 2400) {
            std::fprintf(stderr, "tarvik: --dpi takes a whole number from 96 to 2400\n");
            return 2;
        }
        if (dpi < 96) dpi = 96; // never below the screen's resolution
    } else {
        return Usage();
    }
    // No display is needed: fonts and painting work on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    return RunExport(out, dpi, in);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) return Help();
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("Tarvik 3.7");
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--save-as") == 0) {
        if (argc != 4) return Usage();
        return RunSaveAs(argv[2], argv[3]);
    }
    if (argc >= 2 && std::strcmp(argv[1], "--export") == 0) return Export(argc, argv);
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) return Usage();
    return RunApplication(argc, argv);
}
