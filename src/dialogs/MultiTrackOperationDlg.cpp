// "Multi Track Operation": tracks A and B, the operation and the new name.
#include "dialogs/MultiTrackOperationDlg.h"

#include "dialogs/PropertyPages.h"
#include "platform/QtSurface.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QComboBox* TrackList(const std::vector<std::string>& labels, int chosen, const QString& name,
                     QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const std::string& label : labels)
        combo->addItem(TextFromBytes(label));
    combo->setCurrentIndex(chosen >= 0 && chosen < combo->count() ? chosen : 0);
    return combo;
}

} // namespace

CMultiTrackOperationDlg::CMultiTrackOperationDlg(const std::vector<std::string>& labels,
                                                 const CMultiTrackChoice& choice, QWidget* parent)
    : QDialog(parent), given_(choice) {
    setWindowTitle(tr("Multi Track Operation"));
    trackA_ = TrackList(labels, choice.trackA, QStringLiteral("trackA"), this);
    trackB_ = TrackList(labels, choice.trackB, QStringLiteral("trackB"), this);
    // The radios' ids are the operations' indices.
    auto* operations = MakePageRadioRow(
        {QStringLiteral("A + B"), QStringLiteral("A - B"), QStringLiteral("A x B"),
         QStringLiteral("A / B"), QStringLiteral("A / ( A + B )")},
        QStringLiteral("operation"), choice.operation, operation_, this, Qt::Vertical);
    name_ = new QLineEdit(TextFromBytes(choice.name), this);
    name_->setObjectName(QStringLiteral("name"));

    auto* form = new QFormLayout;
    form->addRow(tr("Track A:"), trackA_);
    form->addRow(tr("Track B:"), trackB_);
    form->addRow(operations);
    form->addRow(tr("New Track Name:"), name_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel(this));
    trackA_->setFocus();
}

CMultiTrackChoice CMultiTrackOperationDlg::Choice() const {
    CMultiTrackChoice choice;
    choice.trackA = trackA_->currentIndex();
    choice.trackB = trackB_->currentIndex();
    choice.operation = PageCheckedOr(operation_, given_.operation);
    choice.name = EditedBytes(name_, given_.name);
    return choice;
}
