// A drawing surface that draws nothing and remembers every call, with the state it
// was made in, so tests can say "labels 20, 40, 60, 80 at these x". Its text
// metrics are simple and exact: an em of |h| units, a cell of 1.15 em, and 0.55 em a
// character.
#pragma once

#include "gfx/DrawSurface.h"

#include <optional>
#include <string>
#include <vector>

struct CRecordedOp {
    enum Kind { Line, Polyline, Polygon, Rectangle, Ellipse, Text, Clip, Unclip };
    Kind kind = Line;
    std::vector<CPoint> points; // Line: from, to; Polyline and Polygon: all points
    CRect rect;                 // Rectangle, Ellipse, Clip
    std::string text;
    CPoint at;                  // Text: reference point
    CPen pen;
    CBrush brush;
    CFontDesc font;
    int fontHeight = 0;         // as realised
    unsigned align = 0;
    int bkMode = 0;
    ColourRef textColour = 0;
};

class CRecordingSurface : public CDrawSurface {
public:
    void Polyline(const CPoint* points, size_t count) override;
    void Polygon(const CPoint* points, size_t count) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void TextOut(int x, int y, std::string_view text) override;
    CSize GetTextExtent(std::string_view text) override;
    void SetClipRect(const CRect& r) override;
    void RemoveClip() override;
    CRect ClipBox() const override;

    // Queries for tests.
    std::vector<const CRecordedOp*> OfKind(CRecordedOp::Kind kind) const;
    std::vector<std::string> Texts() const;
    const CRecordedOp* FindText(std::string_view text) const;
    void Clear() { ops.clear(); }

    std::vector<CRecordedOp> ops;

protected:
    void DrawLine(CPoint from, CPoint to) override;

private:
    CRecordedOp& Record(CRecordedOp::Kind kind);
    std::optional<CRect> clip;
};
