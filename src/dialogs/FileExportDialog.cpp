// The file dialog of Save Image as.
#include "dialogs/FileExportDialog.h"

#include <QStringList>

CFileExportDialog::CFileExportDialog(const QString& title, const QString& initialName,
                                     const QString& typeList, QWidget* parent)
    : QFileDialog(parent, title), types_(ParseFileTypes(typeList.toStdString())) {
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    // The same dialog on every desktop, so the type it reports is the one shown.
    setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const CFileType& t : types_)
        filters << QString::fromStdString(t.name);
    setNameFilters(filters);
    if (types_.empty()) return;

    QString name = initialName;
    if (name.isEmpty())
        name = QStringLiteral("*") + QString::fromStdString(types_.front().extension);
    const int initial = std::max(0, FileTypeOfName(name.toStdString(), types_));
    selectNameFilter(filters[initial]);
    selectFile(name);
    setDefaultSuffix(SuffixOf(initial));
}

QString CFileExportDialog::SuffixOf(int type) const {
    return QString::fromStdString(types_[static_cast<size_t>(type)].extension).mid(1);
}

void CFileExportDialog::accept() {
    // Qt adds the suffix before it asks about overwriting, so the question names the
    // file that will be written.
    if (!types_.empty()) setDefaultSuffix(SuffixOf(SelectedType()));
    QFileDialog::accept();
}

int CFileExportDialog::SelectedType() const {
    const std::string filter = selectedNameFilter().toStdString();
    for (size_t i = 0; i < types_.size(); ++i)
        if (types_[i].name == filter) return static_cast<int>(i);
    return 0;
}

CExportFileChoice CFileExportDialog::Choice() const {
    CExportFileChoice choice;
    const QStringList files = selectedFiles();
    if (files.isEmpty() || types_.empty()) return choice;
    choice.path = files.first().toStdString();
    int type = FileTypeOfName(choice.path, types_);
    if (type < 0) {
        type = SelectedType();
        choice.path += types_[static_cast<size_t>(type)].extension;
    }
    choice.type = type + 1;
    return choice;
}
