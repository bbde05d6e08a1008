#include "dialogs/PropertyPages.h"

#include "dialogs/ColourPicker.h"
#include "dialogs/DataTrackPage.h"
#include "platform/MessageBox.h"
#include "platform/QtSurface.h"
#include "axes/Axis.h"
#include "tracks/AxisTrack.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace {

// Wide enough for "-1.23457e+06" without making the form sprawl.
constexpr int kNumberChars = 13;

// The first limit characters (code points) of a UTF-8 text.
QString FirstChars(const std::string& text, int limit) {
    const QString all = QString::fromStdString(text);
    int units = 0;
    for (int chars = 0; units < all.size() && chars < limit; ++chars)
        units += all.at(units).isHighSurrogate() && units + 1 < all.size() ? 2 : 1;
    return all.left(units);
}

} // namespace

void ShowPageMessage(QWidget* parent, const QString& text) {
    AskUser(parent, QMessageBox::Warning, text, QMessageBox::Ok);
}

QString FormatPageNumber(double value) {
    return QString::asprintf("%g", value);
}

QString FormatExactNumber(float value) {
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

std::string EditedBytes(const QLineEdit* edit, const std::string& original) {
    const QString text = edit->text();
    return text == TextFromBytes(original) ? original : text.toStdString();
}

std::optional<float> ParsePageNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    // The fields are floats: infinities, NaN and values a float cannot hold are refused.
    if (!ok || !std::isfinite(value) || std::fabs(value) > FLT_MAX) return std::nullopt;
    return static_cast<float>(value);
}

// ---------------------------------------------------------------------------
// Building blocks

QString PageNotANumber() {
    return QObject::tr("Please enter a number.");
}

QLineEdit* MakePageNumberEdit(double value, const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(FormatPageNumber(value), parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kNumberChars +
                          12);
    return edit;
}

QLineEdit* MakeExactNumberEdit(float value, const QString& name, QWidget* parent) {
    QLineEdit* edit = MakePageNumberEdit(0, name, parent);
    edit->setText(FormatExactNumber(value));
    return edit;
}

QWidget* MakePageRadioRow(const QStringList& texts, const QString& namePrefix, int checkedId,
                          QButtonGroup*& group, QWidget* parent, Qt::Orientation orientation) {
    auto* row = new QWidget(parent);
    auto* layout = new QBoxLayout(
        orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, row);
    layout->setContentsMargins(0, 0, 0, 0);
    group = new QButtonGroup(row);
    for (int i = 0; i < texts.size(); ++i) {
        auto* radio = new QRadioButton(texts[i], row);
        radio->setObjectName(namePrefix + QString::number(i));
        radio->setChecked(i == checkedId);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    layout->addStretch(1);
    return row;
}

int PageCheckedOr(const QButtonGroup* group, int loaded) {
    const int id = group->checkedId();
    return id >= 0 ? id : loaded;
}

CColourPicker* MakePageColourButton(ColourRef colour, const QString& name, QWidget* parent) {
    auto* button = new CColourPicker(parent);
    button->setObjectName(name);
    button->SetColour(colour);
    return button;
}

QFormLayout* MakePageForm() {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return form;
}

std::optional<CPageFault> CheckPageRange(QLineEdit* edit, float min, float max) {
    const auto value = ParsePageNumber(edit->text());
    if (!value) return CPageFault{PageNotANumber(), edit};
    if (!(*value >= min && *value <= max))
        return CPageFault{QObject::tr("Please enter a number between %1 and %2.")
                              .arg(FormatPageNumber(min), FormatPageNumber(max)),
                          edit};
    return std::nullopt;
}

std::optional<CPageFault> CheckTrackWidth(QLineEdit* edit) {
    return CheckPageRange(edit, CCurvePropPage::kMinWidth, CCurvePropPage::kMaxWidth);
}

std::optional<CPageFault> ReadPageNumber(QLineEdit* edit, float& value) {
    const auto number = ParsePageNumber(edit->text());
    if (!number) return CPageFault{PageNotANumber(), edit};
    value = *number;
    return std::nullopt;
}

void ShowPageFault(QWidget* parent, const CPageFault& fault) {
    ShowPageMessage(parent, fault.message);
    if (!fault.focus) return;
    fault.focus->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(fault.focus)) edit->selectAll();
}

