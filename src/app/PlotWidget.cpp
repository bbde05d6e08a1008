// The plot widget: the page from a back buffer drawn again only when the page changed,
// the tools' rubber lines over it, and the mouse and keys handed to the editing tools.
#include "app/PlotWidget.h"

#include "app/TipWnd.h"
#include "doc/CommandIds.h"
#include "doc/TarvikDoc.h"
#include "platform/Icons.h"
#include "platform/QtSurface.h"
#include "view/TarvikView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

namespace {

const int kToolCommands[] = {ID_TOOL_ARROW,  ID_TOOL_MOVE,   ID_TOOL_CORRELATION, ID_TOOL_DRAW,
                             ID_TOOL_ERASER, ID_TOOL_MARKER, ID_TOOL_INFO};

const QColor kMarkerLine(200, 50, 50);
// Half the length of the ticks across the ends of a dragged range.
constexpr int kBandTick = 6;
// How often a drag checks that it still holds the mouse.
constexpr int kCaptureCheckMs = 100;

} // namespace

CPlotWidget::CPlotWidget(CTarvikDoc& document, CTarvikView& pageView, QWidget* parent)
    : QAbstractScrollArea(parent), doc(document), view(pageView), tools(document) {
    // Every pixel comes from the buffer: nothing to erase first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
    // Qt says nothing when another widget takes the mouse: a drag looks for itself.
    captureWatch.setInterval(kCaptureCheckMs);
    connect(&captureWatch, &QTimer::timeout, this, [this] {
        if (capturing && QWidget::mouseGrabber() != viewport()) CancelDrag();
    });
    ToolChanged();
}

void CPlotWidget::TakeScreenResolution() {
    const QScreen* s = screen();
    if (!s) return;
    const QSizeF mm = s->physicalSize();
    const QRect px = s->geometry();
    float x = static_cast<float>(s->logicalDotsPerInchX());
    float y = static_cast<float>(s->logicalDotsPerInchY());
    if (mm.width() > 0 && mm.height() > 0) {
        x = static_cast<float>(px.width() / (mm.width() / 25.4f));
        y = static_cast<float>(px.height() / (mm.height() / 25.4f));
    }
    view.SetResolution(x, y);
}

void CPlotWidget::DocumentChanged() {
    view.RecalcLayout();
    UpdateScrollBars();
    PageChanged();
}

void CPlotWidget::PageChanged() {
    pageDirty = true;
    viewport()->update();
}

CPoint CPlotWidget::PagePoint(const QPoint& client) const {
    return {client.x() + horizontalScrollBar()->value(), client.y() + verticalScrollBar()->value()};
}

QPoint CPlotWidget::ClientPoint(const CPoint& page) const {
    return {page.x - horizontalScrollBar()->value(), page.y - verticalScrollBar()->value()};
}

QRect CPlotWidget::ClientRect(const CRect& page) const {
    const QPoint topLeft = ClientPoint({page.left, page.top});
    return {topLeft, QSize(page.Width(), page.Height())};
}

void CPlotWidget::ToolChanged() {
    const Tool tool = tools.Current();
    if (shownTool == tool) return;
    shownTool = tool;
    int command = ID_TOOL_ARROW;
    for (int id : kToolCommands)
        if (tools.IsChosen(id)) command = id;
    // A widget's cursor applies only while the pointer is over it (or it holds the mouse).
    viewport()->setCursor(CommandCursor(command));
}

void CPlotWidget::UpdateScrollBars() {
    const CRect& page = view.PageRect();
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, page.right - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, page.bottom - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
}

void CPlotWidget::Render() {
    const qreal dpr = devicePixelRatioF();
    const QSize size = viewport()->size() * dpr;
    if (size.isEmpty()) return;
    if (buffer.size() != size) {
        buffer = QImage(size, QImage::Format_RGB32);
        buffer.setDevicePixelRatio(dpr);
    }
    buffer.fill(palette().color(QPalette::Base));
    QPainter painter(&buffer);
    const int sx = horizontalScrollBar()->value(), sy = verticalScrollBar()->value();
    painter.translate(-sx, -sy);
    CQtSurface dc(painter);
    dc.SetPageRect(view.PageRect());
    const QSize client = viewport()->size();
    view.DrawPage(dc, {sx, sy, sx + client.width(), sy + client.height()});
    pageDirty = false;
}

void CPlotWidget::paintEvent(QPaintEvent*) {
    if (pageDirty || buffer.size() != viewport()->size() * devicePixelRatioF()) Render();
    QPainter painter(viewport());
    painter.drawImage(0, 0, buffer);
    DrawOverlays(painter);
}

void CPlotWidget::DrawOverlays(QPainter& p) const {
    if (tracker) {
        // A dashed outline on a white one shows over any fill.
        const QRect r = ClientRect(*tracker).adjusted(0, 0, -1, -1);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(r);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(r);
    }
    if (band) {
        const QPoint a = ClientPoint({band->x, band->y0}), b = ClientPoint({band->x, band->y1});
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(a, b);
        p.drawLine(a.x() - kBandTick, a.y(), a.x() + kBandTick, a.y());
        p.drawLine(b.x() - kBandTick, b.y(), b.x() + kBandTick, b.y());
    }
    if (!markerLine.empty()) {
        p.setPen(QPen(kMarkerLine, 1, Qt::DotLine));
        for (const CRect& segment : markerLine) {
            const QRect r = ClientRect(segment);
            p.drawLine(r.left(), r.top(), r.left() + r.width() - 1, r.top());
        }
    }
}

