#include "dialogs/ColourPopup.h"

#include "dialogs/ColourPicker.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <qdrawutil.h>

#include <algorithm>

// ---- Keyboard walk ----

int CColourGrid::AfterLast() const {
    if (hasCustom) return kCustomBox;
    if (hasDefault) return kDefaultBox;
    return 0;
}

int CColourGrid::BeforeFirst() const {
    if (hasDefault) return kDefaultBox;
    if (hasCustom) return kCustomBox;
    return Last();
}

int CColourGrid::Down(int cell) const {
    if (cell == kDefaultBox || cell == kNoCell) return 0;
    if (cell == kCustomBox) return hasDefault ? kDefaultBox : 0;
    const int next = cell + columns;
    return next < count ? next : AfterLast();
}

int CColourGrid::Up(int cell) const {
    if (cell == kDefaultBox) return hasCustom ? kCustomBox : Last();
    if (cell == kCustomBox || cell == kNoCell) return Last();
    return cell >= columns ? cell - columns : BeforeFirst();
}

int CColourGrid::Right(int cell) const {
    if (cell == kDefaultBox || cell == kNoCell) return 0;
    if (cell == kCustomBox) return hasDefault ? kDefaultBox : 0;
    // Row-major order: the next column, or column 0 of the next row.
    return cell + 1 < count ? cell + 1 : AfterLast();
}

int CColourGrid::Left(int cell) const {
    if (cell == kDefaultBox) return hasCustom ? kCustomBox : Last();
    if (cell == kCustomBox || cell == kNoCell) return Last();
    return cell > 0 ? cell - 1 : BeforeFirst();
}

int ColourBoxSize(int dpiY, int margin) {
    // Multiply, then divide rounding half away from zero.
    int size = (18 * dpiY * 2 + 120) / 240;
    if (size - 2 * margin - 2 < 5) size = 2 * margin + 7;
    return size;
}

// ---- The popup window ----

namespace {

QColor ToQColor(ColourRef c) {
    return QColor(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)),
                  static_cast<int>(BlueOf(c)));
}

ColourRef FromQColor(const QColor& c) {
    return MakeRGB(static_cast<unsigned>(c.red()), static_cast<unsigned>(c.green()),
                   static_cast<unsigned>(c.blue()));
}

} // namespace

CColourPopup::CColourPopup(QPoint pos, ColourRef initialColour, CColourPicker* owner,
                           const QString& defaultTxt, const QString& customTxt)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint), initial(initialColour),
      chosenColour(initialColour), defaultText(defaultTxt), customText(customTxt),
      textFont(QApplication::font()) {
    grid.hasDefault = !defaultText.isEmpty();
    grid.hasCustom = !customText.isEmpty();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    Layout(pos, owner ? owner->height() : 0);
    chosen = InitialCell();
    current = chosen;
}

CColourPopup::~CColourPopup() {
    // Being deleted is not a choice: nothing more is reported.
    ended = true;
}

void CColourPopup::Layout(QPoint pos, int ownerHeight) {
    margin = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int dpiY = screen() ? static_cast<int>(screen()->logicalDotsPerInchY()) : 96;
    box = ColourBoxSize(dpiY, margin);

    int width = kPaletteColumns * box + 2 * margin;
    int height = grid.Rows() * box + 2 * margin;

    if (grid.hasDefault || grid.hasCustom) {
        const QFontMetrics fm(textFont);
        const int textWidth =
            std::max(fm.horizontalAdvance(defaultText), fm.horizontalAdvance(customText)) +
            2 * margin;
        const int textHeight = fm.height() + 4 * margin + 2;
        width = std::max(width, textWidth);
        if (grid.hasDefault) {
            defaultRect = QRect(margin, margin, width - 2 * margin, textHeight);
            cellsTop = textHeight + 2 * margin;
            height += textHeight + 2 * margin;
        }
        if (grid.hasCustom) {
            const int cellsBottom = cellsTop + margin + grid.Rows() * box;
            customRect = QRect(margin, cellsBottom + 2 * margin, width - 2 * margin, textHeight);
            height += textHeight + 2 * margin;
        }
    }

    // Keep the window on the desktop; rather than run off the bottom it opens above
    // the button.
    QRect r(pos, QSize(width, height));
    QScreen* s = QGuiApplication::screenAt(pos);
    if (!s) s = screen();
    if (s) {
        const QRect desk = s->availableVirtualGeometry();
        if (r.right() > desk.right()) r.moveRight(desk.right());
        if (r.left() < desk.left()) r.moveLeft(desk.left());
        if (r.bottom() > desk.bottom()) r.moveBottom(pos.y() - ownerHeight - 1);
    }
    setGeometry(r);
}

int CColourPopup::InitialCell() const {
    for (int i = 0; i < kPaletteColours; ++i)
        if (kColourTable[i].colour == initial) return i;
    if (initial == kAutomaticColour && grid.hasDefault) return kDefaultBox;
    return grid.hasCustom ? kCustomBox : kNoCell;
}

