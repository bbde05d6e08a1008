#include "tracks/DataTrack.h"

#include "base/TableWriter.h"
#include "base/TextParse.h"
#include "base/Units.h"
#include "base/kdManager.h"
#include "gfx/DrawSurface.h"
#include "gfx/PlatformServices.h"
#include "gfx/DrawHelpers.h"
#include "tracks/PasteTable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numeric>

namespace {

// Symbol half-sizes come from files too; keep the symbol arithmetic inside int.
constexpr int kMaxSymbolSize = 1 << 20;

std::string_view Limit(std::string_view s, size_t n) {
    return s.size() > n ? s.substr(0, n) : s;
}

// --- The exchange sort, computed without its quadratic cost ---
//
// The sort: for i from the first key, for every later j, if key[j] < key[i] swap.
// The keys end in ascending order; only the order within a run of equal keys needs
// working out. For the keys equal to v, call a smaller key L and ignore larger ones.
// A pass that places an L moves an equal key only when one lies before the first
// remaining L: the first such key then takes that L's place. So, walking the list,
// the equal keys met so far form a queue; every L met rotates it by one (front to
// back) and every equal key met joins its back. The queue at the end of the list is
// the run's final order. Undoing the rotations from the end finds each key's place
// in O(log n), which makes the whole sort O(n log n).

// Counts over positions 0..n-1, with prefix sums and the k-th set position.
class Fenwick {
  public:
    explicit Fenwick(size_t n) : tree(n + 1, 0) {}
    void Add(size_t pos, int delta) {
        for (size_t i = pos + 1; i < tree.size(); i += i & (~i + 1))
            tree[i] += delta;
    }
    // How many counted positions lie before pos.
    size_t CountBefore(size_t pos) const {
        long long sum = 0;
        for (size_t i = pos; i > 0; i -= i & (~i + 1))
            sum += tree[i];
        return static_cast<size_t>(sum);
    }
    // The position of the (rank + 1)-th counted position.
    size_t Find(size_t rank) const {
        size_t pos = 0;
        long long left = static_cast<long long>(rank);
        size_t step = 1;
        while (step * 2 < tree.size())
            step *= 2;
        for (; step > 0; step /= 2)
            if (pos + step < tree.size() && tree[pos + step] <= left) {
                pos += step;
                left -= tree[pos];
            }
        return pos; // 0-based: the next index in the tree
    }

  private:
    std::vector<int> tree;
};

// The final order of the exchange sort as source indices (order[k] is the index of
// the key that ends at k), for keys without NaN; empty when nothing moves.
std::vector<size_t> ExchangeOrder(const std::vector<float>& keys) {
    const size_t n = keys.size();
    std::vector<size_t> order;
    bool sorted = true;
    for (size_t i = 1; i < n && sorted; ++i)
        sorted = !(keys[i] < keys[i - 1]);
    if (sorted) return order;

    // Runs of equal keys in ascending order, each in list order to start with.
    std::vector<size_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), size_t{0});
    std::sort(byKey.begin(), byKey.end(), [&](size_t a, size_t b) {
        return keys[a] < keys[b] || (!(keys[b] < keys[a]) && a < b);
    });

    order.resize(n);
    Fenwick smaller(n); // the positions of the keys of earlier runs
    std::vector<size_t> rotations;
    for (size_t g = 0; g < n;) {
        size_t h = g + 1;
        while (h < n && !(keys[byKey[g]] < keys[byKey[h]]))
            ++h;
        const size_t s = h - g;
        const size_t* run = byKey.data() + g;

        // Smaller keys between each equal key and the next (or the list's end).
        rotations.assign(s, 0);
        for (size_t t = 0; t < s; ++t)
            rotations[t] = smaller.CountBefore(run[t]);
        for (size_t t = 0; t + 1 < s; ++t)
            rotations[t] = rotations[t + 1] - rotations[t];
        rotations[s - 1] = g - rotations[s - 1]; // g smaller keys in all

        // Back from the end: undo each rotation, then the key that joined last sits
        // at the back. start is the final slot, by rank among those still open, that
        // the queue's front holds.
        Fenwick open(s);
        for (size_t k = 0; k < s; ++k)
            open.Add(k, 1);
        size_t start = 0;
        for (size_t t = s; t > 0; --t) {
            start = (start + t - rotations[t - 1] % t) % t;
            const size_t slot = open.Find((start + t - 1) % t);
            order[g + slot] = run[t - 1];
            open.Add(slot, -1);
            if (start > 0) --start;
        }
        for (size_t t = 0; t < s; ++t)
            smaller.Add(run[t], 1);
        g = h;
    }
    return order;
}

} // namespace

