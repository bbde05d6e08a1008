#include "gfx/RecordingSurface.h"

#include <climits>
#include <cmath>
#include <cstdlib>

CRecordedOp& CRecordingSurface::Record(CRecordedOp::Kind kind) {
    CRecordedOp& op = ops.emplace_back();
    op.kind = kind;
    op.pen = Pen();
    op.brush = Brush();
    op.font = Font();
    op.fontHeight = FontHeight(Font());
    op.align = TextAlign();
    op.bkMode = BkMode();
    op.textColour = TextColor();
    return op;
}

void CRecordingSurface::DrawLine(CPoint from, CPoint to) { Record(CRecordedOp::Line).points = {from, to}; }

void CRecordingSurface::Polyline(const CPoint* points, size_t count) {
    Record(CRecordedOp::Polyline).points.assign(points, points + count);
    if (count) MoveTo(points[count - 1].x, points[count - 1].y);
}

void CRecordingSurface::Polygon(const CPoint* points, size_t count) {
    Record(CRecordedOp::Polygon).points.assign(points, points + count);
}

void CRecordingSurface::Rectangle(int left, int top, int right, int bottom) {
    Record(CRecordedOp::Rectangle).rect = {left, top, right, bottom};
}

void CRecordingSurface::Ellipse(int left, int top, int right, int bottom) {
    Record(CRecordedOp::Ellipse).rect = {left, top, right, bottom};
}

void CRecordingSurface::TextOut(int x, int y, std::string_view text) {
    CRecordedOp& op = Record(CRecordedOp::Text);
    op.text.assign(text);
    op.at = {x, y};
}

CSize CRecordingSurface::GetTextExtent(std::string_view text) {
    const int h = FontHeight(Font());
    const double em = h < 0 ? -h : h / 1.15;
    return {static_cast<int>(std::lround(0.55 * em * static_cast<double>(text.size()))),
            static_cast<int>(std::lround(1.15 * em))};
}

void CRecordingSurface::SetClipRect(const CRect& r) {
    clip = r;
    Record(CRecordedOp::Clip).rect = r;
}

void CRecordingSurface::RemoveClip() {
    clip.reset();
    Record(CRecordedOp::Unclip);
}

CRect CRecordingSurface::ClipBox() const {
    return clip ? *clip : CRect{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2};
}

std::vector<const CRecordedOp*> CRecordingSurface::OfKind(CRecordedOp::Kind kind) const {
    std::vector<const CRecordedOp*> out;
    for (const auto& op : ops)
        if (op.kind == kind) out.push_back(&op);
    return out;
}

std::vector<std::string> CRecordingSurface::Texts() const {
    std::vector<std::string> out;
    for (const auto& op : ops)
        if (op.kind == CRecordedOp::Text) out.push_back(op.text);
    return out;
}

const CRecordedOp* CRecordingSurface::FindText(std::string_view text) const {
    for (const auto& op : ops)
        if (op.kind == CRecordedOp::Text && op.text == text) return &op;
    return nullptr;
}
