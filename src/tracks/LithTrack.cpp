#include "tracks/LithTrack.h"

#include "base/TableWriter.h"
#include "base/TextParse.h"
#include "base/Units.h"
#include "base/kdManager.h"
#include "gfx/DrawHelpers.h"
#include "gfx/DrawSurface.h"
#include "gfx/PlatformServices.h"
#include "tracks/PasteTable.h"

#include <algorithm>
#include <iterator>
#include <cmath>
#include <new>

namespace {

// The colour of a column's hint text: red 0, green 0, blue 50.
constexpr ColourRef kHintColour = MakeRGB(0, 0, 50);

} // namespace

CLithTrack::CLithTrack() {
    type = kTrackLith;
    width = 0.5f;
    title = "Lith";
    MakeFont(font, "Arial", 12, false);
}

void CLithTrack::SetDepthUnit(int unit) {
    if (unit == depthunit) return;
    depthunit = unit;
    const float factor = unit == kFeet ? kLayerToFeet : kLayerToMeters;
    for (Layer& l : layers) l.top *= factor;
    // The shift is a depth like the tops: left alone, the column would land away
    // from the curves after a switch.
    KB *= factor;
}

bool CLithTrack::InsertLayer(float top, int lithId) {
    if (!std::isfinite(top)) return false;
    const auto at = std::upper_bound(layers.begin(), layers.end(), top,
                                     [](float t, const Layer& l) { return t < l.top; });
    layers.insert(at, {top, lithId});
    return true;
}

size_t CLithTrack::ChangeLayer(size_t i, float top, int lithId) {
    if (i >= layers.size() || !std::isfinite(top)) return i;
    layers.erase(layers.begin() + static_cast<std::ptrdiff_t>(i));
    const auto at = std::upper_bound(layers.begin(), layers.end(), top,
                                     [](float t, const Layer& l) { return t < l.top; });
    return static_cast<size_t>(layers.insert(at, {top, lithId}) - layers.begin());
}

void CLithTrack::Merge(std::vector<Layer> read) {
    // Each row inserted in turn, as InsertLayer would, but in O(n log n): a file or a
    // paste in any order costs no more than a sorted one.
    std::stable_sort(read.begin(), read.end(), [](const Layer& a, const Layer& b) { return a.top < b.top; });
    std::vector<Layer> merged;
    merged.reserve(layers.size() + read.size());
    std::merge(layers.begin(), layers.end(), read.begin(), read.end(), std::back_inserter(merged),
               [](const Layer& a, const Layer& b) { return a.top < b.top; });
    layers = std::move(merged);
}

void CLithTrack::AddUnit(float top, float bottom, int lithId) {
    if (!std::isfinite(top) || !std::isfinite(bottom)) return;
    if (!(bottom > top)) {
        InsertLayer(top, lithId);
        return;
    }
    const auto after = [&](float d) {
        return std::upper_bound(layers.begin(), layers.end(), d, [](float t, const Layer& l) { return t < l.top; });
    };
    const auto below = after(bottom);
    const bool covers = below != layers.begin();
    const Layer covered = covers ? *std::prev(below) : Layer{};
    layers.erase(std::lower_bound(layers.begin(), layers.end(), top,
                                  [](const Layer& l, float t) { return l.top < t; }),
                 below);
    if (covers && covered.top < bottom) InsertLayer(bottom, covered.lithId);
    InsertLayer(top, lithId);
}

void CLithTrack::RemoveLayer(size_t i) {
    if (i < layers.size()) layers.erase(layers.begin() + static_cast<std::ptrdiff_t>(i));
}

int CLithTrack::LayerAt(float depth) const {
    const auto after = std::partition_point(layers.begin(), layers.end(),
                                            [&](const Layer& l) { return l.top - KB <= depth; });
    return static_cast<int>(after - layers.begin()) - 1;
}

