// "Input method": the data track's pencil adds the clicked value or averages a
// range of the next track, optionally confirmed in a dialog.
#include "dialogs/InputOptionsDlg.h"

#include "dialogs/PropertyPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CInputOptionsDlg::CInputOptionsDlg(int inputMethod, int confirmInput, QWidget* parent)
    : QDialog(parent), givenMethod_(inputMethod) {
    setWindowTitle(tr("Input method"));

    auto* explanation = new QLabel(
        tr("Input method for the data track when using the pencil tool. The simple method adds "
           "value at clicked point. The second method takes values from another log. You need "
           "to draw a range for this to work."),
        this);
    explanation->setObjectName(QStringLiteral("explanation"));
    explanation->setWordWrap(true);
    auto* methods = MakePageRadioRow(
        {tr("Simple, just add point where clicked."), tr("Average range from next log or overlay")},
        QStringLiteral("inputMethod"), inputMethod, method_, this, Qt::Vertical);
    confirm_ = new QCheckBox(tr("Confirm input (enable user modification)"), this);
    confirm_->setObjectName(QStringLiteral("confirmInput"));
    confirm_->setChecked(confirmInput != 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(methods);
    layout->addWidget(confirm_);
    layout->addWidget(MakeOkCancel(this));
    setMinimumWidth(380);
}

int CInputOptionsDlg::InputMethod() const {
    return PageCheckedOr(method_, givenMethod_);
}

int CInputOptionsDlg::ConfirmInput() const {
    return confirm_->isChecked() ? 1 : 0;
}
