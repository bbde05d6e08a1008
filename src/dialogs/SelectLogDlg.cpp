#include "dialogs/SelectLogDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SelectLogDlg::SelectLogDlg(const std::vector<std::string>& names, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Select Log"));
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& name : names)
        list_->addItem(QString::fromStdString(name));
    auto* caption = new QLabel(tr("Select a log:"), this);
    caption->setBuddy(list_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons_->button(QDialogButtonBox::Ok);
    // Nothing is chosen until a row is: OK waits for one.
    ok->setEnabled(false);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this, ok] { ok->setEnabled(Selection() >= 0); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        list_->setCurrentItem(item);
        accept();
    });
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons_);
    setMinimumSize(280, 320);
    list_->setFocus();
}

int SelectLogDlg::Selection() const {
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    return chosen.isEmpty() ? -1 : list_->row(chosen.first());
}
