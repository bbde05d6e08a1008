// "Lithology": edits one layer of a lithology column.
#include "dialogs/LithInputDlg.h"

#include "dialogs/LithCombo.h"
#include "dialogs/PropertyPages.h"
#include "tracks/LithArray.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CLithInputDlg::CLithInputDlg(float top, float bottom, int lithId, const CLithArray& library,
                             QWidget* parent)
    : QDialog(parent), top_(top), bottom_(bottom), lithId_(lithId) {
    setWindowTitle(tr("Lithology"));

    topEdit_ = MakeExactNumberEdit(top, QStringLiteral("top"), this);
    bottomEdit_ = MakeExactNumberEdit(bottom, QStringLiteral("bottom"), this);
    bottomLabel_ = new QLabel(tr("Bottom :"), this);
    bottomLabel_->setObjectName(QStringLiteral("bottomLabel"));
    bottomLabel_->setBuddy(bottomEdit_);
    // A single top has no bottom to edit; a dragged range has.
    const bool range = top < bottom;
    bottomEdit_->setEnabled(range);
    bottomLabel_->setEnabled(range);

    chooser_ = new CLithCombo(library, this);
    chooser_->setObjectName(QStringLiteral("lithology"));
    chooser_->setCurrentIndex(-1);
    for (size_t i = 0; i < library.size(); ++i) {
        if (library[i].id == lithId) {
            chooser_->setCurrentIndex(static_cast<int>(i));
            break;
        }
    }

    auto* form = MakePageForm();
    form->addRow(tr("Top :"), topEdit_);
    form->addRow(bottomLabel_, bottomEdit_);
    form->addRow(tr("Lithology:"), chooser_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel(this));
    topEdit_->setFocus();
}

void CLithInputDlg::accept() {
    // A disabled bottom is not the user's to get wrong: it comes back as given.
    const bool read = bottomEdit_->isEnabled()
                          ? ReadPageNumbers(this, {{topEdit_, &top_}, {bottomEdit_, &bottom_}})
                          : ReadPageNumbers(this, {{topEdit_, &top_}});
    if (!read) return;
    const int chosen = chooser_->currentIndex();
    if (chosen >= 0 && static_cast<size_t>(chosen) < chooser_->Library().size())
        lithId_ = chooser_->Library()[static_cast<size_t>(chosen)].id;
    QDialog::accept();
}
