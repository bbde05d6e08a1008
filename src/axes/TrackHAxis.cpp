#include "axes/TrackHAxis.h"

#include "axes/AxisDrawing.h"
#include "gfx/DrawSurface.h"
#include "gfx/DrawHelpers.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

int Dir(const CAxis& a) {
    return a.tickSide == 1 ? 1 : -1;
}

void Tick(CDrawSurface& dc, const CAxis& a, int x, bool major) {
    const int reach = major ? a.tickLength * Dir(a) : a.tickLength * Dir(a) / 2;
    Segment(dc, x, a.crossPos, x, a.crossPos + reach);
}

int LabelY(const CAxis& a) {
    return a.crossPos + (a.tickLength + 2) * Dir(a);
}

// The track's name above the labels; h is the tick font's line height.
void Title(CDrawSurface& dc, const CAxis& a, int h) {
    dc.SelectFont(a.titleFont);
    dc.SetTextAlign(TA_CENTER | (a.labelSide == 1 ? TA_TOP : TA_BOTTOM));
    const int y = (a.tickSide == 1) == (a.labelSide == 1)
                      ? a.crossPos + (a.tickLength + h + 4) * Dir(a)
                      : a.crossPos - 2 * Dir(a);
    const long long mid = (static_cast<long long>(a.pixelStart) + a.pixelEnd) / 2;
    dc.TextOut(static_cast<int>(mid), y, a.title);
}

// The labels of one header axis, placed once all are known: each centred on its
// tick, except that the first and the last stay inside the track (aligned to its
// edge where centring would cross it, so they never run into the next track), and
// an inner label that would touch a label kept beside it is left out.
class CLabelRow {
public:
    CLabelRow(CDrawSurface& dc, const CAxis& a) : dc(dc), left(std::min(a.pixelStart, a.pixelEnd)),
                                                  right(std::max(a.pixelStart, a.pixelEnd)) {}
    void Add(int x, std::string text) {
        const int w = TextWidth(dc, text);
        labels.push_back({x, x - w / 2, x - w / 2 + w, TA_CENTER, std::move(text)});
    }
    // Draws the row at y with the vertical alignment given.
    void Draw(int y, unsigned vertical) {
        if (labels.empty()) return;
        // A reversed axis adds its labels from the right.
        std::stable_sort(labels.begin(), labels.end(), [](const Label& a, const Label& b) { return a.x < b.x; });
        Pull(labels.front());
        Pull(labels.back());
        std::vector<const Label*> kept{&labels.front()};
        for (size_t i = 1; i + 1 < labels.size(); ++i)
            if (Apart(*kept.back(), labels[i]) && Apart(labels[i], labels.back())) kept.push_back(&labels[i]);
        if (labels.size() > 1 && Apart(*kept.back(), labels.back())) kept.push_back(&labels.back());
        const unsigned old = dc.TextAlign();
        for (const Label* l : kept) {
            dc.SetTextAlign(l->align | vertical);
            dc.TextOut(l->align == TA_LEFT ? l->from : l->align == TA_RIGHT ? l->to : l->x, y, l->text);
        }
        dc.SetTextAlign(old);
    }

private:
    struct Label {
        int x, from, to;
        unsigned align;
        std::string text;
    };
    void Pull(Label& l) const {
        const int w = l.to - l.from;
        if (l.from < left) {
            l = {l.x, left, left + w, TA_LEFT, l.text};
        } else if (l.to > right) {
            l = {l.x, right - w, right, TA_RIGHT, l.text};
        }
    }
    static bool Apart(const Label& a, const Label& b) { return a.to + 2 <= b.from; }

    CDrawSurface& dc;
    int left, right;
    std::vector<Label> labels;
};

} // namespace

void CTrackHAxis::DrawLinearH(CDrawSurface& dc) {
    Segment(dc, pixelStart, crossPos, pixelEnd, crossPos);
    dc.SetTextAlign(TA_CENTER | (tickSide == 1 ? TA_TOP : TA_BASELINE));
    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    if (Placeable(*this)) {
        // Minor and major values are walked together: a major value is labelled and
        // ticked once the minor walk reaches it. The ends of the scale stay unlabelled.
        const double limit = TickLimit(*this);
        const double near = 0.001 * majorUnit;
        CLabelRow row(dc, *this);
        CTickWalk major(min, majorUnit, limit);
        for (CTickWalk minor(min, minorUnit, limit); minor.More(); minor.Next()) {
            const int x = PixelOf(*this, minor.Value());
            Tick(dc, *this, x, false);
            if (!major.Moving() || !(minor.Value() > major.Value() - near)) continue;
            const double v = major.Value();
            if (!SameTick(v, min, majorUnit) && !SameTick(v, max, majorUnit)) row.Add(x, UnitLabel(v, majorUnit));
            Tick(dc, *this, PixelOf(*this, v), true);
            major.Next();
        }
        row.Draw(LabelY(*this), dc.TextAlign() & TA_VERT_MASK);
    }
    Title(dc, *this, h);
    dc.SelectFont(old);
}

void CTrackHAxis::DrawLogH(CDrawSurface& dc) {
    if (!Placeable(*this)) return;
    const CFontDesc old = dc.SelectFont(tickFont);
    const int h = TextHeight(dc);
    Segment(dc, pixelStart, crossPos, pixelEnd, crossPos);

    CLabelRow row(dc, *this);
    for (const CLogTick& t : LogTicks(*this)) {
        if (t.decade) {
            if (!(min < t.value && t.value < max)) continue;
            const int x = ValueToPixel(t.value);
            Tick(dc, *this, x, true);
            row.Add(x, TickLabel(t.value));
        } else {
            const int x = ValueToPixel(t.value);
            Tick(dc, *this, x, false);
            if (t.labelled) row.Add(x, TickLabel(t.value));
        }
    }
    // The labels keep the vertical alignment the context has.
    row.Draw(LabelY(*this), dc.TextAlign() & TA_VERT_MASK);
    Title(dc, *this, h);
    dc.SelectFont(old);
}
