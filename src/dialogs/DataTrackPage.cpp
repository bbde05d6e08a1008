#include "dialogs/DataTrackPage.h"

#include "dialogs/ColourPicker.h"
#include "dialogs/SymbolCombo.h"
#include "tracks/DataTrack.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QCheckBox* MakeCheck(const QString& text, const QString& name, int value, QWidget* parent) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(name);
    check->setChecked(value != 0);
    return check;
}

// The index of a loaded value, or -1 (nothing shown) when the list has no such item.
int IndexOf(int value, int count) {
    return value >= 0 && value < count ? value : -1;
}

} // namespace

CDataTrackInfoPage::CDataTrackInfoPage(CDataTrack& track, QWidget* parent)
    : CPropPage(parent), track_(track) {
    auto* top = MakePageForm();
    width_ = MakePageNumberEdit(track.width, QStringLiteral("width"), this);
    top->addRow(tr("Track width (in):"), width_);

    // Line and markers side by side, each a form of its own; the fill below both.
    auto* groups = new QGridLayout;
    groups->addWidget(MakeLineGroup(), 0, 0);
    groups->addWidget(MakeMarkerGroup(), 0, 1);
    groups->addWidget(MakeFillGroup(), 1, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addStretch(1);
}

QWidget* CDataTrackInfoPage::MakeLineGroup() {
    auto* box = new QGroupBox(tr("Line"), this);
    auto* form = MakePageForm();
    drawLine_ = MakeCheck(tr("Draw line"), QStringLiteral("drawLine"), track_.drawline, box);
    form->addRow(drawLine_);
    form->addRow(tr("Width:"),
                 MakePageRadioRow({tr("Fine"), tr("Medium"), tr("Heavy")},
                                  QStringLiteral("lineWidth"), track_.linewidth, lineWidth_, box));
    form->addRow(tr("Style:"),
                 MakePageRadioRow({tr("Solid"), tr("Dashed"), tr("Dotted")},
                                  QStringLiteral("lineStyle"), track_.linestyle, lineStyle_, box));
    lineColour_ = MakePageColourButton(track_.linecolor, QStringLiteral("lineColour"), box);
    form->addRow(tr("Color:"), lineColour_);
    form->addRow(tr("Styles:"),
                 MakePageRadioRow({tr("Connect"), tr("Block"), tr("Sticks")},
                                  QStringLiteral("plotStyle"), track_.plotStyle, plotStyle_, box));
    box->setLayout(form);
    return box;
}

QWidget* CDataTrackInfoPage::MakeMarkerGroup() {
    auto* box = new QGroupBox(tr("Markers"), this);
    auto* form = MakePageForm();
    drawMarkers_ =
        MakeCheck(tr("Draw markers"), QStringLiteral("drawMarkers"), track_.drawmarkers, box);
    form->addRow(drawMarkers_);

    symbols_ = new CSymbolCombo(box);
    symbols_->setObjectName(QStringLiteral("symbol"));
    // The chooser draws with what the page shows, not with what the track holds.
    symbols_->SetSymbolSize(track_.symbolsize);
    symbols_->SetSymbolColour(track_.symbolcolor);
    symbols_->SetBackColour(track_.symbolBkColor);
    // A symbol the list does not offer (files may hold any id) shows nothing and is
    // kept unless another is picked.
    symbols_->setCurrentIndex(IndexOf(track_.symbolid, CSymbolCombo::kChoices));
    form->addRow(tr("Type:"), symbols_);

    symbolSize_ = new QComboBox(box);
    symbolSize_->setObjectName(QStringLiteral("symbolSize"));
    for (int i = 1; i <= kSizeChoices; ++i)
        symbolSize_->addItem(QString::number(i));
    symbolSize_->setCurrentIndex(IndexOf(track_.symbolsize, kSizeChoices));
    connect(symbolSize_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) symbols_->SetSymbolSize(index);
    });
    form->addRow(tr("Size:"), symbolSize_);

    symbolColour_ = MakePageColourButton(track_.symbolcolor, QStringLiteral("symbolColour"), box);
    symbolBack_ = MakePageColourButton(track_.symbolBkColor, QStringLiteral("symbolBkColour"), box);
    for (CColourPicker* picker : {symbolColour_, symbolBack_}) {
        auto follow = [this, picker] {
            if (picker == symbolColour_)
                symbols_->SetSymbolColour(picker->GetColour());
            else
                symbols_->SetBackColour(picker->GetColour());
        };
        connect(picker, &CColourPicker::SelectionChanged, this, follow);
    }
    form->addRow(tr("Color:"), symbolColour_);
    form->addRow(tr("Bk Color:"), symbolBack_);
    box->setLayout(form);
    return box;
}

QWidget* CDataTrackInfoPage::MakeFillGroup() {
    auto* box = new QGroupBox(tr("Fill"), this);
    auto* form = MakePageForm();
    colourFill_ = MakeCheck(tr("Color Fill"), QStringLiteral("colourFill"), track_.colorFill, box);
    form->addRow(colourFill_);
    fillColour_ = MakePageColourButton(track_.fillColor, QStringLiteral("fillColour"), box);
    form->addRow(tr("Color"), fillColour_);
    form->addRow(tr("Side:"), MakePageRadioRow({tr("Low"), tr("High")}, QStringLiteral("fillSide"),
                                               track_.fillSide, fillSide_, box));
    box->setLayout(form);
    return box;
}

std::optional<CPageFault> CDataTrackInfoPage::Check() const {
    return CheckPageRange(width_, kMinWidth, kMaxWidth);
}

void CDataTrackInfoPage::Store() {
    const auto width = ParsePageNumber(width_->text());
    if (!width) return;
    track_.width = *width;
    track_.drawline = drawLine_->isChecked() ? 1 : 0;
    track_.linewidth = PageCheckedOr(lineWidth_, track_.linewidth);
    track_.linestyle = PageCheckedOr(lineStyle_, track_.linestyle);
    track_.linecolor = lineColour_->GetColour();
    track_.plotStyle = PageCheckedOr(plotStyle_, track_.plotStyle);
    track_.drawmarkers = drawMarkers_->isChecked() ? 1 : 0;
    if (symbols_->currentIndex() >= 0) track_.symbolid = symbols_->currentIndex();
    if (symbolSize_->currentIndex() >= 0) track_.symbolsize = symbolSize_->currentIndex();
    track_.symbolcolor = symbolColour_->GetColour();
    track_.symbolBkColor = symbolBack_->GetColour();
    track_.colorFill = colourFill_->isChecked() ? 1 : 0;
    track_.fillColor = fillColour_->GetColour();
    track_.fillSide = PageCheckedOr(fillSide_, track_.fillSide);
}
