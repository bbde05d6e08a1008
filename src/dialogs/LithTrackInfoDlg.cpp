// "Properties" of a lithology column.
#include "dialogs/LithTrackInfoDlg.h"

#include "dialogs/PropertyPages.h"
#include "platform/QtSurface.h"
#include "tracks/LithTrack.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CLithTrackInfoDlg::CLithTrackInfoDlg(CLithTrack& track, QWidget* parent)
    : QDialog(parent), track_(track) {
    setWindowTitle(tr("Properties"));
    title_ = new QLineEdit(TextFromBytes(track.title), this);
    title_->setObjectName(QStringLiteral("title"));
    title_->setMinimumWidth(title_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    width_ = MakeExactNumberEdit(track.width, QStringLiteral("width"), this);
    kb_ = MakeExactNumberEdit(track.KB, QStringLiteral("kb"), this);

    auto* form = MakePageForm();
    form->addRow(tr("Title:"), title_);
    form->addRow(tr("Track width (in):"), width_);
    form->addRow(tr("KB Reference:"), kb_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel(this));
    title_->setFocus();
}

void CLithTrackInfoDlg::accept() {
    if (const auto fault = CheckTrackWidth(width_)) {
        ShowPageFault(this, *fault);
        return;
    }
    float width = track_.width, kb = track_.KB;
    if (!ReadPageNumbers(this, {{width_, &width}, {kb_, &kb}})) return;
    track_.title = EditedBytes(title_, track_.title);
    track_.width = width;
    track_.KB = kb;
    QDialog::accept();
}
