#include "view/EditTools.h"

#include "base/TextParse.h"
#include "base/Units.h"
#include "doc/CommandIds.h"
#include "doc/TarvikDoc.h"
#include "gfx/PlatformServices.h"
#include "tracks/DataTrack.h"
#include "tracks/LithTrack.h"
#include "tracks/LogTrack.h"
#include "tracks/StratTrack.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// A point is erased when the press lies this close to it, in pixels, either way.
constexpr int kEraseReach = 4;

const struct {
    int command;
    Tool tool;
} kToolCommands[] = {
    {ID_TOOL_ARROW, Tool::Arrow},   {ID_TOOL_MOVE, Tool::Move},     {ID_TOOL_CORRELATION, Tool::Correlation},
    {ID_TOOL_DRAW, Tool::Draw},     {ID_TOOL_ERASER, Tool::Eraser}, {ID_TOOL_MARKER, Tool::Marker},
    {ID_TOOL_INFO, Tool::Info},
};

std::string Format(const char* format, double a, double b) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}

bool IsCurve(const CTrack& t) { return t.type == kTrackLog || t.type == kTrackData; }

} // namespace

void CEditTools::Choose(int commandId) {
    for (const auto& c : kToolCommands) {
        if (c.command != commandId) continue;
        // Draw and Marker are switches: chosen again, they give the Arrow back.
        const bool toggles = c.tool == Tool::Draw || c.tool == Tool::Marker;
        tool = toggles && tool == c.tool ? Tool::Arrow : c.tool;
    }
}

bool CEditTools::IsChosen(int commandId) const {
    for (const auto& c : kToolCommands)
        if (c.command == commandId) return c.tool == tool;
    return false;
}

CTrack* CEditTools::DragTrack() const {
    for (const auto& t : doc.tracks)
        if (t->serial == drag.serial) return t.get();
    return nullptr;
}

int CEditTools::DragIndex() const {
    for (size_t i = 0; i < doc.tracks.size(); ++i)
        if (doc.tracks[i]->serial == drag.serial) return static_cast<int>(i);
    return -1;
}

CToolFeedback CEditTools::Press(CPoint p, bool shift) {
    drag = {};
    const int index = doc.TrackIndexAt(p.x, p.y);
    doc.SelectTrack(index, shift);
    CToolFeedback f;
    f.repaint = true;
    if (index < 0) return f;
    CTrack& track = *doc.tracks[static_cast<size_t>(index)];
    drag.serial = track.serial;
    drag.from = drag.to = p;
    drag.rect = track.rect;
    const float depth = track.depthAxis ? track.depthAxis->PixelToValue(p.y) : 0.0f;

    switch (tool) {
    case Tool::Arrow:
        break;
    case Tool::Move:
        drag.kind = DragKind::Move;
        f.capture = true;
        f.tracker = track.rect;
        break;
    case Tool::Correlation:
        if (!track.depthAxis) break;
        drag.kind = DragKind::Correlation;
        drag.shift0 = track.KB;
        drag.min0 = track.depthAxis->min;
        drag.max0 = track.depthAxis->max;
        drag.d0 = depth;
        f.capture = true;
        break;
    case Tool::Draw:
        if (track.type == kTrackStrat || track.type == kTrackLith ||
            (track.type == kTrackData && doc.inputMethod == 1)) {
            if (!track.depthAxis) break;
            drag.kind = DragKind::Range;
            drag.d1 = drag.d2 = depth;
            return RangeFeedback();
        }
        if (track.type == kTrackData) DrawPoint(track, p);
        break;
    case Tool::Eraser:
        Erase(track, p);
        break;
    case Tool::Marker:
        PlaceMarker(track, p);
        break;
    case Tool::Info:
        doc.EditTrack(index);
        break;
    }
    return f;
}

