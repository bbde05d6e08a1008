// The document commands on the depth window, the depth unit, markers and
// correlations.
#include "doc/TarvikDoc.h"

#include "gfx/PlatformServices.h"

void CTarvikDoc::RecomputeOtherAxis(int fromUnit) {
    if (fromUnit == kMeters) {
        feetAxis.min = static_cast<float>(meterAxis.min * kFeetPerMeter);
        feetAxis.max = static_cast<float>(meterAxis.max * kFeetPerMeter);
    } else {
        meterAxis.min = static_cast<float>(feetAxis.min / kFeetPerMeter);
        meterAxis.max = static_cast<float>(feetAxis.max / kFeetPerMeter);
    }
}

void CTarvikDoc::AfterDepthWindowChange() {
    RecomputeOtherAxis(depthUnit == kMeters ? kMeters : kFeet);
    UpdateAllViews();
}

void CTarvikDoc::OnZoomIn() {
    CTrackVAxis& a = CurrentDepthAxis();
    const float ratio = (a.max - a.min) / a.majorUnit;
    float major = a.majorUnit, minor = a.minorUnit;
    if (ratio < 6.0f) {
        major /= 2;
        minor /= 2;
    }
    const float top = a.min + major;
    const float bottom = a.max - major;
    // A window narrower than two units would vanish or turn upside down.
    if (a.max > a.min && !(bottom > top)) return;
    a.majorUnit = major;
    a.minorUnit = minor;
    a.min = top;
    a.max = bottom;
    AfterDepthWindowChange();
}

void CTarvikDoc::OnZoomOut() {
    CTrackVAxis& a = CurrentDepthAxis();
    const float ratio = (a.max - a.min) / a.majorUnit;
    if (ratio > 16.0f) {
        a.majorUnit *= 2;
        a.minorUnit *= 2;
    }
    a.min -= a.majorUnit;
    a.max += a.majorUnit;
    AfterDepthWindowChange();
}

void CTarvikDoc::OnScrollUp() {
    CTrackVAxis& a = CurrentDepthAxis();
    a.min += a.majorUnit;
    a.max += a.majorUnit;
    AfterDepthWindowChange();
}

void CTarvikDoc::OnScrollDown() {
    CTrackVAxis& a = CurrentDepthAxis();
    a.min -= a.majorUnit;
    a.max -= a.majorUnit;
    AfterDepthWindowChange();
}

void CTarvikDoc::SwitchUnit(int unit) {
    if (depthUnit == unit && !tracks.empty()) return;
    // Markers are depths like the tracks' own: they stay at the same place.
    double factor = 1.0;
    if (depthUnit == kMeters && unit == kFeet) factor = kFeetPerMeter;
    if (depthUnit == kFeet && unit == kMeters) factor = 1.0 / kFeetPerMeter;
    for (CMarker& m : markers) {
        m.top = static_cast<float>(m.top * factor);
        m.bottom = static_cast<float>(m.bottom * factor);
    }
    depthUnit = unit;
    EnsureDepthAxisTrack(unit);
    const int otherAxisType = unit == kMeters ? kTrackFeetAxis : kTrackMeterAxis;
    if (FirstTrackOfType(otherAxisType) && dualAxis == 0) DeleteTracksOfType(otherAxisType);
    for (auto& t : tracks) {
        if (t->IsDepthAxisTrack()) continue;
        t->SetDepthUnit(unit);
        BindToDepthAxis(*t, unit);
    }
    SetModifiedFlag();
    UpdateAllViews();
}

void CTarvikDoc::OnDepthMeters() { SwitchUnit(kMeters); }
void CTarvikDoc::OnDepthFeet() { SwitchUnit(kFeet); }

void CTarvikDoc::OnDualAxis() {
    dualAxis = dualAxis ? 0 : 1;
    if (dualAxis) {
        EnsureDepthAxisTrack(kMeters);
        EnsureDepthAxisTrack(kFeet);
    } else {
        const int current = depthUnit == kMeters ? kMeters : kFeet;
        DeleteTracksOfType(current == kMeters ? kTrackFeetAxis : kTrackMeterAxis);
        EnsureDepthAxisTrack(current);
    }
    SetModifiedFlag();
    UpdateAllViews();
}

void CTarvikDoc::OnClearMarkers() {
    markers.clear();
    SetModifiedFlag(); // the markers are part of the file
    UpdateAllViews();
}

void CTarvikDoc::OnResetCorrelations() {
    if (!platform.AskOkCancel("Clear all correlations ?")) return;
    for (auto& t : tracks) t->KB = 0.0f;
    SetModifiedFlag(); // the depth shifts are part of the file
    UpdateAllViews();
}

void CTarvikDoc::OnWellOptions() {
    CWellOptions o{wellName, depthUnit, dualAxis};
    if (!platform.EditWellOptions(o)) return;
    // Every value the file keeps marks the document modified when it changes.
    if (o.wellName != wellName || o.depthUnit != depthUnit) SetModifiedFlag();
    depthUnit = o.depthUnit;
    if ((o.dualAxis != 0) != (dualAxis != 0)) OnDualAxis();
    wellName = o.wellName;
    UpdateAllViews();
}

void CTarvikDoc::OnInputMethod() {
    int method = inputMethod, confirm = confirmInput;
    if (!platform.EditInputMethod(method, confirm)) return;
    if (method != inputMethod || confirm != confirmInput) SetModifiedFlag();
    inputMethod = method;
    confirmInput = confirm;
}

void CTarvikDoc::OnAddNewTrack() {
    if (const std::optional<NewTrackKind> kind = platform.AskNewTrackKind()) AddNewTrack(*kind);
}

void CTarvikDoc::OnPasteInTrack() {
    CTrack* track = SelectedTrack();
    if (!track || !(track->type == kTrackData || track->type == kTrackLith || track->type == kTrackStrat)) return;
    if (!track->Paste(platform)) return;
    SetModifiedFlag();
    UpdateAllViews();
}
