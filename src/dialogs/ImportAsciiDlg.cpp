// "Select Data Columns" for File > Import ASCII file.
#include "dialogs/ImportAsciiDlg.h"

#include "dialogs/IntegerField.h"
#include "platform/MessageBox.h"
#include "platform/QtSurface.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

CImportAsciiDlg::CImportAsciiDlg(const std::vector<std::string>& names, const CAsciiColumns& choice,
                                 QWidget* parent)
    : QDialog(parent), columns_(choice) {
    setWindowTitle(tr("Select Data Columns"));
    setSizeGripEnabled(true);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("columns"));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setUniformItemSizes(true);
    for (size_t i = 0; i < names.size(); ++i) {
        auto* item = new QListWidgetItem(TextFromBytes(names[i]), list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool ticked = i < choice.ticked.size() && choice.ticked[i] != 0;
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    auto* caption = new QLabel(tr("Select columns to add:"), this);
    caption->setBuddy(list_);

    auto* units = MakePageRadioRow({tr("meters"), tr("feet")}, QStringLiteral("unit"), choice.unit,
                                   unit_, this);
    depthColumn_ = MakeIntegerEdit(choice.depthColumn, QStringLiteral("depthColumn"), this);
    auto* form = MakePageForm();
    form->addRow(tr("Units:"), units);
    form->addRow(tr("Depth is in column:"), depthColumn_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel(this));
    setMinimumSize(300, 320);
    list_->setFocus();
}

void CImportAsciiDlg::SetTicked(int row, bool ticked) {
    if (QListWidgetItem* item = list_->item(row))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void CImportAsciiDlg::accept() {
    std::vector<int> ticked(static_cast<size_t>(list_->count()), 0);
    bool any = false;
    for (int i = 0; i < list_->count(); ++i) {
        ticked[static_cast<size_t>(i)] = list_->item(i)->checkState() == Qt::Checked ? 1 : 0;
        any = any || ticked[static_cast<size_t>(i)];
    }
    if (!any) {
        AskUser(this, QMessageBox::Warning,
                tr("No selection made. You need to check the check boxes"), QMessageBox::Ok);
        return;
    }
    int depthColumn = 1;
    if (auto fault = ReadIntegerInRange(depthColumn_, 1, kMaxDepthColumn, depthColumn)) {
        ShowPageFault(this, *fault);
        return;
    }
    columns_.ticked = std::move(ticked);
    columns_.unit = PageCheckedOr(unit_, columns_.unit);
    columns_.depthColumn = depthColumn;
    QDialog::accept();
}