bool ReadPageNumbers(QWidget* parent, std::initializer_list<std::pair<QLineEdit*, float*>> fields) {
    std::vector<float> read(fields.size());
    auto value = read.begin();
    for (const auto& field : fields) {
        if (auto fault = ReadPageNumber(field.first, *value++)) {
            ShowPageFault(parent, *fault);
            return false;
        }
    }
    value = read.begin();
    for (const auto& field : fields)
        *field.second = *value++;
    return true;
}

QDialogButtonBox* MakeOkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// ---------------------------------------------------------------------------
// "General"

CCurvePropPage::CCurvePropPage(CLogTrack& track, QWidget* parent)
    : CPropPage(parent), track_(track) {
    auto* top = MakePageForm();
    width_ = MakePageNumberEdit(track.width, QStringLiteral("width"), this);
    kb_ = MakePageNumberEdit(track.KB, QStringLiteral("kb"), this);
    top->addRow(tr("Track width (in):"), width_);
    top->addRow(tr("KB Reference:"), kb_);

    auto* line = new QGroupBox(tr("Line"), this);
    auto* lineForm = MakePageForm();
    lineForm->addRow(tr("Line Width:"), MakePageRadioRow({tr("Fine"), tr("Medium"), tr("Heavy")},
                                                         QStringLiteral("lineWidth"),
                                                         track.linewidth, lineWidth_, line));
    lineForm->addRow(tr("Line Style:"), MakePageRadioRow({tr("Solid"), tr("Dashed"), tr("Dotted")},
                                                         QStringLiteral("lineStyle"),
                                                         track.linestyle, lineStyle_, line));
    lineColour_ = MakePageColourButton(track.linecolor, QStringLiteral("lineColour"), line);
    lineForm->addRow(tr("Line Color:"), lineColour_);
    line->setLayout(lineForm);

    auto* fill = new QGroupBox(tr("Fill"), this);
    auto* fillForm = MakePageForm();
    colourFill_ = new QCheckBox(tr("Color Fill"), fill);
    colourFill_->setObjectName(QStringLiteral("colourFill"));
    colourFill_->setChecked(track.colorFill != 0);
    fillForm->addRow(colourFill_);
    fillColour_ = MakePageColourButton(track.fillColor, QStringLiteral("fillColour"), fill);
    fillForm->addRow(tr("Color"), fillColour_);
    fillForm->addRow(tr("Fill side:"),
                     MakePageRadioRow({tr("Low"), tr("High")}, QStringLiteral("fillSide"),
                                      track.fillSide, fillSide_, fill));
    fill->setLayout(fillForm);

    // Shown only: the description comes with the data and is not edited here.
    const QString text =
        track.description.empty() ? tr("Desc:") : FirstChars(track.description, kDescriptionLimit);
    description_ = new QLabel(text, this);
    description_->setObjectName(QStringLiteral("description"));
    description_->setTextFormat(Qt::PlainText);
    description_->setWordWrap(true);
    description_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    description_->setFrameShape(QFrame::StyledPanel);
    description_->setMargin(4);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addWidget(fill);
    layout->addWidget(description_);
    layout->addStretch(1);
}

std::optional<CPageFault> CCurvePropPage::Check() const {
    if (auto fault = CheckTrackWidth(width_)) return fault;
    if (!ParsePageNumber(kb_->text())) return CPageFault{PageNotANumber(), kb_};
    return std::nullopt;
}

void CCurvePropPage::Store() {
    const auto width = ParsePageNumber(width_->text());
    const auto kb = ParsePageNumber(kb_->text());
    if (!width || !kb) return;
    track_.width = *width;
    track_.KB = *kb;
    track_.linewidth = PageCheckedOr(lineWidth_, track_.linewidth);
    track_.linestyle = PageCheckedOr(lineStyle_, track_.linestyle);
    track_.linecolor = lineColour_->GetColour();
    track_.colorFill = colourFill_->isChecked() ? 1 : 0;
    track_.fillColor = fillColour_->GetColour();
    track_.fillSide = PageCheckedOr(fillSide_, track_.fillSide);
}

// ---------------------------------------------------------------------------
// "Axis"