QRect CColourPopup::CellRect(int cell) const {
    if (cell == kDefaultBox) return defaultRect;
    if (cell == kCustomBox) return customRect;
    if (cell < 0 || cell >= grid.count) return {};
    const int row = cell / kPaletteColumns, column = cell % kPaletteColumns;
    return QRect(column * box + margin, row * box + margin + cellsTop, box, box);
}

ColourRef CColourPopup::CellColour(int cell) const {
    if (cell >= 0 && cell < kPaletteColours) return kColourTable[cell].colour;
    if (cell == kDefaultBox) return kAutomaticColour;
    return initial;
}

int CColourPopup::HitTest(QPoint pos) const {
    if (defaultRect.contains(pos)) return kDefaultBox;
    if (customRect.contains(pos)) return kCustomBox;
    for (int i = 0; i < grid.count; ++i)
        if (CellRect(i).contains(pos)) return i;
    return kNoCell;
}

void CColourPopup::ChangeSelection(int cell) {
    if (cell == kNoCell) return;
    const int old = current;
    current = cell;
    update(CellRect(old));
    update(CellRect(cell));
    chosenColour = CellColour(cell);
    emit SelectionChanged(chosenColour);
}

void CColourPopup::EndSelection(bool ok) {
    if (ended) return;
    ended = true;
    // Out of the way first: this releases the grab before any dialog opens.
    hide();

    if (ok && current == kCustomBox) {
        const QColor picked = QColorDialog::getColor(ToQColor(initial), parentWidget());
        if (picked.isValid())
            chosenColour = FromQColor(picked);
        else
            ok = false;
    }
    if (ok)
        emit SelectionEndedOk(chosenColour);
    else
        emit SelectionCancelled(initial);
    deleteLater();
}

bool CColourPopup::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const int cell = HitTest(help->pos());
        if (cell >= 0)
            QToolTip::showText(help->globalPos(), QString::fromLatin1(kColourTable[cell].name),
                               this, CellRect(cell));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

void CColourPopup::mouseMoveEvent(QMouseEvent* e) {
    const int cell = HitTest(e->position().toPoint());
    if (cell != kNoCell && cell != current) ChangeSelection(cell);
}

void CColourPopup::mousePressEvent(QMouseEvent* e) {
    if (rect().contains(e->position().toPoint())) return;
    // A press on our own button must not reopen the palette once it is closed.
    if (QWidget* owner = parentWidget()) {
        const QRect ownerRect(owner->mapToGlobal(QPoint(0, 0)), owner->size());
        if (ownerRect.contains(e->globalPosition().toPoint())) setAttribute(Qt::WA_NoMouseReplay);
    }
    EndSelection(false);
}

void CColourPopup::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    EndSelection(rect().contains(e->position().toPoint()));
}

void CColourPopup::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Down:
        ChangeSelection(grid.Down(current));
        break;
    case Qt::Key_Up:
        ChangeSelection(grid.Up(current));
        break;
    case Qt::Key_Right:
        ChangeSelection(grid.Right(current));
        break;
    case Qt::Key_Left:
        ChangeSelection(grid.Left(current));
        break;
    case Qt::Key_Escape:
        chosenColour = initial;
        EndSelection(false);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        EndSelection(true);
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

void CColourPopup::hideEvent(QHideEvent* e) {
    // Closed from outside (focus lost, application deactivated): that is a cancel.
    if (!ended) EndSelection(false);
    QWidget::hideEvent(e);
}

void CColourPopup::DrawCell(QPainter& p, int cell) const {
    const QRect r = CellRect(cell);
    if (r.isEmpty()) return;
    const QPalette& pal = palette();
    const QBrush face = pal.brush(QPalette::Button);
    if (cell == chosen)
        qDrawShadePanel(&p, r, pal, true, 1, &face);
    else if (cell == current)
        qDrawShadePanel(&p, r, pal, false, 1, &face);
    else
        p.fillRect(r, face);

    if (cell < 0) {
        p.setFont(textFont);
        p.setPen(pal.color(QPalette::ButtonText));
        p.drawText(r, Qt::AlignCenter, cell == kDefaultBox ? defaultText : customText);
        return;
    }
    const int inset = margin + 1;
    const QRect swatch = r.adjusted(inset, inset, -inset, -inset);
    p.fillRect(swatch, ToQColor(kColourTable[cell].colour));
    p.setPen(pal.color(QPalette::Dark));
    p.setBrush(Qt::NoBrush);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
}

void CColourPopup::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().brush(QPalette::Button));
    qDrawWinPanel(&p, rect(), palette(), false);
    DrawCell(p, kDefaultBox);
    DrawCell(p, kCustomBox);
    for (int i = 0; i < grid.count; ++i)
        DrawCell(p, i);
}
