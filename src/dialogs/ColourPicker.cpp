#include "dialogs/ColourPicker.h"

#include "dialogs/ColourPopup.h"

#include <QEvent>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace {

ColourRef FromQColor(const QColor& c) {
    return MakeRGB(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()),
                   static_cast<unsigned>(c.blue()));
}

QColor ToQColor(ColourRef c) {
    return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)),
                  static_cast<int>(BlueOf(c)));
}

// The style's frame width and scroll-bar extent stand in for the edge and thumb
// sizes of the system; Qt styles use the same value across and down.
int EdgeWidth(const QWidget* w) {
    return w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
}

int ArrowSize(const QWidget* w) {
    const int thumb = w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w);
    return std::max(thumb, 5 * EdgeWidth(w));
}

QSize MinimumPickerSize(const QWidget* w) {
    const int edge = EdgeWidth(w), arrow = ArrowSize(w);
    return QSize(2 * (arrow + edge), arrow + 2 * edge);
}

} // namespace

struct CColourPicker::Impl {
    ColourRef colour = 0;
    bool trackSelection = false;
    bool active = false;
    QString defaultText = QStringLiteral("Automatic");
    QString customText = QStringLiteral("More Colours...");
    QPointer<CColourPopup> popup;
};

CColourPicker::CColourPicker(QWidget* parent) : QPushButton(parent), d(new Impl) {
    d->colour = FromQColor(palette().color(QPalette::Button));
    setMinimumSize(MinimumPickerSize(this));
    connect(this, &QPushButton::clicked, this, &CColourPicker::OnClicked);
}

CColourPicker::~CColourPicker() {
    // The palette is our child; it must not report into a half-destroyed button.
    if (d->popup) {
        d->popup->disconnect(this);
        delete d->popup;
    }
    delete d;
}

ColourRef CColourPicker::GetColour() const {
    return d->colour;
}

void CColourPicker::SetColour(ColourRef colour) {
    d->colour = colour;
    if (isVisible()) repaint();
}

void CColourPicker::SetDefaultText(const QString& text) {
    d->defaultText = text;
}
void CColourPicker::SetCustomText(const QString& text) {
    d->customText = text;
}

void CColourPicker::SetTrackSelection(bool on) {
    d->trackSelection = on;
}
CColourPopup* CColourPicker::Popup() const {
    return d->popup;
}

void CColourPicker::OnClicked() {
    if (d->popup) return;
    d->active = true;
    auto* popup = new CColourPopup(mapToGlobal(QPoint(0, height())), GetColour(), this,
                                   d->defaultText, d->customText);
    d->popup = popup;
    connect(popup, &CColourPopup::SelectionChanged, this, &CColourPicker::OnPopupChanged);
    connect(popup, &CColourPopup::SelectionEndedOk, this, &CColourPicker::OnPopupEndedOk);
    connect(popup, &CColourPopup::SelectionCancelled, this, &CColourPicker::OnPopupCancelled);
    update();
    popup->show();
    emit DropDown(GetColour());
}

void CColourPicker::OnPopupChanged(ColourRef colour) {
    if (!d->active) return;
    if (d->trackSelection) SetColour(colour);
    emit SelectionChanged(colour);
}

void CColourPicker::OnPopupEndedOk(ColourRef colour) {
    d->active = false;
    d->popup = nullptr;
    const ColourRef old = GetColour();
    SetColour(colour); // the repaint also drops the sunken look
    emit CloseUp(colour);
    emit SelectionEndedOk(colour);
    if (colour != old) emit SelectionChanged(colour);
}

void CColourPicker::OnPopupCancelled(ColourRef colour) {
    d->active = false;
    d->popup = nullptr;
    SetColour(colour); // the repaint also drops the sunken look
    emit CloseUp(colour);
    emit SelectionCancelled(colour);
}

QRect CColourPicker::ArrowRect() const {
    const int edge = EdgeWidth(this), arrow = ArrowSize(this);
    return QRect(width() - edge - arrow, edge, arrow, height() - 2 * edge);
}

void CColourPicker::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) setMinimumSize(MinimumPickerSize(this));
    QPushButton::changeEvent(event);
}

QSize CColourPicker::sizeHint() const {
    return QPushButton::sizeHint().expandedTo(MinimumPickerSize(this));
}

void CColourPicker::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    if (d->active) {
        option.state |= QStyle::State_Sunken;
        option.state &= ~QStyle::State_Raised;
    }
    p.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect arrowRect = ArrowRect();
    QStyleOption arrowOption = option;
    arrowOption.rect = arrowRect;
    p.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrowOption);

    if (!isEnabled()) return;
    const int edge = EdgeWidth(this);
    QRect swatch(2 * edge, 2 * edge, arrowRect.left() - 3 * edge, height() - 4 * edge);
    if (d->active) swatch.translate(1, 1); // follow the pressed look
    if (swatch.width() < 3 || swatch.height() < 3) return;
    p.fillRect(swatch, ToQColor(GetColour()));
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(Qt::NoBrush);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
}
