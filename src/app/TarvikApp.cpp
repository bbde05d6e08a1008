#include "app/TarvikApp.h"

#include "app/MainFrame.h"
#include "gfx/ConsolePlatform.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

int RunApplication(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "tarvik: no display to open the window on; "
                             "tarvik --export OUT.png IN draws the plot without one\n");
        return 1;
    }
    QApplication app(argc, argv);
    // Settings live under the maker's key.
    QCoreApplication::setOrganizationName(QStringLiteral("Halvorn"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarvik"));
    QCoreApplication::setApplicationVersion(QStringLiteral("3.7"));
    QApplication::setStyle(QStringLiteral("Fusion"));

    CMainFrame frame;
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) {
        // A file on the command line is opened; if it cannot be, the start fails,
        // saying why on the command line too.
        if (!frame.OpenDocumentFile(QFileInfo(args[1]).absoluteFilePath())) {
            const std::string why = frame.Platform().LastMessage();
            std::fprintf(stderr, "tarvik: %s\n",
                         why.empty() ? ("cannot open " + args[1].toStdString()).c_str() : OneLine(why).c_str());
            return 1;
        }
    }
    frame.show();
    return QApplication::exec();
}
