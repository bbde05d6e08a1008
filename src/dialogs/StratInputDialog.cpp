// "Stratigraphy": edits one formation top of a strat track.
#include "dialogs/StratInputDialog.h"

#include "dialogs/ColourPicker.h"
#include "dialogs/PropertyPages.h"
#include "platform/QtSurface.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CStratInputDialog::CStratInputDialog(const std::string& name, float top, float bottom,
                                     ColourRef fillColor, QWidget* parent)
    : QDialog(parent), name_(name), top_(top), bottom_(bottom), fillColor_(fillColor),
      range_(top < bottom) {
    setWindowTitle(tr("Stratigraphy"));

    nameEdit_ = new QLineEdit(TextFromBytes(name), this);
    nameEdit_->setObjectName(QStringLiteral("name"));
    nameEdit_->setMinimumWidth(nameEdit_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    topEdit_ = MakeExactNumberEdit(top, QStringLiteral("top"), this);
    bottomEdit_ = MakeExactNumberEdit(bottom, QStringLiteral("bottom"), this);
    bottomLabel_ = new QLabel(tr("Bottom:"), this);
    bottomLabel_->setObjectName(QStringLiteral("bottomLabel"));
    bottomLabel_->setBuddy(bottomEdit_);
    // A single top has no bottom; a dragged range has.
    bottomEdit_->setVisible(range_);
    bottomLabel_->setVisible(range_);
    fill_ = MakePageColourButton(fillColor, QStringLiteral("fillColor"), this);

    auto* form = MakePageForm();
    form->addRow(tr("Name:"), nameEdit_);
    form->addRow(tr("Top depth:"), topEdit_);
    form->addRow(bottomLabel_, bottomEdit_);
    form->addRow(tr("Fill color:"), fill_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel(this));
    // Typing replaces the whole name.
    nameEdit_->setFocus();
    nameEdit_->selectAll();
}

void CStratInputDialog::accept() {
    const bool read = range_ ? ReadPageNumbers(this, {{topEdit_, &top_}, {bottomEdit_, &bottom_}})
                             : ReadPageNumbers(this, {{topEdit_, &top_}});
    if (!read) return;
    name_ = EditedBytes(nameEdit_, name_);
    fillColor_ = fill_->GetColour();
    QDialog::accept();
}
