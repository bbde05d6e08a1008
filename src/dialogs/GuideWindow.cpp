#include "dialogs/GuideWindow.h"

#include "base/FileIO.h"
#include "platform/MessageBox.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

std::vector<std::string> GuideCandidates(const std::string& programFolder) {
    if (programFolder.empty()) return {};
    return {programFolder + "../share/doc/tarvik/guide.md", programFolder + "docs/guide.md"};
}

void ShowUserGuide(QWidget* parent) {
    QString found;
    for (const std::string& path : GuideCandidates(ProgramFolder())) {
        if (QFileInfo(QString::fromStdString(path)).isFile()) {
            found = QString::fromStdString(path);
            break;
        }
    }
    if (found.isEmpty()) {
        AskUser(parent, QMessageBox::Information, QObject::tr("The user guide is not installed with this program."),
                QMessageBox::Ok);
        return;
    }
    // One guide window: asking again brings it to the front.
    static QPointer<QDialog> open;
    if (!open) {
        open = new QDialog(parent);
        open->setAttribute(Qt::WA_DeleteOnClose);
        open->setWindowTitle(QObject::tr("Tarvik User Guide"));
        auto* layout = new QVBoxLayout(open);
        auto* browser = new QTextBrowser(open);
        browser->setOpenExternalLinks(true);
        browser->setSource(QUrl::fromLocalFile(found), QTextDocument::MarkdownResource);
        layout->addWidget(browser);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, open);
        QObject::connect(buttons, &QDialogButtonBox::rejected, open, &QDialog::close);
        layout->addWidget(buttons);
        open->resize(820, 900);
    }
    open->show();
    open->raise();
    open->activateWindow();
}
