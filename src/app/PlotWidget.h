// The scrolling plot view: paints the page through an off-screen buffer in one blit,
// turns mouse input into page points for the document, and scrolls over the page.
#pragma once

#include "gfx/Geometry.h"

#include <QAbstractScrollArea>
#include <QImage>

class CTarvikDoc;
class CTarvikView;

class CPlotWidget : public QAbstractScrollArea {
    Q_OBJECT

public:
    CPlotWidget(CTarvikDoc& doc, CTarvikView& view, QWidget* parent = nullptr);

    // Resolution from the screen's physical size; the logical dpi when the platform
    // reports no size.
    void TakeScreenResolution();
    // The document changed: lay the page out again, adjust scrolling, repaint.
    void DocumentChanged();
    // Page coordinates of a point in the viewport.
    CPoint PagePoint(const QPoint& client) const;

signals:
    void TrackMenuRequested(const QPoint& globalPos);
    void FormatTrackRequested(int index);
    void SelectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void UpdateScrollBars();
    void Render();

    CTarvikDoc& doc;
    CTarvikView& view;
    QImage buffer;
};