CAxisPropPage::CAxisPropPage(CAxis& axis, bool verticalOnly, QWidget* parent)
    : CPropPage(parent), axis_(axis), verticalOnly_(verticalOnly) {
    const CAxisPageValues values = LoadAxisPage(axis);

    label_ = new QLineEdit(QString::fromStdString(LimitLabel(values.label)), this);
    label_->setObjectName(QStringLiteral("label"));
    label_->setMaxLength(kAxisLabelLimit);
    label_->setMinimumWidth(label_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
    auto* top = new QFormLayout;
    top->addRow(tr("Label:"), label_);

    auto* scale = new QGroupBox(tr("Scale"), this);
    max_ = MakePageNumberEdit(values.max, QStringLiteral("maximum"), scale);
    min_ = MakePageNumberEdit(values.min, QStringLiteral("minimum"), scale);
    majorUnit_ = MakePageNumberEdit(values.majorUnit, QStringLiteral("majorUnit"), scale);
    minorUnit_ = MakePageNumberEdit(values.minorUnit, QStringLiteral("minorUnit"), scale);
    // Range on the left, units on the right, each label beside its edit.
    auto* grid = new QGridLayout(scale);
    grid->setColumnMinimumWidth(2, 16);
    grid->addWidget(new QLabel(tr("Maximum:"), scale), 0, 0);
    grid->addWidget(max_, 0, 1);
    grid->addWidget(new QLabel(tr("Minimum:"), scale), 1, 0);
    grid->addWidget(min_, 1, 1);
    grid->addWidget(new QLabel(tr("Major unit:"), scale), 0, 3);
    grid->addWidget(majorUnit_, 0, 4);
    grid->addWidget(new QLabel(tr("Minor unit:"), scale), 1, 3);
    grid->addWidget(minorUnit_, 1, 4);
    grid->setColumnStretch(5, 1);
    for (int row = 0; row < 2; ++row)
        for (int column : {0, 3})
            if (auto* label = qobject_cast<QLabel*>(grid->itemAtPosition(row, column)->widget()))
                label->setBuddy(grid->itemAtPosition(row, column + 1)->widget());

    logarithmic_ = new QCheckBox(tr("Logarithmic scale"), this);
    logarithmic_->setObjectName(QStringLiteral("logarithmic"));
    logarithmic_->setChecked(values.logarithmic);
    reverse_ = new QCheckBox(tr("Reverse direction"), this);
    reverse_->setObjectName(QStringLiteral("reverse"));
    reverse_->setChecked(values.reverse);
    // A logarithmic axis ticks at decades: the units play no part while it is checked.
    connect(logarithmic_, &QCheckBox::toggled, this, &CAxisPropPage::UpdateUnitEdits);
    UpdateUnitEdits();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(scale);
    layout->addWidget(logarithmic_);
    layout->addWidget(reverse_);
    layout->addStretch(1);
}

void CAxisPropPage::UpdateUnitEdits() {
    const bool linear = !logarithmic_->isChecked();
    majorUnit_->setEnabled(linear);
    minorUnit_->setEnabled(linear);
}

QLineEdit* CAxisPropPage::EditFor(AxisPageField field) const {
    switch (field) {
    case AxisPageField::Maximum:
        return max_;
    case AxisPageField::MajorUnit:
        return majorUnit_;
    case AxisPageField::MinorUnit:
        return minorUnit_;
    case AxisPageField::Minimum:
        break;
    }
    return min_;
}

std::optional<CPageFault> CAxisPropPage::Read(CAxisPageValues& values) const {
    values.label = label_->text().toStdString();
    // In the order the edits are laid out, so the first bad one is the one refused.
    const std::pair<QLineEdit*, float*> numbers[] = {{max_, &values.max},
                                                     {min_, &values.min},
                                                     {majorUnit_, &values.majorUnit},
                                                     {minorUnit_, &values.minorUnit}};
    for (const auto& [edit, target] : numbers) {
        const auto value = ParsePageNumber(edit->text());
        if (!value) return CPageFault{PageNotANumber(), edit};
        *target = *value;
    }
    values.logarithmic = logarithmic_->isChecked();
    values.reverse = reverse_->isChecked();
    return std::nullopt;
}

std::optional<CPageFault> CAxisPropPage::Check() const {
    CAxisPageValues values;
    if (auto fault = Read(values)) return fault;
    if (const auto error = ValidateAxisPage(values))
        return CPageFault{QString::fromStdString(error->message), EditFor(error->focus)};
    return std::nullopt;
}

void CAxisPropPage::Store() {
    CAxisPageValues values;
    if (Read(values)) return;
    StoreAxisPage(values, axis_);
    if (verticalOnly_) axis_.axisType = values.logarithmic ? kAxisLogV : kAxisLinearV;
}

// ---------------------------------------------------------------------------
// "Grids"

CGridPropPage::CGridPropPage(CAxis& axis, QWidget* parent) : CPropPage(parent), axis_(axis) {
    const CGridPageValues values = LoadGridPage(axis);
    auto* groups = new QHBoxLayout;
    groups->addWidget(MakeGroup(tr("Major grids"), QStringLiteral("major"), values.major, major_));
    groups->addWidget(MakeGroup(tr("Minor grids"), QStringLiteral("minor"), values.minor, minor_));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addStretch(1);
}

QWidget* CGridPropPage::MakeGroup(const QString& title, const QString& objectPrefix,
                                  const CGridGroupValues& values, Group& group) {
    auto* box = new QGroupBox(title, this);
    auto* form = MakePageForm();
    group.draw = new QCheckBox(tr("Draw grids"), box);
    group.draw->setObjectName(objectPrefix + QStringLiteral("Draw"));
    group.draw->setChecked(values.draw);
    form->addRow(group.draw);
    form->addRow(tr("Line style:"), MakePageRadioRow({tr("Solid"), tr("Dashed")},
                                                     objectPrefix + QStringLiteral("Style"),
                                                     values.dashed ? 1 : 0, group.style, box));
    form->addRow(tr("Line width:"), MakePageRadioRow({tr("Fine"), tr("Medium")},
                                                     objectPrefix + QStringLiteral("Width"),
                                                     values.width, group.width, box));
    group.colour =
        MakePageColourButton(values.colour, objectPrefix + QStringLiteral("Colour"), box);
    form->addRow(tr("Line Color:"), group.colour);
    group.loadedWidth = values.width;
    box->setLayout(form);
    return box;
}

CGridGroupValues CGridPropPage::Values(const Group& group) {
    CGridGroupValues values;
    values.draw = group.draw->isChecked();
    values.dashed = group.style->checkedId() == 1;
    values.width = PageCheckedOr(group.width, group.loadedWidth);
    values.colour = group.colour->GetColour();
    return values;
}

void CGridPropPage::Store() {
    StoreGridPage({Values(major_), Values(minor_)}, axis_);
}

// ---------------------------------------------------------------------------
// "Track Properties"

CTrackPropSheet::CTrackPropSheet(CTrack& track, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Track Properties"));
    tabs_ = new QTabWidget(this);
    if (auto* log = dynamic_cast<CLogTrack*>(&track)) {
        AddPage(new CCurvePropPage(*log));
        AddPage(new CAxisPropPage(log->hAxis));
        AddPage(new CGridPropPage(log->hAxis));
    } else if (auto* data = dynamic_cast<CDataTrack*>(&track)) {
        AddPage(new CDataTrackInfoPage(*data));
        AddPage(new CAxisPropPage(data->hAxis));
        AddPage(new CGridPropPage(data->hAxis));
    } else if (dynamic_cast<CAxisTrack*>(&track) && track.depthAxis) {
        AddPage(new CAxisPropPage(*track.depthAxis, true));
        AddPage(new CGridPropPage(*track.depthAxis));
    }
    connect(tabs_, &QTabWidget::currentChanged, this, &CTrackPropSheet::OnCurrentChanged);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTrackPropSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTrackPropSheet::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    setMinimumSize(420, 340);
}

void CTrackPropSheet::AddPage(CPropPage* page) {
    pages_.push_back(page);
    tabs_->addTab(page, page->Caption());
}

void CTrackPropSheet::OnCurrentChanged(int index) {
    if (index == shown_ || index < 0) return;
    if (const auto fault = pages_.at(static_cast<size_t>(shown_))->Check()) {
        // Back to the page being left; this call comes back here with index == shown_.
        tabs_->setCurrentIndex(shown_);
        Refuse(shown_, *fault);
        return;
    }
    shown_ = index;
}

void CTrackPropSheet::Refuse(int pageIndex, const CPageFault& fault) {
    tabs_->setCurrentIndex(pageIndex);
    ShowPageFault(this, fault);
}

void CTrackPropSheet::accept() {
    // The page on show first, as it is the one the user is looking at.
    std::vector<int> order;
    if (PageCount() > 0) order.push_back(shown_);
    for (int i = 0; i < PageCount(); ++i)
        if (i != shown_) order.push_back(i);
    for (int i : order) {
        if (const auto fault = pages_.at(static_cast<size_t>(i))->Check()) {
            Refuse(i, *fault);
            return;
        }
    }
    for (CPropPage* page : pages_)
        page->Store();
    QDialog::accept();
}