QRegion CPlotWidget::OverlayRegion() const {
    QRegion region;
    if (tracker) region += ClientRect(*tracker).adjusted(-1, -1, 1, 1);
    if (band) {
        const QPoint a = ClientPoint({band->x, band->y0}), b = ClientPoint({band->x, band->y1});
        region += QRect(QPoint(a.x() - kBandTick - 1, std::min(a.y(), b.y()) - 1),
                        QPoint(a.x() + kBandTick + 1, std::max(a.y(), b.y()) + 1));
    }
    for (const CRect& segment : markerLine)
        region += ClientRect(segment).adjusted(0, -1, 0, 1);
    return region;
}

void CPlotWidget::Show(const CToolFeedback& f, const QPoint& globalPos) {
    const QRegion before = OverlayRegion();
    tracker = f.tracker;
    band = f.band;
    markerLine = f.markerLine;
    SetCapture(f.capture);
    if (f.tip.empty()) {
        if (tip) tip->Hide();
    } else {
        if (!tip) tip = new CTipWnd(this);
        tip->ShowWithDelay(TextFromBytes(f.tip), globalPos);
    }
    ToolChanged(); // placing a marker gives the Arrow back
    if (f.repaint)
        PageChanged();
    else
        viewport()->update(before + OverlayRegion());
}

void CPlotWidget::SetCapture(bool on) {
    if (on == capturing) return;
    capturing = on;
    if (on) {
        viewport()->grabMouse();
        captureWatch.start();
    } else {
        captureWatch.stop();
        if (QWidget::mouseGrabber() == viewport()) viewport()->releaseMouse();
    }
}

void CPlotWidget::CancelDrag() {
    if (!tools.Dragging() && !capturing) return;
    pressed = false; // the release that follows ends nothing
    Show(tools.Cancel(), {});
}

void CPlotWidget::ClearMarkerLine() {
    if (markerLine.empty()) return;
    const QRegion before = OverlayRegion();
    markerLine.clear();
    viewport()->update(before);
}

void CPlotWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    PageChanged();
}

void CPlotWidget::scrollContentsBy(int, int) {
    PageChanged();
}

void CPlotWidget::mousePressEvent(QMouseEvent* event) {
    const CPoint p = PagePoint(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        CancelDrag(); // a drag whose release went elsewhere
        pressed = true;
        Show(tools.Press(p, event->modifiers().testFlag(Qt::ShiftModifier)),
             event->globalPosition().toPoint());
        emit SelectionChanged();
    } else if (event->button() == Qt::RightButton) {
        if (tools.Dragging()) return; // the drag keeps the mouse until its release
        ClearMarkerLine();
        const CTrackMenuState menu = tools.RightPress(p);
        PageChanged();
        emit SelectionChanged();
        if (menu.show) emit TrackMenuRequested(menu, event->globalPosition().toPoint());
    }
}

void CPlotWidget::mouseMoveEvent(QMouseEvent* event) {
    const CPoint p = PagePoint(event->position().toPoint());
    // An empty text brings the idle message back.
    doc.Platform().SetStatusText(tools.StatusText(p));
    if (capturing && !event->buttons().testFlag(Qt::LeftButton)) {
        CancelDrag(); // the button came up where this window did not see it
        return;
    }
    Show(tools.Move(p), event->globalPosition().toPoint());
}

void CPlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const CPoint p = PagePoint(event->position().toPoint());
    const bool ours = std::exchange(pressed, false);
    // The mouse goes back and the rubber lines go before the tools may ask something
    // in a dialog.
    SetCapture(false);
    if (tip) tip->Hide();
    const QRegion before = OverlayRegion();
    tracker.reset();
    band.reset();
    viewport()->update(before);
    // A release whose press went elsewhere (a dialog closed by a double click) ends
    // nothing.
    Show(ours ? tools.Release(p) : tools.Cancel(), event->globalPosition().toPoint());
    // A track moved or a layer added: the read-out is for what is under the pointer now.
    doc.Platform().SetStatusText(tools.StatusText(p));
    emit SelectionChanged();
}

void CPlotWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    CancelDrag();
    pressed = true; // it stands for the second press
    Show(tools.DoubleClick(PagePoint(event->position().toPoint())),
         event->globalPosition().toPoint());
    emit SelectionChanged();
}

void CPlotWidget::wheelEvent(QWheelEvent* event) {
    ClearMarkerLine(); // the line is drawn again at the next move
    QAbstractScrollArea::wheelEvent(event);
}

void CPlotWidget::keyPressEvent(QKeyEvent* event) {
    if (tools.Dragging()) {
        // The drag owns the keyboard; only Escape means something to it.
        if (event->key() == Qt::Key_Escape) CancelDrag();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        Show(tools.StepHeaderAxis(event->key() == Qt::Key_Right), {});
        event->accept();
        return;
    }
    if (event->text() == QStringLiteral("+")) {
        emit SumRequested();
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CPlotWidget::focusOutEvent(QFocusEvent* event) {
    // Another window or a pop-up took the keyboard, and with it the mouse.
    CancelDrag();
    QAbstractScrollArea::focusOutEvent(event);
}

void CPlotWidget::hideEvent(QHideEvent* event) {
    CancelDrag();
    QAbstractScrollArea::hideEvent(event);
}

bool CPlotWidget::event(QEvent* event) {
    // During a drag the window's shortcuts do not fire: the key comes here and is
    // swallowed.
    if (event->type() == QEvent::ShortcutOverride && tools.Dragging()) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool CPlotWidget::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave && !capturing) {
        ClearMarkerLine();
        doc.Platform().SetStatusText({});
    }
    return QAbstractScrollArea::viewportEvent(event);
}
