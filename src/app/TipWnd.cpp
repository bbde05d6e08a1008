// The range tip: a frameless window sized to one line of text, kept on the screen.
#include "app/TipWnd.h"

#include "platform/QtSurface.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

const QColor kBackground(255, 255, 240);
const QColor kText(50, 50, 100);
const QColor kFrame(0, 0, 0);
// Room between the text and the frame.
constexpr int kPadX = 4;
constexpr int kPadY = 2;

} // namespace

CTipWnd::CTipWnd(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    QFont f(MapFontFace("Verdana"));
    f.setPixelSize(12);
    f.setHintingPreference(QFont::PreferNoHinting);
    setFont(f);
    delay.setSingleShot(true);
    delay.setInterval(kDelayMs);
    connect(&delay, &QTimer::timeout, this, &CTipWnd::Appear);
}

void CTipWnd::ShowWithDelay(const QString& newText, const QPoint& pointer) {
    text = newText;
    if (!active) {
        active = true;
        anchor = pointer;
        FitToText();
        delay.start();
        return;
    }
    FitToText();
    update();
}

void CTipWnd::Hide() {
    active = false;
    delay.stop();
    hide();
}

void CTipWnd::Appear() {
    if (!active) return;
    FitToText();
    show();
}

void CTipWnd::FitToText() {
    const QFontMetrics metrics(font());
    const QSize size(metrics.horizontalAdvance(text) + 2 * kPadX + 2,
                     metrics.height() + 2 * kPadY + 2);
    // Beside the pointer; where that would cross an edge of the screen, on the other
    // side of it, so the tip never covers the pointer or the range being dragged.
    QRect area;
    if (const QScreen* s = QGuiApplication::screenAt(anchor))
        area = s->availableGeometry();
    else if (const QScreen* primary = QGuiApplication::primaryScreen())
        area = primary->availableGeometry();
    QPoint at = anchor + QPoint(kOffset, kOffset);
    if (area.isValid()) {
        if (at.x() + size.width() > area.right() + 1) at.setX(anchor.x() - kOffset - size.width());
        if (at.y() + size.height() > area.bottom() + 1)
            at.setY(anchor.y() - kOffset - size.height());
        at.setX(std::max(at.x(), area.left()));
        at.setY(std::max(at.y(), area.top()));
    }
    setGeometry(QRect(at, size));
}

void CTipWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
    p.setPen(kFrame);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(kText);
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text);
}
