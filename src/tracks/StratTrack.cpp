#include "tracks/StratTrack.h"

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

bool Above(float depth, const CStratTrack::Top& t) { return depth < t.top; }

} // namespace

CStratTrack::CStratTrack() {
    type = kTrackStrat;
    width = 0.5f;
    title = "Strat";
    MakeFont(font, "Arial", 14, false);
}

void CStratTrack::SetDepthUnit(int unit) {
    if (unit == depthunit) return;
    depthunit = unit;
    const float factor = unit == kFeet ? kLayerToFeet : kLayerToMeters;
    for (Top& t : tops) t.top *= factor;
}

bool CStratTrack::InsertTop(float top, std::string name, ColourRef fill) {
    if (!std::isfinite(top)) return false;
    const auto at = std::upper_bound(tops.begin(), tops.end(), top, Above);
    tops.insert(at, {top, fill, std::move(name)});
    return true;
}

size_t CStratTrack::ChangeTop(size_t i, Top values) {
    if (i >= tops.size() || !std::isfinite(values.top)) return i;
    tops.erase(tops.begin() + static_cast<std::ptrdiff_t>(i));
    const auto at = std::upper_bound(tops.begin(), tops.end(), values.top, Above);
    return static_cast<size_t>(tops.insert(at, std::move(values)) - tops.begin());
}

void CStratTrack::Merge(std::vector<Top> read) {
    // Each row inserted in turn, as InsertTop would, but in O(n log n).
    const auto byDepth = [](const Top& a, const Top& b) { return a.top < b.top; };
    std::stable_sort(read.begin(), read.end(), byDepth);
    std::vector<Top> merged;
    merged.reserve(tops.size() + read.size());
    std::merge(std::make_move_iterator(tops.begin()), std::make_move_iterator(tops.end()),
               std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()),
               std::back_inserter(merged), byDepth);
    tops = std::move(merged);
}

void CStratTrack::AddUnit(float top, float bottom, std::string name, ColourRef fill) {
    if (!std::isfinite(top) || !std::isfinite(bottom)) return;
    if (!(bottom > top)) {
        InsertTop(top, std::move(name), fill);
        return;
    }
    const auto below = std::upper_bound(tops.begin(), tops.end(), bottom, Above);
    const bool covers = below != tops.begin();
    const Top covered = covers ? *std::prev(below) : Top{};
    tops.erase(std::lower_bound(tops.begin(), tops.end(), top, [](const Top& t, float d) { return t.top < d; }),
               below);
    if (covers && covered.top < bottom) InsertTop(bottom, covered.name, covered.fillColor);
    InsertTop(top, std::move(name), fill);
}

void CStratTrack::RemoveTop(size_t i) {
    if (i < tops.size()) tops.erase(tops.begin() + static_cast<std::ptrdiff_t>(i));
}

int CStratTrack::TopAt(float depth) const {
    const auto after = std::upper_bound(tops.begin(), tops.end(), depth, Above);
    return static_cast<int>(after - tops.begin()) - 1;
}

void CStratTrack::Draw(CDrawSurface& dc) {
    PlaceColumn(dc);
    const CFontDesc oldFont = dc.SelectFont(font);
    const ColourRef oldColour = dc.SetTextColor(fontColor);
    const unsigned oldAlign = dc.SetTextAlign(TA_CENTER | TA_BASELINE);
    dc.SetBkMode(BK_TRANSPARENT);
    if (tops.empty()) DrawEmptyHint(dc);
    if (depthAxis) {
        // Formations that end above the window show nothing: start at the one that
        // reaches into it.
        size_t first = 0;
        if (!depthAxis->reverse) first = static_cast<size_t>(std::max(TopAt(depthAxis->min), 0));
        for (size_t i = first; i < tops.size(); ++i) {
            const int y1 = std::max(depthAxis->ValueToPixel(tops[i].top), rect.top);
            if (y1 > rect.bottom) break;
            const int y2 = i + 1 < tops.size() ? depthAxis->ValueToPixel(tops[i + 1].top) : rect.bottom;
            if (y2 < rect.top) continue;
            const CBrush old = dc.SelectBrush(CBrush::SolidBrush(tops[i].fillColor));
            dc.Rectangle(rect.left, y1, rect.right + 1, y2 + 1);
            dc.SelectBrush(old);
            DrawFittedText(dc, {rect.left, y1, rect.right, y2}, tops[i].name);
            dc.MoveTo(rect.left, y1);
            dc.LineTo(rect.right, y1);
        }
    }
    dc.SetTextAlign(oldAlign);
    dc.SetTextColor(oldColour);
    dc.SelectFont(oldFont);
    RemoveTrackClip(dc);
    DrawRectOutline(dc, rect);
    DrawTitleAbove(dc);
}

