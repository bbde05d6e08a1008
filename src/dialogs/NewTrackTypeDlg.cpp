// "Select new track type": scatter data, formation tops or a lithology column.
#include "dialogs/NewTrackTypeDlg.h"

#include "dialogs/PropertyPages.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CNewTrackTypeDlg::CNewTrackTypeDlg(NewTrackKind kind, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Select new track type"));
    // The radios' ids are the kinds' values, in the order the kinds are declared.
    auto* kinds =
        MakePageRadioRow({tr("Scatter data, or curve"), tr("Stratigraphy"), tr("Lithology column")},
                         QStringLiteral("kind"), static_cast<int>(kind), kind_, this, Qt::Vertical);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kinds);
    layout->addWidget(MakeOkCancel(this));
}

NewTrackKind CNewTrackTypeDlg::Kind() const {
    switch (kind_->checkedId()) {
    case 1:
        return NewTrackKind::Strat;
    case 2:
        return NewTrackKind::Lith;
    default:
        return NewTrackKind::Data;
    }
}
