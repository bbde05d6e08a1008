// "Enter filter length" for Smooth Log.
#include "dialogs/FilterLengthDlg.h"

#include "dialogs/IntegerField.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CFilterLengthDlg::CFilterLengthDlg(int length, QWidget* parent) : QDialog(parent), length_(length) {
    setWindowTitle(tr("Enter filter length"));
    edit_ = MakeIntegerEdit(length, QStringLiteral("length"), this);
    auto* prompt = new QLabel(tr("Enter number of points to average over (minimum 3):"), this);
    prompt->setBuddy(edit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(edit_);
    layout->addWidget(MakeOkCancel(this));
    edit_->selectAll();
    edit_->setFocus();
}

void CFilterLengthDlg::accept() {
    if (auto fault = ReadIntegerInRange(edit_, kMinLength, kMaxLength, length_)) {
        ShowPageFault(this, *fault);
        return;
    }
    QDialog::accept();
}
