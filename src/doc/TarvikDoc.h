// The one document: one well, drawn as a row of tracks that share a depth axis.
#pragma once

#include "axes/TrackVAxis.h"
#include "base/Units.h"
#include "base/kdManager.h"
#include "gfx/Colour.h"
#include "gfx/PlatformServices.h"
#include "tracks/LithArray.h"
#include "tracks/Track.h"

#include <string>
#include <vector>

class CTableWriter;
class IPlatformServices;

// Markers are drawn in this colour unless the file says otherwise.
inline constexpr ColourRef kMarkerColour = MakeRGB(200, 50, 50);

struct CMarker {
    float top = 0.0f;
    float bottom = 0.0f;
    ColourRef colour = kMarkerColour;
};
using CMarkerArray = std::vector<CMarker>;


class CTarvikDoc {
public:
    explicit CTarvikDoc(IPlatformServices& platform);
    CTarvikDoc(const CTarvikDoc&) = delete;
    CTarvikDoc& operator=(const CTarvikDoc&) = delete;

    // --- life cycle and files ---
    bool OnNewDocument();
    // Loads a Tarvik document (a table file), replacing this one. False leaves the
    // document as it was. Other formats are opened through exchange/OpenFile.h.
    bool OnOpenDocument(const std::string& path);
    // Saves through a temporary file renamed over the target; on failure the user
    // is told why and the old file and the document stay as they were.
    bool OnSaveDocument(const std::string& path);
    void DeleteContents();
    void Store(CTableWriter& out);
    // Fills the (emptied) document from a table file already read into the reader.
    void Load(kdManager& reader);
    // After the first view update of a LAS file opened as a document (lasImport
    // set): the path becomes the ".tvk" beside the LAS file and the document is
    // modified.
    void FinishLasOpen();

    const std::string& PathName() const { return pathName; }
    void SetPathName(const std::string& path) { pathName = path; }
    bool IsModified() const { return modified; }
    void SetModifiedFlag(bool on = true) { modified = on; }
    IPlatformServices& Platform() const { return platform; }

    // --- track list ---
    CTrack* TrackAt(int x, int y) const;
    int TrackIndexAt(int x, int y) const;
    int InsertionIndex(int x) const;
    int SelectTrack(int index, bool add);
    CTrack* SelectedTrack() const;
    void DeleteSelectedTracks();
    // Track > Delete selected tracks: asks first; the current track is none after.
    void OnDeleteSelectedTracks();
    // Track > Add Overlay on the current track: it is laid over the track before it,
    // or, when the tracks after it are overlays, the last of them is laid out again.
    void OnAddOverlay();
    // Moves track `from` to index `to` of the list without it (the selection follows).
    void MoveTrack(int from, int to);
    void EditTrack(int index);
    CTrack* FirstTrackOfType(int type) const;
    void DeleteTracksOfType(int type);
    int EnsureDepthAxisTrack(int unit);
    bool IsOverlayAfter(int index) const;
    bool IsCurveOrDataBefore(int index) const;
    int TrackCount() const { return static_cast<int>(tracks.size()); }
    // Adds a track of the chosen kind at the end (the Add New track command).
    CTrack* AddNewTrack(NewTrackKind kind);
    // Edit > Add New track: asks "Select new track type", then AddNewTrack.
    void OnAddNewTrack();
    // Edit > Paste data in track: the selected data, lithology or strat track takes
    // the clipboard's table; the document is modified when the track changed.
    void OnPasteInTrack();
    // Options > Well options: well name, depth unit (stored as chosen; the tracks are
    // neither converted nor rebound) and dual depth axis.
    void OnWellOptions();
    // Options > Input method: how the pencil adds points, and whether it asks.
    void OnInputMethod();
    void BindToDepthAxis(CTrack& track, int unit);

    // --- depth window and units ---
    CTrackVAxis& CurrentDepthAxis() { return depthUnit == kMeters ? meterAxis : feetAxis; }
    CTrackVAxis& DepthAxis(int unit) { return unit == kMeters ? meterAxis : feetAxis; }
    // The other axis' top and bottom follow the axis of the given unit.
    void RecomputeOtherAxis(int fromUnit);
    void OnZoomIn();
    void OnZoomOut();
    void OnScrollUp();
    void OnScrollDown();
    void OnDepthMeters();
    void OnDepthFeet();
    void OnDualAxis();
    void OnClearMarkers();
    void OnResetCorrelations();

    // --- fields ---
    float docWidth = 8.5f;
    float docHeight = 11.0f;
    float pageMargin = 0.5f;
    float logHeight = 9.0f;
    float headerHeight = 0.5f;
    int pageOrientation = 0;
    int depthUnit = 0;
    int dualAxis = 0;
    int drawHeader = 0;
    int fitPage = 0;
    int lasImport = 0;
    std::string wellName;
    CMarkerArray markers;
    int confirmInput = 0;
    int inputMethod = 0;
    CTrackVAxis meterAxis;
    CTrackVAxis feetAxis;
    kdManager reader;
    CTrackArray tracks;
    int selectedTrack = -1;
    CLithArray lithLibrary;

private:
    void UpdateAllViews();
    // Insertion and removal that keep the selected index on the same track.
    void InsertTrack(int index, std::unique_ptr<CTrack> track);
    void RemoveTrack(int index);
    void SwitchUnit(int unit);
    void AfterDepthWindowChange();

    IPlatformServices& platform;
    std::string pathName;
    bool modified = false;
};
