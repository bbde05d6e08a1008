#pragma once

#include "gfx/Colour.h"
#include "tracks/Track.h"

#include <deque>
#include <vector>

// Irregular depth/value points: digitised, pasted, imported or computed.
class CDataTrack : public CTrack {
  public:
    struct Point {
        float value = 0.0f;
        float depth = 0.0f;
        friend bool operator==(const Point&, const Point&) = default;
    };

    CDataTrack() { type = kTrackData; }

    void SetDepthUnit(int unit) override;
    void CopyData(IPlatformServices& platform) override;
    void Draw(CDrawSurface& dc) override;
    void SaveHeader(CTableWriter& out, std::string_view table) override;
    void SaveData(CTableWriter& out, std::string_view table) override;
    int LoadHeader(kdManager& in, std::string_view table) override;
    int LoadData(kdManager& in, std::string_view table) override;

    // A new point at the head of the list, as digitising and pasting add them.
    void AddPoint(float value, float depth);
    // A new point at the end of the list, as an import reads them.
    void AppendPoint(float value, float depth) { points.push_back({value, depth}); }
    // Exchange sorts by depth (or, with byValue, by value): for each point, every
    // later one with a smaller key trades places with it; equal keys are not
    // exchanged. The order this leaves equal keys in shows in files and lines, so it
    // is kept exactly, though worked out in O(n log n). NaN keys stay in place.
    void SortByDepth();
    void SortPoints(int byValue);
    void ClearPoints();
    void RemovePoint(size_t i) {
        if (i < points.size()) points.erase(points.begin() + static_cast<std::ptrdiff_t>(i));
    }
    // Minimum and maximum value and depth over all points, nulls included and NaN
    // skipped (NaN when nothing else is there); false when there are none.
    bool GetBounds(float& minValue, float& maxValue, float& minDepth, float& maxDepth) const;
    void RescaleToData();
    // The value operation (ValueOperation.h) on every value that is present, depths
    // untouched; gives the number of values it changed.
    int ApplyOperation(int code, float x);
    // Mean value of the points from top to base (inclusive), nulls and NaN or
    // infinite values skipped; nullvalue when none.
    float AveragePoints(float top, float base) const;
    // "Paste data from Excel": replaces the points with the clipboard's table,
    // leaving them in the reverse of their pasted order. 1 when the points changed
    // (also when the old ones were cleared and the text then proved unusable).
    int Paste(IPlatformServices& platform) override;

    // The points in list order, head first.
    const std::deque<Point>& Points() const { return points; }
    int PointCount() const { return static_cast<int>(points.size()); }

    int count = 0; // written as the number of points; the list governs everything else
    float nullvalue = -99999.0f;
    int linestyle = 0;
    int linewidth = 1;
    ColourRef linecolor = 0;
    int drawline = 0;
    int drawmarkers = 1;
    int symbolid = 0;
    int symbolsize = 2;
    ColourRef symbolcolor = 0;
    ColourRef symbolBkColor = MakeRGB(255, 255, 255);
    int colorFill = 0;
    // Stored as 13171400 (red 200, green 250, blue 200), as files have it.
    ColourRef fillColor = 13171400;
    int fillSide = 0;
    int plotStyle = 0;

  private:
    std::deque<Point> points;
};
