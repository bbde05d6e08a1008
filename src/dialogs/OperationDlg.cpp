// "Operation": the value operations and the value the arithmetic takes.
#include "dialogs/OperationDlg.h"

#include "dialogs/PropertyPages.h"
#include "tracks/ValueOperation.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

COperationDlg::COperationDlg(int code, float value, QWidget* parent)
    : QDialog(parent), code_(code), value_(value) {
    setWindowTitle(tr("Operation"));
    operation_ = new QComboBox(this);
    operation_->setObjectName(QStringLiteral("operation"));
    for (const char* name : kValueOperationNames)
        operation_->addItem(QString::fromLatin1(name));
    valueEdit_ = MakeExactNumberEdit(value, QStringLiteral("value"), this);
    caption_ = new QLabel(tr("By value:"), this);
    caption_->setObjectName(QStringLiteral("valueCaption"));
    caption_->setBuddy(valueEdit_);

    auto* grid = new QGridLayout;
    grid->addWidget(operation_, 0, 0, 1, 2);
    grid->addWidget(caption_, 1, 0);
    grid->addWidget(valueEdit_, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(this));

    connect(operation_, &QComboBox::currentIndexChanged, this, &COperationDlg::OnOperationChanged);
    operation_->setCurrentIndex(code >= 0 && code < kValueOperationCount ? code : 0);
    OnOperationChanged(operation_->currentIndex()); // the first choice counts too
    operation_->setFocus();
}

void COperationDlg::OnOperationChanged(int code) {
    const bool takesValue = OperationTakesValue(code);
    caption_->setEnabled(takesValue);
    valueEdit_->setEnabled(takesValue);
}

void COperationDlg::accept() {
    const int code = operation_->currentIndex();
    float value = value_;
    if (OperationTakesValue(code)) {
        if (auto fault = ReadPageNumber(valueEdit_, value)) {
            ShowPageFault(this, *fault);
            return;
        }
    }
    code_ = code;
    value_ = value;
    QDialog::accept();
}
