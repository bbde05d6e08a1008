// "Confirm input" for a digitised point and for a digitised range.
#include "dialogs/ConfirmInputDlg.h"

#include "dialogs/PropertyPages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

void Lay(QDialog* dialog, QFormLayout* form) {
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel(dialog));
}

} // namespace

CConfirmInputDlg::CConfirmInputDlg(float depth, float value, QWidget* parent)
    : QDialog(parent), depth_(depth), value_(value) {
    setWindowTitle(tr("Confirm input"));
    depthEdit_ = MakeExactNumberEdit(depth, QStringLiteral("depth"), this);
    valueEdit_ = MakeExactNumberEdit(value, QStringLiteral("value"), this);
    auto* form = MakePageForm();
    form->addRow(tr("Depth:"), depthEdit_);
    form->addRow(tr("Value:"), valueEdit_);
    Lay(this, form);
    depthEdit_->setFocus();
}

void CConfirmInputDlg::accept() {
    if (ReadPageNumbers(this, {{depthEdit_, &depth_}, {valueEdit_, &value_}})) QDialog::accept();
}

CConfirmRangeInpudDlg::CConfirmRangeInpudDlg(float top, float base, float value, QWidget* parent)
    : QDialog(parent), top_(top), base_(base), value_(value) {
    setWindowTitle(tr("Confirm input"));
    topEdit_ = MakeExactNumberEdit(top, QStringLiteral("top"), this);
    baseEdit_ = MakeExactNumberEdit(base, QStringLiteral("base"), this);
    valueEdit_ = MakeExactNumberEdit(value, QStringLiteral("value"), this);
    auto* form = MakePageForm();
    form->addRow(tr("Top:"), topEdit_);
    form->addRow(tr("Base:"), baseEdit_);
    form->addRow(tr("Value:"), valueEdit_);
    Lay(this, form);
    topEdit_->setFocus();
}

void CConfirmRangeInpudDlg::accept() {
    if (ReadPageNumbers(this, {{topEdit_, &top_}, {baseEdit_, &base_}, {valueEdit_, &value_}}))
        QDialog::accept();
}