void CLithTrack::Draw(CDrawSurface& dc) {
    PlaceColumn(dc);
    const CFontDesc oldFont = dc.SelectFont(font);
    const ColourRef oldColour = dc.SetTextColor(kHintColour);
    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_BASELINE);
    dc.SetBkMode(BK_TRANSPARENT);
    if (layers.empty()) DrawEmptyHint(dc);
    if (depthAxis) {
        // Layers that end above the window show nothing: start at the one that
        // reaches into it.
        size_t first = 0;
        if (!depthAxis->reverse) first = static_cast<size_t>(std::max(LayerAt(depthAxis->min), 0));
        for (size_t i = first; i < layers.size(); ++i) {
            const int y1 = std::max(depthAxis->ValueToPixel(layers[i].top - KB), rect.top);
            if (y1 > rect.bottom) break;
            const int y2 = i + 1 < layers.size() ? depthAxis->ValueToPixel(layers[i + 1].top - KB)
                                                 : rect.bottom;
            if (y2 < rect.top) continue;
            const CLithology* lith = library ? library->FindById(layers[i].lithId) : nullptr;
            const bool filled = lith && lith->pattern;
            if (filled) {
                const CBrush old = dc.SelectBrush(CBrush::PatternBrush(lith->pattern));
                dc.Rectangle(rect.left, y1, rect.right + 1, y2 + 1);
                dc.SelectBrush(old);
            }
            // An outline two rows high or more has drawn the line on the layer's top.
            if (filled && y2 > y1) {
                dc.MoveTo(rect.right, y1);
            } else {
                dc.MoveTo(rect.left, y1);
                dc.LineTo(rect.right, y1);
            }
        }
    }
    dc.SetTextAlign(oldAlign);
    dc.SetTextColor(oldColour);
    dc.SelectFont(oldFont);
    RemoveTrackClip(dc);
    DrawRectOutline(dc, rect);
    DrawTitleAbove(dc);
}

void CLithTrack::CopyData(IPlatformServices& platform) {
    if (layers.empty()) {
        platform.Message("Nothing to copy");
        return;
    }
    std::string text;
    try {
        text = "Top depth\tLithology\r\n";
        for (const Layer& l : layers) {
            AppendG(text, l.top);
            text.push_back('\t');
            // A lithology the library does not hold is copied by its id.
            const CLithology* lith = library ? library->FindById(l.lithId) : nullptr;
            if (lith)
                text += lith->name;
            else
                AppendInt(text, l.lithId);
            text.append("\r\n");
        }
    } catch (const std::bad_alloc&) {
        platform.Message("Clipboard out of memory");
        return;
    }
    if (!platform.SetClipboardText(text)) platform.Message("Unable to set Clipboard data");
}

void CLithTrack::SaveHeader(CTableWriter& out, std::string_view table) {
    BeginHeader(out, table);
    out.EndTable();
}

void CLithTrack::SaveData(CTableWriter& out, std::string_view table) {
    out.BeginTable(table);
    out.Columns({"topDepth", "lithId"});
    for (const Layer& l : layers) {
        std::string& o = out.Out();
        AppendG(o, l.top);
        o.push_back(';');
        AppendInt(o, l.lithId);
        o.push_back('\n');
        out.Done();
    }
    out.EndTable();
}

int CLithTrack::LoadData(kdManager& in, std::string_view table) {
    if (!in.SelectTable(table)) return 0;
    const int rows = in.RowCount();
    std::vector<Layer> read;
    for (int r = 0; r < rows; ++r) {
        // A layer needs a depth: a row without one is left out, not put at 0.
        float top = NAN;
        int id = 0;
        const std::string* cell = in.CellText(r, "topDepth");
        if (!cell || !ScanFloat(std::string_view(*cell).substr(0, kMaxNumberText), top)) continue;
        if (!std::isfinite(top)) continue;
        in.GetCellInt(r, "lithId", id);
        read.push_back({top, id});
    }
    Merge(std::move(read));
    return 1;
}

int CLithTrack::Paste(IPlatformServices& platform) {
    const std::optional<std::string> clip = PasteText(platform, !layers.empty(), "This will clear existing layers");
    if (!clip) return 0;
    const bool hadLayers = !layers.empty();
    ClearLayers();

    CPasteCount count;
    std::vector<Layer> read;
    const bool valid = ScanTableRows(*clip, [&](std::string_view first, std::string_view second) {
        float depth = 0.0f;
        if (!ScanFloat(first, depth) || !std::isfinite(depth)) return;
        if (TrimLeft(second).empty()) return; // no name read
        read.push_back({depth, library ? library->IdForPastedName(second) : 0});
        ++count.read;
        if (!depthAxis || (depth >= depthAxis->min && depth <= depthAxis->max)) ++count.inRange;
    });
    Merge(std::move(read));
    const int changed = hadLayers || count.read > 0 ? 1 : 0;
    if (!valid) {
        platform.Message("Data format is not valid. Please paste a depth and a lithology name column only");
        return changed;
    }
    if (count.read == 0) {
        platform.Message("No valid data points found.Please paste a depth and a lithology name column only");
        return changed;
    }
    if (count.inRange < count.read)
        platform.Message("Warning, " + std::to_string(count.read - count.inRange) + " out of " +
                         std::to_string(count.read) +
                         " points are outside of the range of the axes. You may need to adjust the axis.");
    return 1;
}
