#include "app/PlotWidget.h"

#include "platform/QtSurface.h"
#include "doc/TarvikDoc.h"
#include "view/TarvikView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

CPlotWidget::CPlotWidget(CTarvikDoc& document, CTarvikView& pageView, QWidget* parent)
    : QAbstractScrollArea(parent), doc(document), view(pageView) {
    // Every pixel comes from the buffer: nothing to erase first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
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
    viewport()->update();
}

CPoint CPlotWidget::PagePoint(const QPoint& client) const {
    return {client.x() + horizontalScrollBar()->value(), client.y() + verticalScrollBar()->value()};
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
}

void CPlotWidget::paintEvent(QPaintEvent*) {
    Render();
    QPainter(viewport()).drawImage(0, 0, buffer);
}

void CPlotWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CPlotWidget::scrollContentsBy(int, int) { viewport()->update(); }

void CPlotWidget::mousePressEvent(QMouseEvent* event) {
    const CPoint p = PagePoint(event->position().toPoint());
    const int index = doc.TrackIndexAt(p.x, p.y);
    if (event->button() == Qt::LeftButton) {
        // Shift keeps the other tracks selected.
        doc.SelectTrack(index, event->modifiers().testFlag(Qt::ShiftModifier));
        viewport()->update();
        emit SelectionChanged();
    } else if (event->button() == Qt::RightButton) {
        viewport()->update();
        if (index < 0) return;
        doc.SelectTrack(index, true);
        emit SelectionChanged();
        emit TrackMenuRequested(event->globalPosition().toPoint());
    }
}

void CPlotWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const CPoint p = PagePoint(event->position().toPoint());
    const int index = doc.TrackIndexAt(p.x, p.y);
    doc.SelectTrack(index, false);
    viewport()->update();
    emit SelectionChanged();
    if (index >= 0) emit FormatTrackRequested(index);
}