CToolFeedback CEditTools::Move(CPoint p) {
    if (drag.kind == DragKind::None) {
        if (tool == Tool::Marker) return HoverMarker(p);
        return {};
    }
    CTrack* track = DragTrack();
    if (!track) return Cancel(); // deleted or replaced while dragged
    drag.to = p;
    CToolFeedback f;
    f.capture = true;
    switch (drag.kind) {
    case DragKind::Move: {
        const int dx = p.x - drag.from.x, dy = p.y - drag.from.y;
        f.tracker = CRect{drag.rect.left + dx, drag.rect.top + dy, drag.rect.right + dx, drag.rect.bottom + dy};
        break;
    }
    case DragKind::Correlation: {
        CTrackVAxis* axis = track->depthAxis;
        if (!axis) return Cancel();
        if (track->IsDepthAxisTrack()) {
            // The depth under the pointer is read on the window of the press, so the
            // depth grabbed stays under the pointer as the window follows it.
            axis->min = drag.min0;
            axis->max = drag.max0;
            const float d = axis->PixelToValue(p.y);
            axis->min = drag.min0 + (drag.d0 - d);
            axis->max = drag.max0 + (drag.d0 - d);
            doc.RecomputeOtherAxis(track->type == kTrackMeterAxis ? kMeters : kFeet);
        } else {
            track->KB = drag.shift0 + (drag.d0 - axis->PixelToValue(p.y));
        }
        f.repaint = true;
        break;
    }
    case DragKind::Range:
        drag.d2 = track->depthAxis ? track->depthAxis->PixelToValue(p.y) : drag.d1;
        return RangeFeedback();
    case DragKind::None:
        break;
    }
    return f;
}

CToolFeedback CEditTools::Release(CPoint p) {
    if (drag.kind == DragKind::None) return {};
    CTrack* track = DragTrack();
    const int index = DragIndex();
    if (!track) return Cancel();
    drag.to = p;
    const DragKind kind = drag.kind;
    CToolFeedback f;
    f.repaint = true;
    if (kind == DragKind::Move) {
        if (p.x != drag.from.x || p.y != drag.from.y) {
            // The drop place is taken from the centre of the dragged outline.
            const int centre = (drag.rect.left + drag.rect.right) / 2 + (p.x - drag.from.x);
            int drop = doc.InsertionIndex(centre);
            if (drop != index && drop != index + 1) {
                if (drop > index) --drop;
                doc.MoveTrack(index, drop);
                doc.SelectTrack(drop, false);
            }
        }
        doc.SetModifiedFlag();
    } else if (kind == DragKind::Correlation) {
        doc.SetModifiedFlag();
    } else if (kind == DragKind::Range) {
        drag.kind = DragKind::None;
        return FinishRange(*track);
    }
    drag = {};
    doc.Platform().UpdateAllViews();
    return f;
}

CToolFeedback CEditTools::Cancel() {
    // A window or a shift moved so far goes back: nothing of the drag stays.
    if (drag.kind == DragKind::Correlation) {
        if (CTrack* track = DragTrack()) {
            if (track->IsDepthAxisTrack() && track->depthAxis) {
                track->depthAxis->min = drag.min0;
                track->depthAxis->max = drag.max0;
                doc.RecomputeOtherAxis(track->type == kTrackMeterAxis ? kMeters : kFeet);
            } else {
                track->KB = drag.shift0;
            }
        }
    }
    drag = {};
    CToolFeedback f;
    f.repaint = true;
    return f;
}

CToolFeedback CEditTools::RangeFeedback() const {
    CToolFeedback f;
    f.capture = true;
    f.band = CToolFeedback::Band{drag.from.x, drag.from.y, drag.to.y};
    f.tip = Format("%.2f - %.2f", drag.d1, drag.d2);
    return f;
}

CToolFeedback CEditTools::FinishRange(CTrack& track) {
    drag.kind = DragKind::None;
    CToolFeedback f;
    f.repaint = true;
    IPlatformServices& platform = doc.Platform();
    float top = std::min(drag.d1, drag.d2), bottom = std::max(drag.d1, drag.d2);
    const bool range = top < bottom;
    bool changed = false;
    if (auto* strat = dynamic_cast<CStratTrack*>(&track)) {
        std::string name;
        ColourRef fill = CStratTrack::kWhite;
        if (platform.EditStratTop(name, top, bottom, fill)) {
            strat->AddUnit(top, range ? bottom : top, name, fill);
            changed = true;
        }
    } else if (auto* lith = dynamic_cast<CLithTrack*>(&track)) {
        // Layers are stored where they are drawn from: the depth under the pointer
        // plus the track's shift.
        float storedTop = top + lith->KB, storedBottom = bottom + lith->KB;
        int id = 0;
        static const CLithArray kNoLibrary;
        if (platform.EditLithLayer(storedTop, storedBottom, id, lith->library ? *lith->library : kNoLibrary)) {
            lith->AddUnit(storedTop, range ? storedBottom : storedTop, id);
            changed = true;
        }
    } else if (auto* data = dynamic_cast<CDataTrack*>(&track)) {
        // The average of the next track over the range.
        const int index = DragIndex();
        const CTrack* source = index >= 0 && index + 1 < doc.TrackCount()
                                   ? doc.tracks[static_cast<size_t>(index) + 1].get()
                                   : nullptr;
        std::optional<float> value;
        if (const auto* log = dynamic_cast<const CLogTrack*>(source)) {
            const float v = log->AverageRange(top, bottom);
            if (v != log->nullvalue && std::isfinite(v)) value = v; // a range off the log adds nothing
        } else if (const auto* points = dynamic_cast<const CDataTrack*>(source)) {
            const float v = points->AveragePoints(top, bottom);
            if (v != points->nullvalue) value = v;
        }
        float base = bottom;
        if (value && (!doc.confirmInput || platform.ConfirmRange(top, base, *value))) {
            data->AppendPoint(*value, top);
            data->SortByDepth();
            changed = true;
        }
    }
    if (changed) {
        doc.SetModifiedFlag();
        platform.UpdateAllViews();
    }
    drag = {};
    return f;
}

