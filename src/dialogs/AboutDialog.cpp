#include "dialogs/AboutDialog.h"

#include "platform/Icons.h"
#include "doc/CommandIds.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

void ShowAboutDialog(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QObject::tr("About Tarvik"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(&dialog);
    icon->setPixmap(CommandIcon(ID_APP_ABOUT).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    top->addWidget(icon);
    auto* text = new QLabel(&dialog);
    text->setTextFormat(Qt::RichText);
    text->setText(QObject::tr("<h3>Tarvik 3.7</h3>"
                              "<p>Well-log plots: logs from LAS files as curves with fills, "
                              "point data, lithology columns and formation tops, depth "
                              "rulers in meters and feet, printed at true scale or exported "
                              "as PNG, SVG and PDF.</p>"
                              "<p>Version 3.7</p>"));
    text->setWordWrap(true);
    top->addWidget(text, 1);
    layout->addLayout(top);
    // The program's own folder holds the lithology library and the demo well.
    auto* link = new QLabel(&dialog);
    const QString folder = QCoreApplication::applicationDirPath();
    link->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                      .arg(QUrl::fromLocalFile(folder).toString(), QObject::tr("Program folder")));
    link->setOpenExternalLinks(true);
    link->setToolTip(folder);
    layout->addWidget(link);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(380);
    dialog.exec();
}