void CDataTrack::SetDepthUnit(int unit) {
    const double factor = ChangeDepthUnit(unit);
    if (factor == 0.0) return;
    for (Point& p : points) p.depth = static_cast<float>(p.depth * factor);
    KB = static_cast<float>(KB * factor);
}

void CDataTrack::CopyData(IPlatformServices& platform) {
    if (points.empty()) {
        platform.Message("Nothing to copy");
        return;
    }
    std::string text;
    try {
        text.reserve(points.size() * 24);
        for (const Point& p : points) {
            AppendG(text, p.depth);
            text.push_back('\t');
            AppendG(text, p.value);
            text.append("\r\n");
        }
    } catch (const std::bad_alloc&) {
        return; // no room for the text: the clipboard is left alone
    }
    if (!platform.SetClipboardText(text)) platform.Message("Unable to set Clipboard data");
}

void CDataTrack::Draw(CDrawSurface& dc) {
    PlaceAndDrawHeaderAxis(dc);
    ClipAndDrawGrids(dc);

    if (depthAxis && !points.empty()) {
        const auto x = [&](float v) { return hAxis.ValueToPixel(v); };
        const auto y = [&](float d) { return depthAxis->ValueToPixel(d); };
        const int xBase = x(fillSide ? hAxis.max : hAxis.min);

        if (colorFill && points.size() >= 2) {
            std::vector<CPoint> poly;
            poly.reserve(points.size() * (plotStyle == 1 ? 2 : 1) + 2);
            poly.push_back({xBase, y(points.front().depth)});
            for (const Point& p : points) {
                // A missing value falls back to the minimum, whichever side is filled.
                const int px = x(p.value == nullvalue ? hAxis.min : p.value);
                const int py = y(p.depth);
                if (plotStyle == 1) poly.push_back({poly.back().x, py});
                poly.push_back({px, py});
            }
            poly.push_back({xBase, y(points.back().depth)});
            const CPen oldPen = dc.SelectPen({PS_NULL, 0, 0});
            const CBrush oldBrush = dc.SelectBrush(CBrush::SolidBrush(fillColor));
            dc.Polygon(poly);
            dc.SelectBrush(oldBrush);
            dc.SelectPen(oldPen);
        }

        if (drawline) {
            const CPen oldPen = dc.SelectPen({linestyle, linewidth, linecolor});
            if (plotStyle == 2) {
                for (const Point& p : points) {
                    const int py = y(p.depth);
                    dc.MoveTo(xBase, py);
                    dc.LineTo(x(p.value), py);
                }
            } else {
                // "Block" steps down at the previous x, then across; any other style
                // connects the points.
                std::vector<CPoint> line;
                line.reserve(points.size() * (plotStyle == 1 ? 2 : 1));
                for (const Point& p : points) {
                    const CPoint at{x(p.value), y(p.depth)};
                    if (plotStyle == 1 && !line.empty()) line.push_back({line.back().x, at.y});
                    line.push_back(at);
                }
                if (line.size() >= 2)
                    dc.Polyline(line);
                else
                    dc.MoveTo(line.front().x, line.front().y);
            }
            dc.SelectPen(oldPen);
        }

        if (drawmarkers) {
            const CPen oldPen = dc.SelectPen({PS_SOLID, 1, symbolcolor});
            const CBrush oldBrush = dc.SelectBrush(CBrush::SolidBrush(symbolBkColor));
            const int size = std::clamp(symbolsize, -kMaxSymbolSize, kMaxSymbolSize);
            const int shape = symbolid % kSymbolCount;
            for (const Point& p : points)
                DrawSymbol(dc, shape, size, x(p.value), y(p.depth));
            dc.SelectBrush(oldBrush);
            dc.SelectPen(oldPen);
        }
    }

    RemoveTrackClip(dc);
    DrawRectOutline(dc, rect);
}

