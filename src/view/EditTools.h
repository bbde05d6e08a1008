// Editing the plot with the mouse: the tools (Arrow, Move, Correlation, Draw,
// Eraser, Marker, Track info), what a press, a drag, a release and a double click do
// with each on each kind of track, the track menu's state, the depth read-out and the
// view's keys. Points are page points (the widget adds its scroll position); each
// event gives back what the widget must show. Questions go through the platform.
#pragma once

#include "gfx/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CTarvikDoc;
class CTrack;

enum class Tool { Arrow = 0, Move = 1, Correlation = 2, Draw = 4, Eraser = 5, Marker = 6, Info = 7 };

// What the widget shows after an event.
struct CToolFeedback {
    bool repaint = false; // the page changed: draw it again
    bool capture = false; // a drag goes on: keep the mouse until the release
    std::optional<CRect> tracker; // Move: the track's outline where it is being dragged
    // A range being dragged: a vertical line at x from y0 to y1, with 12-pixel ticks
    // across both ends.
    struct Band {
        int x, y0, y1;
        friend bool operator==(const Band&, const Band&) = default;
    };
    std::optional<Band> band;
    std::string tip; // beside the pointer while a range is dragged; empty: hidden
    // The live marker line: one dotted segment per log or data track at the pointer.
    std::vector<CRect> markerLine;
};

// The track pop-up menu: which items are on and what the overlay item reads.
struct CTrackMenuState {
    bool show = false;
    std::string overlayText = "Add Overlay"; // "UnOverlay", "Overlay" or disabled "Add Overlay"
    bool overlayEnabled = false;
    bool smoothEnabled = false;
    bool pasteEnabled = false;
};

class CEditTools {
public:
    explicit CEditTools(CTarvikDoc& doc) : doc(doc) {}

    // The tool commands (ids of the Tools menu): Draw and Marker chosen again go
    // back to Arrow.
    void Choose(int commandId);
    bool IsChosen(int commandId) const;
    Tool Current() const { return tool; }

    CToolFeedback Press(CPoint p, bool shift);
    // The pointer moved, with the button down or not.
    CToolFeedback Move(CPoint p);
    CToolFeedback Release(CPoint p);
    // Escape, or the mouse taken away: a drag in progress ends without effect.
    CToolFeedback Cancel();
    CToolFeedback DoubleClick(CPoint p);
    // Selects the track under the pointer (keeping the others) and gives the menu.
    CTrackMenuState RightPress(CPoint p);
    // The view's keys: the header axis of the current log or data track one unit
    // narrower (Left) or wider (Right).
    CToolFeedback StepHeaderAxis(bool wider);
    bool Dragging() const { return drag.kind != DragKind::None; }

    // The status text for the pointer at p; empty away from the tracks.
    std::string StatusText(CPoint p) const;

private:
    enum class DragKind { None, Move, Correlation, Range };
    struct Drag {
        DragKind kind = DragKind::None;
        uint64_t serial = 0; // the track, by identity: it may go while the drag runs
        CPoint from, to;
        CRect rect;           // the track's rectangle at the press
        float shift0 = 0;     // Correlation: the shift at the press
        float min0 = 0, max0 = 0; // Correlation on a ruler: the window at the press
        float d0 = 0;         // the depth under the press
        float d1 = 0, d2 = 0; // Range: the depths under the press and the pointer
    };

    CTrack* DragTrack() const; // null when it went meanwhile
    int DragIndex() const;
    CToolFeedback RangeFeedback() const;
    CToolFeedback FinishRange(CTrack& track);
    void DrawPoint(CTrack& track, CPoint p);
    void Erase(CTrack& track, CPoint p);
    void PlaceMarker(CTrack& track, CPoint p);
    CToolFeedback HoverMarker(CPoint p) const;

    CTarvikDoc& doc;
    Tool tool = Tool::Arrow;
    Drag drag;
};
