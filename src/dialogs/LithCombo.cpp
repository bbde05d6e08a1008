// The owner-drawn lithology chooser: swatches drawn through the plot's own surface
// and pattern brushes, so an entry looks like the layers it will fill.
#include "dialogs/LithCombo.h"

#include "platform/QtSurface.h"
#include "tracks/LithArray.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace {

// Draws the list's items through the chooser, so list and field look the same.
class CLithDelegate : public QStyledItemDelegate {
  public:
    explicit CLithDelegate(CLithCombo* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        combo_->DrawItem(*painter, option.rect, index.row(),
                         (option.state & QStyle::State_Selected) != 0);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {combo_->sizeHint().width(), combo_->ItemHeight()};
    }

  private:
    CLithCombo* combo_;
};

} // namespace

CLithCombo::CLithCombo(const CLithArray& library, QWidget* parent)
    : QComboBox(parent), library_(library) {
    for (size_t i = 0; i < library.size(); ++i)
        addItem(TextFromBytes(library[i].name));
    setItemDelegate(new CLithDelegate(this));
    UpdateItemHeight();
}

int CLithCombo::ScaledItemHeight(double dpiX, int fontHeight) {
    // A text line with a little room above and below for the swatch's margins.
    const int design = fontHeight + 4;
    const int scaled = static_cast<int>(std::lround(design * dpiX / 120.0));
    return std::max(scaled, fontHeight + 2);
}

void CLithCombo::UpdateItemHeight() {
    const double dpiX = screen() ? screen()->logicalDotsPerInchX() : 96.0;
    const int height = ScaledItemHeight(dpiX, fontMetrics().height());
    if (height == itemHeight_) return;
    itemHeight_ = height;
    updateGeometry();
    // The list keeps its item sizes until told they changed.
    view()->doItemsLayout();
}

void CLithCombo::DrawItem(QPainter& painter, const QRect& rect, int index, bool selected) const {
    painter.save();
    const QPalette& colours = palette();
    painter.fillRect(rect, selected ? colours.color(QPalette::Highlight) : QColor(Qt::white));
    painter.setClipRect(rect, Qt::IntersectClip);
    if (index >= 0 && static_cast<size_t>(index) < library_.size()) {
        const CLithology& lith = library_[static_cast<size_t>(index)];
        const int left = rect.left(), top = rect.top();
        const int bottom = top + rect.height(); // outside the item, as the surface counts
        const int h = rect.height() - 2;
        {
            CQtSurface dc(painter);
            dc.SelectPen(CPen{PS_SOLID, 0, 0});
            dc.SelectBrush(CBrush::PatternBrush(lith.pattern));
            dc.Rectangle(left + 1, top + 2, left + 1 + h, bottom - 4);
        }
        painter.setPen(selected ? colours.color(QPalette::HighlightedText)
                                : colours.color(QPalette::Text));
        painter.setFont(font());
        const QRect text(left + h + 4, top, std::max(0, rect.right() - (left + h + 4)),
                         rect.height());
        painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         TextFromBytes(lith.name));
    }
    painter.restore();
}

int CLithCombo::ItemWidth() const {
    int widest = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 8;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(itemText(i)));
    return itemHeight_ + 4 + widest + 4;
}

QSize CLithCombo::sizeHint() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize content(ItemWidth(), itemHeight_);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, this);
}

QSize CLithCombo::minimumSizeHint() const {
    return sizeHint();
}

void CLithCombo::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The frame and arrow from the style; the field is ours.
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0)
        DrawItem(painter, field, currentIndex(), hasFocus());
    else
        painter.fillRect(field, Qt::white);
}

void CLithCombo::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        UpdateItemHeight();
}

void CLithCombo::showEvent(QShowEvent* event) {
    // The screen is only certain once the window is placed.
    UpdateItemHeight();
    QComboBox::showEvent(event);
}