void CDataTrack::SaveHeader(CTableWriter& out, std::string_view table) {
    count = PointCount();
    BeginHeader(out, table);
    out.I("linewidth", linewidth);
    out.U("linecolor", linecolor);
    out.I("linestyle", linestyle);
    out.G("nullvalue", nullvalue);
    out.I("count", count);
    out.I("drawline", drawline);
    out.I("drawmarkers", drawmarkers);
    out.I("symbolid", symbolid);
    out.U("symbolcolor", symbolcolor);
    out.U("symbolBkColor", symbolBkColor);
    out.I("symbolsize", symbolsize);
    out.U("fillColor", fillColor);
    out.I("colorFill", colorFill);
    out.I("fillSide", fillSide);
    out.I("plotStyle", plotStyle);
    out.I("overlay", overlay);
    out.EndTable();
}

void CDataTrack::SaveData(CTableWriter& out, std::string_view table) {
    out.BeginTable(table);
    out.Columns({"depth", "value"});
    size_t n = 0;
    char line[2 * kMaxFixedFloat + 2];
    for (const Point& p : points) {
        char* end = WriteFixed(line, p.depth, 4);
        *end++ = ';';
        end = WriteFixed(end, p.value, 4);
        *end++ = '\n';
        out.Out().append(line, end);
        if (++n % 1024 == 0) out.Done();
    }
    out.EndTable();
}

int CDataTrack::LoadHeader(kdManager& in, std::string_view table) {
    if (!in.SelectTable(table)) return 0;
    LoadCommonKeys(in);
    in.GetValueFloat("nullvalue", nullvalue);
    in.GetValueInt("count", count);
    in.GetValueInt("linewidth", linewidth);
    in.GetValueInt("linestyle", linestyle);
    in.GetValueInt("drawline", drawline);
    in.GetValueInt("drawmarkers", drawmarkers);
    in.GetValueInt("symbolid", symbolid);
    in.GetValueInt("symbolsize", symbolsize);
    in.GetValueInt("colorFill", colorFill);
    in.GetValueInt("fillSide", fillSide);
    in.GetValueInt("overlay", overlay);
    in.GetValueColour("linecolor", linecolor);
    in.GetValueColour("symbolcolor", symbolcolor);
    in.GetValueColour("symbolBkColor", symbolBkColor);
    in.GetValueColour("fillColor", fillColor);
    // Older files said "blockCurve" for what is now the plot style.
    if (!in.GetValueInt("plotStyle", plotStyle)) in.GetValueInt("blockCurve", plotStyle);
    return 1;
}

int CDataTrack::LoadData(kdManager& in, std::string_view table) {
    if (!in.SelectTable(table)) return 0;
    // The rows are the points: the header's count sizes nothing.
    const int rows = in.RowCount();
    for (int r = 0; r < rows; ++r) {
        const std::optional<std::string_view> depthText = in.CellView(r, "depth");
        float depth = 0.0f;
        if (!depthText || !ScanFloat(Limit(*depthText, kMaxNumberText), depth))
            continue; // a point needs a depth
        float value = nullvalue;
        if (const std::optional<std::string_view> valueText = in.CellView(r, "value"))
            ScanFloat(Limit(*valueText, kMaxNumberText), value);
        points.push_front({value, depth});
    }
    SortByDepth();
    return 1;
}

void CDataTrack::AddPoint(float value, float depth) {
    points.push_front({value, depth});
}

void CDataTrack::SortByDepth() {
    SortPoints(0);
}

