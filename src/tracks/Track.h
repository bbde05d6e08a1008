// The track base: one vertical strip of the plot, drawn against the shared depth
// axis, and the keys every kind stores in its header table.
#pragma once

#include "axes/TrackHAxis.h"
#include "axes/TrackVAxis.h"
#include "gfx/Geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CDrawSurface;
class CTableWriter;
class IPlatformServices;
class kdManager;

// Track kind ids, stored in every document.
enum : int {
    kTrackMeterAxis = 0,
    kTrackFeetAxis = 1,
    kTrackLog = 5,
    kTrackStrat = 7,
    kTrackLith = 8,
    kTrackData = 11,
};

class CTrack {
public:
    CTrack();
    CTrack(const CTrack&) = delete;
    CTrack& operator=(const CTrack&) = delete;
    virtual ~CTrack() = default;

    virtual void SetDepthUnit(int unit);
    virtual int Properties(IPlatformServices& platform);
    virtual void CopyData(IPlatformServices& platform);
    virtual void Draw(CDrawSurface& dc);
    virtual void SaveHeader(CTableWriter& out, std::string_view table);
    virtual void SaveData(CTableWriter& out, std::string_view table);
    virtual int LoadHeader(kdManager& in, std::string_view table);
    virtual int LoadData(kdManager& in, std::string_view table);
    // "Paste data from Excel" on the kinds that take a table; 1 when the track's
    // data changed, so the document must be redrawn and saved.
    virtual int Paste(IPlatformServices& platform);

    // Left and top edges inside, right and bottom edges outside.
    bool HitTest(int x, int y) const { return rect.Contains(x, y); }
    void SaveCommonKeys(CTableWriter& out);
    void LoadCommonKeys(const kdManager& in);

    bool IsDepthAxisTrack() const { return type == kTrackMeterAxis || type == kTrackFeetAxis; }
    const std::string& Label() const { return hAxis.title; }

    // Tells this track from every other one made in the program's life, so an edit
    // that spans several events notices when its track was deleted or replaced.
    const uint64_t serial;
    CRect rect;
    std::string title; // drawn above lithology and strat tracks; not saved
    std::string description;
    CTrackHAxis hAxis;
    CTrackVAxis* depthAxis = nullptr; // one of the document's two; not owned
    int selected = 0;
    int overlay = 0;
    int type = -1;
    int depthunit = 0;
    int overlayCount = 0;
    int overlayPosition = 0;
    float KB = 0.0f;
    float width = 1.5f;

protected:
    // The usual header: the table start, the common keys and then the kind's own.
    void BeginHeader(CTableWriter& out, std::string_view table);

    // Stores a new depth unit; gives the factor depths convert by, or 0 when nothing
    // converts (the same unit, or one that is neither metres nor feet).
    double ChangeDepthUnit(int unit);

    // Curves and points: the header axis on its row of the overlay group and the
    // depth axis down the track; then the header axis drawn. Gives the y of the
    // header axis line.
    int PlaceAndDrawHeaderAxis(CDrawSurface& dc);
    // Clips to the curve area below the group's header rows and draws the grid lines
    // of both axes in it.
    void ClipAndDrawGrids(CDrawSurface& dc);
    // Columns (lithology, formations): the depth axis down the track and a clip to
    // (left, top, right + 1, bottom).
    void PlaceColumn(CDrawSurface& dc);
    // A column without content: "Click with pencil to add layers" reading upward
    // across its middle, in the selected font.
    void DrawEmptyHint(CDrawSurface& dc);
    // The title above a column, in the header axis' title font.
    void DrawTitleAbove(CDrawSurface& dc);

    // Each curve of an overlay group has a header row of its own, this high.
    static constexpr int kOverlayRow = 36;
};

// The document's ordered list of tracks, left to right on the page.
using CTrackArray = std::vector<std::unique_ptr<CTrack>>;
