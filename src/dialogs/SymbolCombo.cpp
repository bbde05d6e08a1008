#include "dialogs/SymbolCombo.h"

#include "platform/QtSurface.h"
#include "gfx/DrawHelpers.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Draws the list's items through the chooser, so list and field look the same.
class CSymbolDelegate : public QStyledItemDelegate {
  public:
    explicit CSymbolDelegate(CSymbolCombo* combo) : QStyledItemDelegate(combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        combo_->DrawItem(*painter, option.rect, index.row(),
                         (option.state & QStyle::State_Selected) != 0);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {combo_->ItemHeight() * 2, combo_->ItemHeight()};
    }

  private:
    CSymbolCombo* combo_;
};

} // namespace

CSymbolCombo::CSymbolCombo(QWidget* parent) : QComboBox(parent) {
    for (int i = 0; i < kChoices; ++i)
        addItem(QString::number(i));
    setItemDelegate(new CSymbolDelegate(this));
    UpdateItemHeight();
}

int CSymbolCombo::ScaledItemHeight(double dpiX, int fontHeight) {
    const int scaled = static_cast<int>(kDesignItemHeight * dpiX / 120.0 + 0.5);
    return std::max(scaled, fontHeight + 2);
}

void CSymbolCombo::UpdateItemHeight() {
    const double dpiX = screen() ? screen()->logicalDotsPerInchX() : 96.0;
    const int height = ScaledItemHeight(dpiX, fontMetrics().height());
    if (height == itemHeight_) return;
    itemHeight_ = height;
    updateGeometry();
    // The list keeps its item sizes until told they changed.
    view()->doItemsLayout();
}

void CSymbolCombo::SetSymbolSize(int size) {
    size_ = size;
    Redraw();
}

void CSymbolCombo::SetSymbolColour(ColourRef colour) {
    colour_ = colour;
    Redraw();
}

void CSymbolCombo::SetBackColour(ColourRef colour) {
    back_ = colour;
    Redraw();
}

void CSymbolCombo::Redraw() {
    update();
    view()->viewport()->update();
}

void CSymbolCombo::DrawItem(QPainter& painter, const QRect& rect, int id, bool selected) const {
    painter.save();
    painter.fillRect(rect, selected ? palette().color(QPalette::Highlight) : QColor(Qt::white));
    painter.setClipRect(rect, Qt::IntersectClip);
    {
        // The plot's own surface and symbol code, so the choice looks as it will.
        CQtSurface dc(painter);
        dc.SelectPen(CPen{PS_SOLID, 1, colour_});
        dc.SelectBrush(CBrush::SolidBrush(back_));
        const QPoint centre = rect.center();
        DrawSymbol(dc, id, std::max(size_, 0), centre.x(), centre.y());
    }
    painter.restore();
}

QSize CSymbolCombo::sizeHint() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize content(itemHeight_ * 2, itemHeight_);
    return style()
        ->sizeFromContents(QStyle::CT_ComboBox, &option, content, this)
        .expandedTo(QComboBox::sizeHint());
}

QSize CSymbolCombo::minimumSizeHint() const {
    return sizeHint();
}

void CSymbolCombo::paintEvent(QPaintEvent*) {
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

void CSymbolCombo::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        UpdateItemHeight();
}

void CSymbolCombo::showEvent(QShowEvent* event) {
    // The screen is only certain once the window is placed.
    UpdateItemHeight();
    QComboBox::showEvent(event);
}
