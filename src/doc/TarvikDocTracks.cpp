// The track-list services of the document: hit tests, selection, insertion and
// deletion, depth-axis tracks and Add New track.
#include "doc/TarvikDoc.h"

#include "gfx/PlatformServices.h"
#include "tracks/AxisTrack.h"
#include "tracks/DataTrack.h"
#include "tracks/LithTrack.h"
#include "tracks/LogTrack.h"
#include "tracks/StratTrack.h"

void CTarvikDoc::InsertTrack(int index, std::unique_ptr<CTrack> track) {
    tracks.insert(tracks.begin() + index, std::move(track));
    if (selectedTrack >= index) ++selectedTrack;
}

void CTarvikDoc::RemoveTrack(int index) {
    tracks.erase(tracks.begin() + index);
    if (selectedTrack == index)
        selectedTrack = -1;
    else if (selectedTrack > index)
        --selectedTrack;
}

void CTarvikDoc::BindToDepthAxis(CTrack& track, int unit) { track.depthAxis = &DepthAxis(unit); }

CTrack* CTarvikDoc::TrackAt(int x, int y) const {
    const int i = TrackIndexAt(x, y);
    return i < 0 ? nullptr : tracks[static_cast<size_t>(i)].get();
}

int CTarvikDoc::TrackIndexAt(int x, int y) const {
    for (size_t i = 0; i < tracks.size(); ++i)
        if (tracks[i]->HitTest(x, y)) return static_cast<int>(i);
    return -1;
}

int CTarvikDoc::InsertionIndex(int x) const {
    for (size_t i = 0; i < tracks.size(); ++i) {
        const CRect& r = tracks[i]->rect;
        if ((r.left + r.right) / 2 > x) return static_cast<int>(i);
    }
    return TrackCount();
}

int CTarvikDoc::SelectTrack(int index, bool add) {
    if (!add)
        for (auto& t : tracks) t->selected = 0;
    selectedTrack = index;
    if (index >= 0 && index < TrackCount()) tracks[static_cast<size_t>(index)]->selected = 1;
    return index;
}

CTrack* CTarvikDoc::SelectedTrack() const {
    if (selectedTrack >= 0 && selectedTrack < TrackCount())
        return tracks[static_cast<size_t>(selectedTrack)].get();
    for (const auto& t : tracks)
        if (t->selected) return t.get();
    return nullptr;
}

void CTarvikDoc::DeleteSelectedTracks() {
    for (int i = TrackCount() - 1; i >= 0; --i)
        if (tracks[static_cast<size_t>(i)]->selected) RemoveTrack(i);
    SetModifiedFlag();
    UpdateAllViews();
}

void CTarvikDoc::EditTrack(int index) {
    if (index < 0 || index >= TrackCount()) return;
    CTrack& track = *tracks[static_cast<size_t>(index)];
    if (!track.Properties(platform)) return;
    if (track.IsDepthAxisTrack()) RecomputeOtherAxis(track.type == kTrackMeterAxis ? kMeters : kFeet);
    SetModifiedFlag();
    UpdateAllViews();
}

CTrack* CTarvikDoc::FirstTrackOfType(int t) const {
    for (const auto& track : tracks)
        if (track->type == t) return track.get();
    return nullptr;
}

void CTarvikDoc::DeleteTracksOfType(int t) {
    for (int i = TrackCount() - 1; i >= 0; --i)
        if (tracks[static_cast<size_t>(i)]->type == t) RemoveTrack(i);
}

int CTarvikDoc::EnsureDepthAxisTrack(int unit) {
    const int t = unit == kMeters ? kTrackMeterAxis : kTrackFeetAxis;
    if (FirstTrackOfType(t)) return 0;
    auto axis = std::make_unique<CAxisTrack>();
    axis->type = t;
    axis->width = 0.6f;
    BindToDepthAxis(*axis, unit == kMeters ? kMeters : kFeet);
    InsertTrack(0, std::move(axis));
    return 1;
}

bool CTarvikDoc::IsOverlayAfter(int index) const {
    return index + 1 >= 0 && index + 1 < TrackCount() &&
           tracks[static_cast<size_t>(index + 1)]->overlay != 0;
}

bool CTarvikDoc::IsCurveOrDataBefore(int index) const {
    if (index - 1 < 0 || index - 1 >= TrackCount()) return false;
    const int t = tracks[static_cast<size_t>(index - 1)]->type;
    return t == kTrackLog || t == kTrackData;
}

CTrack* CTarvikDoc::AddNewTrack(NewTrackKind kind) {
    EnsureDepthAxisTrack(depthUnit);
    std::unique_ptr<CTrack> track;
    switch (kind) {
    case NewTrackKind::Strat:
        track = std::make_unique<CStratTrack>();
        track->hAxis.title = "Age";
        track->width = 0.5f;
        break;
    case NewTrackKind::Lith: {
        auto lith = std::make_unique<CLithTrack>();
        lith->library = &lithLibrary;
        lith->hAxis.title = "Lith";
        lith->width = 0.5f;
        track = std::move(lith);
        break;
    }
    case NewTrackKind::Data:
    default:
        track = std::make_unique<CDataTrack>();
        track->hAxis.title = "Untitled";
        track->width = 1.5f;
        break;
    }
    BindToDepthAxis(*track, depthUnit == kMeters ? kMeters : kFeet);
    track->depthunit = depthUnit;
    track->hAxis.AutoScale(0.0f, 1.0f, 5);
    tracks.push_back(std::move(track));
    UpdateAllViews();
    return tracks.back().get();
}

void CTarvikDoc::OnDeleteSelectedTracks() {
    if (!SelectedTrack()) return;
    if (!platform.AskOkCancel("Are you sure you want to delete the selected tracks?")) return;
    DeleteSelectedTracks();
    selectedTrack = -1;
}

void CTarvikDoc::OnAddOverlay() {
    const int i = selectedTrack;
    if (i < 0 || i >= TrackCount()) return; // no current track
    if (!IsOverlayAfter(i)) {
        tracks[static_cast<size_t>(i)]->overlay = 1;
    } else {
        int last = i + 1;
        while (IsOverlayAfter(last)) ++last;
        tracks[static_cast<size_t>(last)]->overlay = 0;
    }
    SetModifiedFlag(); // the overlay flag is part of the file
    UpdateAllViews();
}

void CTarvikDoc::MoveTrack(int from, int to) {
    if (from < 0 || from >= TrackCount() || to < 0 || to >= TrackCount() || from == to) return;
    const CTrack* selected = selectedTrack >= 0 && selectedTrack < TrackCount()
                                 ? tracks[static_cast<size_t>(selectedTrack)].get()
                                 : nullptr;
    std::unique_ptr<CTrack> t = std::move(tracks[static_cast<size_t>(from)]);
    tracks.erase(tracks.begin() + from);
    tracks.insert(tracks.begin() + to, std::move(t));
    for (int k = 0; selected && k < TrackCount(); ++k)
        if (tracks[static_cast<size_t>(k)].get() == selected) selectedTrack = k;
}
