// The scrolling plot view: paints the page from an off-screen buffer with the editing
// tools' feedback over it, and turns Qt's mouse and key events into page points and
// calls for the editing tools.
#pragma once

#include "gfx/Geometry.h"
#include "view/EditTools.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>

#include <optional>
#include <vector>

class CTarvikDoc;
class CTarvikView;
class CTipWnd;

class CPlotWidget : public QAbstractScrollArea {
    Q_OBJECT

public:
    CPlotWidget(CTarvikDoc& doc, CTarvikView& view, QWidget* parent = nullptr);

    // Resolution from the screen's physical size; the logical dpi when the platform
    // reports no size.
    void TakeScreenResolution();
    // The document changed: lay the page out again, adjust scrolling, repaint.
    void DocumentChanged();
    // Something on the page changed (a selection, a command): draw it afresh.
    void PageChanged();
    // Page coordinates of a point in the viewport, and back.
    CPoint PagePoint(const QPoint& client) const;
    QPoint ClientPoint(const CPoint& page) const;

    CEditTools& Tools() { return tools; }
    // The current tool may have changed: the pointer shape follows it.
    void ToolChanged();
    // The range tip; null until the first range drag.
    CTipWnd* Tip() const { return tip; }
    // A drag holds the mouse.
    bool Capturing() const { return capturing; }

signals:
    void TrackMenuRequested(const CTrackMenuState& menu, const QPoint& globalPos);
    // "+": the sum of the selected tracks.
    void SumRequested();
    void SelectionChanged();

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Takes what the tools say must be seen: page, overlays, capture and tip.
    void Show(const CToolFeedback& feedback, const QPoint& globalPos);
    void CancelDrag();
    void SetCapture(bool on);
    void ClearMarkerLine();
    QRect ClientRect(const CRect& page) const;
    // Where the overlays are, in viewport pixels: what must be painted again when
    // they move.
    QRegion OverlayRegion() const;
    void DrawOverlays(QPainter& painter) const;
    void UpdateScrollBars();
    void Render();

    CTarvikDoc& doc;
    CTarvikView& view;
    CEditTools tools;
    QImage buffer;
    bool pageDirty = true;
    // The overlays of the last feedback, in page coordinates.
    std::optional<CRect> tracker;
    std::optional<CToolFeedback::Band> band;
    std::vector<CRect> markerLine;
    CTipWnd* tip = nullptr;
    bool capturing = false;
    bool pressed = false; // a left press was seen and its release not yet
    QTimer captureWatch;
    std::optional<Tool> shownTool;
};