void CStratTrack::CopyData(IPlatformServices& platform) {
    if (tops.empty()) {
        platform.Message("Nothing to copy");
        return;
    }
    std::string text;
    try {
        text = "Fm.\tTop depth\r\n";
        for (const Top& t : tops) {
            text += t.name;
            text.push_back('\t');
            AppendG(text, t.top);
            text.append("\r\n");
        }
    } catch (const std::bad_alloc&) {
        platform.Message("Clipboard out of memory");
        return;
    }
    if (!platform.SetClipboardText(text)) platform.Message("Unable to set Clipboard data");
}

void CStratTrack::SaveHeader(CTableWriter& out, std::string_view table) {
    BeginHeader(out, table);
    out.U("fontColor", fontColor);
    out.U("fontSize", static_cast<uint32_t>(font.height));
    out.U("fontWeight", static_cast<uint32_t>(font.weight));
    out.U("fontItalic", font.italic ? 1u : 0u);
    out.Text("fontName", font.face);
    out.EndTable();
}

void CStratTrack::SaveData(CTableWriter& out, std::string_view table) {
    out.BeginTable(table);
    out.Columns({"name", "topDepth", "fillColor"});
    for (Top& t : tops) {
        // The table has no quoting: a ';' in a name would shift the columns.
        SanitizeFreeText(t.name);
        std::string& o = out.Out();
        o.append(t.name);
        o.push_back(';');
        AppendG(o, t.top);
        o.push_back(';');
        AppendUInt(o, t.fillColor);
        o.push_back('\n');
        out.Done();
    }
    out.EndTable();
}

int CStratTrack::LoadHeader(kdManager& in, std::string_view table) {
    if (!in.SelectTable(table)) return 0;
    LoadCommonKeys(in);
    // The font is made from the file alone: a key it lacks leaves that part zero.
    CFontDesc f;
    f.weight = 0;
    uint32_t size = 0, weight = 0, italic = 0;
    in.GetValueColour("fontColor", fontColor);
    in.GetValueBits32("fontSize", size);
    in.GetValueBits32("fontWeight", weight);
    in.GetValueBits32("fontItalic", italic);
    in.GetValueText("fontName", f.face);
    f.height = static_cast<int32_t>(size); // "%u" of a negative height reads back negative
    f.weight = static_cast<int>(std::min<uint32_t>(weight, 1000));
    f.italic = (italic & 0xFF) != 0;
    font = f;
    return 1;
}

int CStratTrack::LoadData(kdManager& in, std::string_view table) {
    if (!in.SelectTable(table)) return 0;
    const int rows = in.RowCount();
    std::vector<Top> read;
    for (int r = 0; r < rows; ++r) {
        // A top needs a depth: a row without one is left out, not put at 0.
        float top = NAN;
        const std::string* cell = in.CellText(r, "topDepth");
        if (!cell || !ScanFloat(std::string_view(*cell).substr(0, kMaxNumberText), top)) continue;
        if (!std::isfinite(top)) continue;
        int fill = static_cast<int>(kWhite);
        in.GetCellIntAnyBase(r, "fillColor", fill);
        std::string name;
        in.GetCell(r, "name", name);
        read.push_back({top, static_cast<ColourRef>(fill), std::move(name)});
    }
    Merge(std::move(read));
    return 1;
}

int CStratTrack::Paste(IPlatformServices& platform) {
    const std::optional<std::string> clip = PasteText(platform, !tops.empty(), "This will clear existing layers");
    if (!clip) return 0;
    const bool hadTops = !tops.empty();
    ClearLayers();

    CPasteCount count;
    std::vector<Top> read;
    const bool valid = ScanTableRows(*clip, [&](std::string_view first, std::string_view second) {
        // The whole name, so a copied table pastes back as it was.
        const std::string_view name = TrimRight(TrimLeft(first));
        float depth = 0.0f;
        if (name.empty() || !ScanFloat(second, depth) || !std::isfinite(depth)) return;
        read.push_back({depth, kWhite, std::string(name)});
        ++count.read;
        if (!depthAxis || (depth >= depthAxis->min && depth <= depthAxis->max)) ++count.inRange;
    });
    Merge(std::move(read));
    const int changed = hadTops || count.read > 0 ? 1 : 0;
    if (!valid) {
        platform.Message("Data format is not valid. Please paste a name and depth column only");
        return changed;
    }
    if (count.read == 0) {
        platform.Message("No valid data points found. Please paste a name and depth column only");
        return changed;
    }
    if (count.inRange < count.read)
        platform.Message("Warning, " + std::to_string(count.read - count.inRange) + " out of " +
                         std::to_string(count.read) +
                         " points are outside of the range of the depth axis. You may need to adjust the axis.");
    return 1;
}
