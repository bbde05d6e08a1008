// The resolution dialog of a bitmap of the plot.
#include "dialogs/EnterDPIDialog.h"

#include "dialogs/IntegerField.h"
#include "view/ImageExport.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

CEnterDPIDialog::CEnterDPIDialog(int proposed, float screenDpi, CSize base, QWidget* parent)
    : QDialog(parent), screenDpi_(screenDpi), base_(base), dpi_(proposed) {
    setWindowTitle(tr("Bitmap resolution"));
    auto* text = new QLabel(
        tr("Eneter DPI (dots per inch) for the bitmap. The defaut is your screen dpi."), this);
    text->setWordWrap(true);
    edit_ = MakeIntegerEdit(proposed, QStringLiteral("dpi"), this);
    size_ = new QLabel(tr("Final size of bitmap"), this);
    size_->setObjectName(QStringLiteral("size"));
    auto* form = new QFormLayout;
    form->addRow(tr("Desired dpi:"), edit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addWidget(size_);
    layout->addWidget(MakeOkCancel(this));
    connect(edit_, &QLineEdit::textChanged, this, [this] { ShowSize(); });
    ShowSize();
    edit_->selectAll();
    edit_->setFocus();
}

QString CEnterDPIDialog::SizeText() const {
    return size_->text();
}

void CEnterDPIDialog::ShowSize() {
    bool ok = false;
    const long long value = edit_->text().trimmed().toLongLong(&ok);
    if (!ok || value < kMinDpi || value > kMaxDpi) {
        size_->setText(tr("Final size of bitmap"));
        return;
    }
    size_->setText(
        QString::fromStdString(BitmapSizeText(base_, static_cast<int>(value), screenDpi_)));
}

void CEnterDPIDialog::accept() {
    if (auto fault = ReadIntegerInRange(edit_, kMinDpi, kMaxDpi, dpi_)) {
        ShowPageFault(this, *fault);
        return;
    }
    QDialog::accept();
}