void CEditTools::DrawPoint(CTrack& track, CPoint p) {
    auto& data = static_cast<CDataTrack&>(track);
    if (!track.depthAxis) return;
    float value = track.hAxis.PixelToValue(p.x);
    float depth = track.depthAxis->PixelToValue(p.y);
    if (doc.confirmInput && !doc.Platform().ConfirmPoint(depth, value)) return;
    data.AppendPoint(value, depth);
    data.SortByDepth();
    doc.SetModifiedFlag();
    doc.Platform().UpdateAllViews();
}

void CEditTools::Erase(CTrack& track, CPoint p) {
    if (!track.depthAxis) return;
    const float depth = track.depthAxis->PixelToValue(p.y);
    if (auto* data = dynamic_cast<CDataTrack*>(&track)) {
        const auto& points = data->Points();
        for (size_t i = 0; i < points.size(); ++i) {
            const int x = track.hAxis.ValueToPixel(points[i].value);
            const int y = track.depthAxis->ValueToPixel(points[i].depth);
            if (std::abs(static_cast<long long>(x) - p.x) <= kEraseReach &&
                std::abs(static_cast<long long>(y) - p.y) <= kEraseReach) {
                data->RemovePoint(i);
                break;
            }
        }
    } else if (auto* lith = dynamic_cast<CLithTrack*>(&track)) {
        const int i = lith->LayerAt(depth);
        if (i >= 0) lith->RemoveLayer(static_cast<size_t>(i));
    } else if (auto* strat = dynamic_cast<CStratTrack*>(&track)) {
        const int i = strat->TopAt(depth);
        if (i >= 0) strat->RemoveTop(static_cast<size_t>(i));
    } else {
        return;
    }
    doc.SetModifiedFlag();
    doc.Platform().UpdateAllViews();
}

void CEditTools::PlaceMarker(CTrack& track, CPoint p) {
    if (!track.depthAxis || !track.HitTest(p.x, p.y)) return;
    double depth = track.depthAxis->PixelToValue(p.y);
    // A marker is a depth of the document's unit, whichever ruler it was placed on.
    const bool feetAxis = track.depthAxis == &doc.feetAxis;
    if (feetAxis && doc.depthUnit == kMeters) depth /= kFeetPerMeter;
    if (!feetAxis && doc.depthUnit == kFeet) depth *= kFeetPerMeter;
    const float d = static_cast<float>(depth);
    doc.markers.push_back({d, d, kMarkerColour});
    tool = Tool::Arrow;
    doc.SetModifiedFlag();
    doc.Platform().UpdateAllViews();
}

CToolFeedback CEditTools::HoverMarker(CPoint p) const {
    CToolFeedback f;
    for (const auto& t : doc.tracks) {
        if (!IsCurve(*t) || !(t->rect.top < p.y && p.y < t->rect.bottom)) continue;
        f.markerLine.push_back({t->rect.left, p.y, t->rect.right, p.y + 1});
    }
    return f;
}

