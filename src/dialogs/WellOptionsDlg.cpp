// "Well options": the name above the plot, the depth unit and the second depth axis.
#include "dialogs/WellOptionsDlg.h"

#include "dialogs/PropertyPages.h"
#include "platform/QtSurface.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CWellOptionsDlg::CWellOptionsDlg(const CWellOptions& options, QWidget* parent)
    : QDialog(parent), given_(options) {
    setWindowTitle(tr("Well options"));

    wellName_ = new QLineEdit(TextFromBytes(options.wellName), this);
    wellName_->setObjectName(QStringLiteral("wellName"));
    wellName_->setMinimumWidth(wellName_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20);
    auto* units = MakePageRadioRow({tr("Meters"), tr("Feet")}, QStringLiteral("depthUnit"),
                                   options.depthUnit, depthUnit_, this);
    dualAxis_ = new QCheckBox(tr("Dual depth axis"), this);
    dualAxis_->setObjectName(QStringLiteral("dualAxis"));
    dualAxis_->setChecked(options.dualAxis != 0);

    auto* form = new QFormLayout;
    form->addRow(tr("Well Name:"), wellName_);
    form->addRow(tr("Depth Units:"), units);
    form->addRow(dualAxis_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel(this));
    wellName_->setFocus();
}

CWellOptions CWellOptionsDlg::Options() const {
    CWellOptions options;
    options.wellName = EditedBytes(wellName_, given_.wellName);
    options.depthUnit = PageCheckedOr(depthUnit_, given_.depthUnit);
    options.dualAxis = dualAxis_->isChecked() ? 1 : 0;
    return options;
}
