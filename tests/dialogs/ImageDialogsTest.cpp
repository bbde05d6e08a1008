// The file dialog of Save Image as, and what the Qt platform puts on
// the clipboard for Copy and Copy high rez image.
#include "app/QtPlatform.h"
#include "dialogs/FileExportDialog.h"
#include "exchange/ImageFormats.h"
#include "support/QtHelpers.h"
#include "support/TestFiles.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QMimeData>

using ImageDialogsTest = MessageBoxTest;

TEST_F(ImageDialogsTest, FileDialogReportsTheTypeFromOne) {
    CTempDir temp;
    const QString types = QString::fromLatin1(kSaveImageTypes);
    // The initial type follows the initial name; an empty name is "*" and the first type.
    EXPECT_EQ(CFileExportDialog(QString(), QString(), types).selectedNameFilter(), "Windows bitmap file (*.bmp)");
    CFileExportDialog dialog(QStringLiteral("Export Image As Type"), QStringLiteral("Pelorin.tif"), types);
    dialog.setDirectory(QString::fromStdString(temp.path.string()));
    EXPECT_EQ(dialog.selectedNameFilter(), "Tagged Image File (*.tif)");

    // A name without an extension gets the type picked in the dialog's type box.
    auto* typeBox = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(typeBox, nullptr);
    typeBox->setCurrentIndex(1);
    EXPECT_EQ(dialog.selectedNameFilter(), "JPeg file (*.jpg)");
    dialog.selectFile(QStringLiteral("plot"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const CExportFileChoice choice = dialog.Choice();
    EXPECT_EQ(choice.type, 2);
    EXPECT_EQ(choice.path, (temp.path / "plot.jpg").string());
}

TEST_F(ImageDialogsTest, QtPlatformPicturesAndLocale) {
    CQtPlatform platform(nullptr);
    CClipboardPicture picture;
    picture.emf = std::string("\x01\0\0\0 EMF", 8);
    picture.png = "\x89PNG";
    picture.page = {40, 30};
    picture.draw = [](CDrawSurface& dc) { dc.TextOut(2, 2, "GR"); };
    ASSERT_TRUE(platform.SetClipboardPicture(picture));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("image/emf"), QByteArray(picture.emf.data(), 8)); // the NULs too
    EXPECT_EQ(data->data("image/png"), QByteArray("\x89PNG"));
    const QByteArray svg = data->data("image/svg+xml");
    EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).toStdString();
    EXPECT_TRUE(svg.contains("GR"));

    // A bitmap as RenderPixels makes it: rows top first, blue, green, red, unused.
    std::vector<unsigned char> pixels(2 * 2 * 4, 0);
    pixels[2] = 255;     // (0, 0) red
    pixels[8 + 4] = 255; // (1, 1) blue
    ASSERT_TRUE(platform.SetClipboardBitmap(pixels.data(), 2, 2));
    const QImage image = QGuiApplication::clipboard()->image();
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::blue));

    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(platform.DecimalSeparator(), ",");
    QLocale::setDefault(saved);
}