CToolFeedback CEditTools::DoubleClick(CPoint p) {
    drag = {};
    CToolFeedback f;
    f.repaint = true;
    const int index = doc.TrackIndexAt(p.x, p.y);
    doc.SelectTrack(index, false);
    IPlatformServices& platform = doc.Platform();
    if (index < 0) {
        doc.OnWellOptions();
        return f;
    }
    CTrack& track = *doc.tracks[static_cast<size_t>(index)];
    const float depth = track.depthAxis ? track.depthAxis->PixelToValue(p.y) : 0.0f;
    bool changed = false;
    if (auto* data = dynamic_cast<CDataTrack*>(&track); data && tool == Tool::Eraser) {
        if (platform.AskOkCancel("Erase all points?")) {
            data->ClearPoints();
            changed = true;
        }
    } else if (auto* strat = dynamic_cast<CStratTrack*>(&track)) {
        const int i = strat->TopAt(depth);
        if (i < 0) return f;
        CStratTrack::Top top = strat->Tops()[static_cast<size_t>(i)];
        float bottom = top.top; // no bottom to show
        if (platform.EditStratTop(top.name, top.top, bottom, top.fillColor)) {
            strat->ChangeTop(static_cast<size_t>(i), top);
            changed = true;
        }
    } else if (auto* lith = dynamic_cast<CLithTrack*>(&track)) {
        const int i = lith->LayerAt(depth);
        if (i < 0) return f;
        CLithTrack::Layer layer = lith->Layers()[static_cast<size_t>(i)];
        float bottom = layer.top;
        static const CLithArray kNoLibrary;
        if (platform.EditLithLayer(layer.top, bottom, layer.lithId, lith->library ? *lith->library : kNoLibrary)) {
            lith->ChangeLayer(static_cast<size_t>(i), layer.top, layer.lithId);
            changed = true;
        }
    } else {
        doc.EditTrack(index);
        return f;
    }
    if (changed) {
        doc.SetModifiedFlag();
        platform.UpdateAllViews();
    }
    return f;
}

CTrackMenuState CEditTools::RightPress(CPoint p) {
    drag = {};
    CTrackMenuState m;
    const int index = doc.TrackIndexAt(p.x, p.y);
    if (index < 0) return m;
    doc.SelectTrack(index, true);
    m.show = true;
    if (doc.IsOverlayAfter(index)) {
        m.overlayText = "UnOverlay";
        m.overlayEnabled = true;
    } else if (doc.IsCurveOrDataBefore(index)) {
        m.overlayText = "Overlay";
        m.overlayEnabled = true;
    }
    const int type = doc.tracks[static_cast<size_t>(index)]->type;
    m.smoothEnabled = type == kTrackLog;
    m.pasteEnabled = type == kTrackData || type == kTrackLith || type == kTrackStrat;
    return m;
}

CToolFeedback CEditTools::StepHeaderAxis(bool wider) {
    CToolFeedback f;
    CTrack* track = doc.SelectedTrack();
    if (!track || !IsCurve(*track)) return f; // no current track: nothing to step
    track->hAxis.StepRange(wider ? 4 : -4);
    doc.SetModifiedFlag(); // the header range is part of the file
    doc.Platform().UpdateAllViews();
    f.repaint = true;
    return f;
}

std::string CEditTools::StatusText(CPoint p) const {
    const CTrack* track = doc.TrackAt(p.x, p.y);
    if (!track || !track->depthAxis) return {};
    const float depth = track->depthAxis->PixelToValue(p.y);
    const char* unit = doc.depthUnit == kFeet ? "(ft)" : "(m)";
    if (track->type == kTrackFeetAxis) unit = "(ft)";
    if (track->type == kTrackMeterAxis) unit = "(m)";
    char buf[512];
    switch (track->type) {
    case kTrackMeterAxis:
    case kTrackFeetAxis:
        std::snprintf(buf, sizeof buf, "Depth = %.2f %s", depth, unit);
        return buf;
    case kTrackStrat: {
        const auto& strat = static_cast<const CStratTrack&>(*track);
        const int i = strat.TopAt(depth);
        if (i < 0) return {};
        std::snprintf(buf, sizeof buf, " Depth =%.2f %s,  Strat = ", depth, unit);
        return buf + strat.Tops()[static_cast<size_t>(i)].name;
    }
    case kTrackLith: {
        const auto& lith = static_cast<const CLithTrack&>(*track);
        const int i = lith.LayerAt(depth);
        if (i < 0 || !lith.library) return {};
        const CLithology* l = lith.library->FindById(lith.Layers()[static_cast<size_t>(i)].lithId);
        if (!l) return {};
        std::snprintf(buf, sizeof buf, " Depth =%.2f %s,  Lithology = ", depth, unit);
        return buf + l->name;
    }
    default: {
        std::snprintf(buf, sizeof buf, " Depth =%.2f %s,  ", depth, unit);
        std::string text = buf + track->Label();
        std::snprintf(buf, sizeof buf, "=%.2f", track->hAxis.PixelToValue(p.x));
        return text + buf;
    }
    }
}
