#include "dialogs/ImportLasDlg.h"

#include "platform/MessageBox.h"
#include "platform/QtSurface.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Between the list and the buttons, so the list ends this far above Cancel.
constexpr int kListGap = 12;
constexpr int kCaptionGap = 4;

QString CheckAllText() {
    return QObject::tr("Check all");
}
QString UncheckAllText() {
    return QObject::tr("Uncheck all");
}

} // namespace

CImportLasDlg::CImportLasDlg(const std::vector<std::string>& entries, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Select Logs"));
    setSizeGripEnabled(true);

    // Two columns stand in for the tab between "mnemonic (unit)" and the description,
    // so the descriptions line up however long the names are.
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("logs"));
    list_->setColumnCount(2);
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(true);
    for (const std::string& entry : entries) {
        const QString text = TextFromBytes(entry);
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        auto* item = new QTreeWidgetItem(list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setText(0, (tab < 0 ? text : text.left(tab)).trimmed());
        if (tab >= 0) {
            const QString description = text.mid(tab + 1).trimmed();
            item->setText(1, description);
            item->setToolTip(1, description); // long ones are cut by the column
        }
    }
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CImportLasDlg::OnDoubleClicked);

    auto* caption = new QLabel(tr("Check the boxes to add logs in the plot:"), this);
    caption->setBuddy(list_);

    toggle_ = new QPushButton(CheckAllText(), this);
    toggle_->setObjectName(QStringLiteral("toggle"));
    toggle_->setAutoDefault(false);
    connect(toggle_, &QPushButton::clicked, this, &CImportLasDlg::OnToggle);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CImportLasDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImportLasDlg::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(toggle_);
    row->addStretch(1);
    row->addWidget(buttons);

    // Gaps set by hand: a layout's own spacing would add to them.
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(caption);
    layout->addSpacing(kCaptionGap);
    layout->addWidget(list_, 1);
    layout->addSpacing(kListGap);
    layout->addLayout(row);

    setMinimumSize(320, 260);
    resize(460, 400);
    list_->setFocus();
}

bool CImportLasDlg::IsTicked(int row) const {
    const QTreeWidgetItem* item = list_->topLevelItem(row);
    return item && item->checkState(0) == Qt::Checked;
}

void CImportLasDlg::SetTicked(int row, bool ticked) {
    if (QTreeWidgetItem* item = list_->topLevelItem(row))
        item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void CImportLasDlg::OnToggle() {
    // The caption, not the ticks, says which way the button goes.
    const bool tick = !toggle_->text().contains(QStringLiteral("Uncheck"));
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        SetTicked(i, tick);
    toggle_->setText(tick ? UncheckAllText() : CheckAllText());
}

void CImportLasDlg::OnDoubleClicked(QTreeWidgetItem* item) {
    SetTicked(list_->indexOfTopLevelItem(item), item->checkState(0) != Qt::Checked);
}

void CImportLasDlg::accept() {
    std::vector<int> flags(static_cast<size_t>(list_->topLevelItemCount()), 0);
    bool any = false;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        flags[static_cast<size_t>(i)] = IsTicked(i) ? 1 : 0;
        any = any || IsTicked(i);
    }
    if (!any) {
        AskUser(this, QMessageBox::Warning,
                tr("No selection made. You need to check the check boxes"), QMessageBox::Ok);
        return;
    }
    checked_ = std::move(flags);
    QDialog::accept();
}