void CDataTrack::SortPoints(int byValue) {
    // A NaN key is never below another nor another below it, so the exchange sort
    // never moves it: NaN points keep their places and the rest sort around them.
    std::vector<size_t> slots;
    std::vector<float> keys;
    slots.reserve(points.size());
    keys.reserve(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const float k = byValue ? points[i].value : points[i].depth;
        if (std::isnan(k)) continue;
        slots.push_back(i);
        keys.push_back(k);
    }
    const std::vector<size_t> order = ExchangeOrder(keys);
    if (order.empty()) return;
    std::vector<Point> sorted;
    sorted.reserve(order.size());
    for (size_t k : order)
        sorted.push_back(points[slots[k]]);
    for (size_t k = 0; k < sorted.size(); ++k)
        points[slots[k]] = sorted[k];
}

void CDataTrack::ClearPoints() {
    std::deque<Point>().swap(points);
}

bool CDataTrack::GetBounds(float& minValue, float& maxValue, float& minDepth,
                           float& maxDepth) const {
    if (points.empty()) return false;
    constexpr float inf = std::numeric_limits<float>::infinity();
    float v0 = inf, v1 = -inf, d0 = inf, d1 = -inf;
    bool anyValue = false, anyDepth = false;
    for (const Point& p : points) {
        if (!std::isnan(p.value)) {
            v0 = std::min(v0, p.value);
            v1 = std::max(v1, p.value);
            anyValue = true;
        }
        if (!std::isnan(p.depth)) {
            d0 = std::min(d0, p.depth);
            d1 = std::max(d1, p.depth);
            anyDepth = true;
        }
    }
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    minValue = anyValue ? v0 : nan;
    maxValue = anyValue ? v1 : nan;
    minDepth = anyDepth ? d0 : nan;
    maxDepth = anyDepth ? d1 : nan;
    return true;
}

void CDataTrack::RescaleToData() {
    float lo = std::numeric_limits<float>::infinity();
    float hi = -lo;
    for (const Point& p : points) {
        if (!std::isfinite(p.value)) continue; // no range can hold it
        lo = std::min(lo, p.value);
        hi = std::max(hi, p.value);
    }
    if (lo > hi) return; // nothing to fit: keep the range
    hAxis.AutoScale(lo, hi, 3);
}

float CDataTrack::AveragePoints(float top, float base) const {
    double sum = 0.0;
    size_t n = 0;
    for (const Point& p : points) {
        if (!(p.depth >= top && p.depth <= base)) continue;
        if (p.value == nullvalue || !std::isfinite(p.value)) continue;
        sum += p.value;
        ++n;
    }
    return n == 0 ? nullvalue : static_cast<float>(sum / static_cast<double>(n));
}

int CDataTrack::Paste(IPlatformServices& platform) {
    const std::optional<std::string> clip =
        PasteText(platform, !points.empty(), "This will clear existing data points");
    if (!clip) return 0;
    // From here the old points are gone: whatever follows, the track has changed.
    const bool hadPoints = !points.empty();
    ClearPoints();

    const bool haveDepthAxis = depthAxis != nullptr;
    const float depthMin = haveDepthAxis ? depthAxis->min : 0.0f;
    const float depthMax = haveDepthAxis ? depthAxis->max : 0.0f;
    CPasteCount count;
    const bool valid = ScanTableRows(*clip, [&](std::string_view first, std::string_view second) {
        float depth = 0.0f, value = 0.0f;
        if (!ScanFloat(first, depth) || !ScanFloat(second, value)) return;
        AddPoint(value, depth);
        ++count.read;
        const bool valueIn = value >= hAxis.min && value <= hAxis.max;
        const bool depthIn = !haveDepthAxis || (depth >= depthMin && depth <= depthMax);
        if (valueIn && depthIn) ++count.inRange;
    });
    const int changed = hadPoints || count.read > 0 ? 1 : 0;

    if (!valid) {
        platform.Message("Data format is not valid. Please paste only 2 columns of tab delimited "
                         "values (depth and a value)");
        return changed;
    }
    if (count.read == 0) {
        platform.Message("No valid data points found. Please paste only 2 columns of tab "
                         "delimited values (depth and a value)");
        return changed;
    }
    if (count.inRange < count.read)
        platform.Message("Warning, " + std::to_string(count.read - count.inRange) + " out of " +
                         std::to_string(count.read) +
                         " points are outside of the range of the axes. You may need to adjust "
                         "the axis.");
    return 1;
}
