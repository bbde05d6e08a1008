#include "tracks/LogTrack.h"

#include "base/TableWriter.h"
#include "base/TextParse.h"
#include "base/Units.h"
#include "base/ValueRange.h"
#include "base/kdManager.h"
#include "gfx/DrawSurface.h"
#include "gfx/PlatformServices.h"
#include "gfx/DrawHelpers.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// The pixel row of each sample, asked for with rising indices. On a linear depth
// axis whose window maps within the device range, the row moves one way only as the
// index grows, so the samples of one row are found by a few probes at its end (a
// printed page puts hundreds on a row) instead of mapping every sample.
class CSampleRows {
public:
    // `stride` is the step between the samples asked for: probing pays only when
    // each is next to the one before.
    CSampleRows(const CLogTrack& log, const CAxis& axis, long long first, long long last, long long stride)
        : log(log), axis(axis), end(last + 1) {
        const auto inRange = [&](long long i) {
            const float d = log.SampleDepth(i);
            return std::isfinite(d) && std::abs(axis.ValueToPixel(d)) < 100'000'000;
        };
        probe = stride == 1 && (axis.axisType == kAxisLinearV || axis.axisType == kAxisLinearH) && inRange(first) &&
                inRange(last);
    }

    int operator()(long long i) {
        if (i >= from && i < to) return row;
        return probe ? Probe(i) : Map(i);
    }

private:
    int Probe(long long i) {
        row = Map(i);
        // Gallop to a sample on another row (or the end), then halve the gap.
        long long lo = i, hi = i + 1, step = 1;
        while (hi < end && Map(hi) == row) {
            lo = hi;
            step *= 2;
            hi = std::min(lo + step, end);
        }
        while (hi - lo > 1) {
            const long long mid = lo + (hi - lo) / 2;
            (Map(mid) == row ? lo : hi) = mid;
        }
        from = i;
        to = hi;
        return row;
    }

    int Map(long long i) const { return axis.ValueToPixel(log.SampleDepth(i)); }

    const CLogTrack& log;
    const CAxis& axis;
    const long long end; // one past the last sample asked for
    bool probe = false;
    long long from = 0, to = 0; // the samples known to lie on `row`
    int row = 0;
};

} // namespace

long long CLogTrack::IndexOf(float d) const {
    const double i = (static_cast<double>(d) - startdepth + KB) / depthstep;
    if (std::isnan(i)) return 0;
    return static_cast<long long>(std::clamp(i, -2.0, static_cast<double>(count) + 2.0));
}

void CLogTrack::SetDepthUnit(int unit) {
    const double factor = ChangeDepthUnit(unit);
    if (factor == 0.0) return;
    startdepth = static_cast<float>(startdepth * factor);
    stopdepth = static_cast<float>(stopdepth * factor);
    depthstep = static_cast<float>(depthstep * factor);
    KB = static_cast<float>(KB * factor);
}

void CLogTrack::Draw(CDrawSurface& dc) {
    const int headerY = PlaceAndDrawHeaderAxis(dc);
    DrawRectOutline(dc, {rect.left, headerY, rect.right, rect.bottom});
    ClipAndDrawGrids(dc);

    const int n = std::min(count, static_cast<int>(values.size()));
    if (depthAxis && n > 0 && depthstep != 0 && std::isfinite(depthstep)) {
        // A negative step (depth falling with the index) walks the window backwards.
        const long long a = IndexOf(depthAxis->min), b = IndexOf(depthAxis->max);
        const long long i0 = std::max(std::min(a, b), 0LL);
        const long long i1 = std::min(std::max(a, b) + 1, static_cast<long long>(n));
        if (i0 < i1) {
            const long long height = rect.bottom - rect.top;
            long long k = 1;
            if (!dc.IsPrinting() && height > 0) k = (i1 - i0) / height;
            if (k < 2) k = 1;

            // A printed log puts hundreds of samples on a pixel row: the points are
            // reduced row by row as they are made, as the surface would reduce them.
            const size_t room = static_cast<size_t>(std::min<long long>((i1 - i0) / k + 4, 4 * std::max(height, 0LL) + 16));
            // On screen the samples drawn lie pages apart: each would wait for memory
            // in turn unless asked for a few ahead.
            const auto prefetch = [&](long long i) {
                if (k > 1 && i + 8 * k < i1)
                    __builtin_prefetch(&values[static_cast<size_t>(i + 8 * k)]);
            };

            const CPen pen{linestyle, linewidth, linecolor};
            const bool collapse = RowsCollapse(pen, false);
            // With a fill, the curve's runs (nulls lift the pen) are gathered in the
            // same pass over the samples, and drawn over the fill after it.
            std::vector<CPoint> line;
            std::vector<size_t> runEnds;
            if (colorFill) {
                const float base = fillSide ? hAxis.max : hAxis.min;
                const int xBase = hAxis.ValueToPixel(base);
                std::vector<CPoint> poly;
                poly.reserve(room);
                CRowCollapser rows(poly);
                if (collapse) line.reserve(room);
                CRowCollapser curve(line);
                const auto endRun = [&] {
                    curve.End();
                    const size_t from = runEnds.empty() ? 0 : runEnds.back();
                    if (line.size() - from >= 2)
                        runEnds.push_back(line.size());
                    else
                        line.resize(from);
                };
                CSampleRows y(*this, *depthAxis, i0, i1, k);
                rows.Add({xBase, y(i0)});
                for (long long i = i0; i < i1; i += k) {
                    prefetch(i);
                    const float v = values[static_cast<size_t>(i)];
                    const int py = y(i);
                    if (IsValue(v, nullvalue)) {
                        const int px = hAxis.ValueToPixel(v);
                        rows.Add({px, py});
                        if (collapse) curve.Add({px, py});
                    } else {
                        rows.Add({xBase, py});
                        if (collapse) endRun();
                    }
                }
                if (collapse) endRun();
                rows.Add({xBase, y(i1)});
                rows.End();
                const CPen oldPen = dc.SelectPen({PS_NULL, 0, 0});
                const CBrush oldBrush = dc.SelectBrush(CBrush::SolidBrush(fillColor));
                dc.Polygon(poly);
                dc.SelectBrush(oldBrush);
                dc.SelectPen(oldPen);
            }

            const CPen oldPen = dc.SelectPen(pen);
            if (colorFill && collapse) {
                size_t from = 0;
                for (const size_t to : runEnds) {
                    dc.Polyline(line.data() + from, to - from);
                    from = to;
                }
            } else {
                // Nulls lift the pen: each run of real samples is one polyline.
                std::vector<CPoint> run;
                run.reserve(collapse ? room
                                     : static_cast<size_t>(
                                           std::min<long long>((i1 - i0) / k + 1, 1 << 20)));
                CRowCollapser rows(run);
                CSampleRows y(*this, *depthAxis, i0, i1, k);
                const auto flush = [&] {
                    rows.End();
                    if (run.size() >= 2) dc.Polyline(run);
                    run.clear();
                };
                for (long long i = i0; i < i1; i += k) {
                    prefetch(i);
                    const float v = values[static_cast<size_t>(i)];
                    if (!IsValue(v, nullvalue))
                        flush();
                    else if (collapse)
                        rows.Add({hAxis.ValueToPixel(v), y(i)});
                    else
                        run.push_back({hAxis.ValueToPixel(v), y(i)});
                }
                flush();
            }
            dc.SelectPen(oldPen);
        }
    }
    RemoveTrackClip(dc);
}

void CLogTrack::CopyData(IPlatformServices& platform) {
    if (count == 0 || values.empty()) {
        platform.Message("Nothing to copy");
        return;
    }
    platform.BeginWaitCursor();
    std::string text;
    bool built = true;
    try {
        const size_t n = std::min(static_cast<size_t>(count), values.size());
        text.reserve(n * 24);
        float depth = startdepth; // kept in single precision, as the rows always were
        for (size_t i = 0; i < n; ++i) {
            AppendG(text, depth);
            text.push_back('\t');
            AppendG(text, values[i]);
            text.append("\r\n");
            depth += depthstep;
        }
    } catch (const std::bad_alloc&) {
        built = false;
    }
    if (!built)
        platform.Message("Clipboard out of memory");
    else if (!platform.SetClipboardText(text))
        platform.Message("Unable to set Clipboard data");
    platform.EndWaitCursor();
}

void CLogTrack::SaveHeader(CTableWriter& out, std::string_view table) {
    BeginHeader(out, table);
    out.I("linewidth", linewidth);
    out.U("linecolor", linecolor);
    out.I("linestyle", linestyle);
    out.G("startdepth", startdepth);
    out.G("stopdepth", stopdepth);
    out.G("depthstep", depthstep);
    out.G("nullvalue", nullvalue);
    out.I("count", count);
    out.U("fillColor", fillColor);
    out.I("colorFill", colorFill);
    out.I("fillSide", fillSide);
    out.I("overlay", overlay);
    out.EndTable();
}

void CLogTrack::SaveData(CTableWriter& out, std::string_view table) {
    out.BeginTable(table);
    out.Columns({"values"});
    const size_t n = std::min(static_cast<size_t>(std::max(count, 0)), values.size());
    // Ten samples a line, each followed by a blank; a line is made here and added whole.
    char line[10 * (kMaxFixedFloat + 1) + 1];
    for (size_t i = 0; i < n; i += 10) {
        char* p = line;
        for (size_t k = i; k < std::min(i + 10, n); ++k) {
            p = WriteFixed(p, values[k], 4);
            *p++ = ' ';
        }
        if (i + 10 <= n) *p++ = '\n';
        out.Out().append(line, p);
        out.Done();
    }
    out.Raw("\nEND\n\n");
}

int CLogTrack::LoadHeader(kdManager& in, std::string_view table) {
    if (!in.SelectTable(table)) return 0;
    LoadCommonKeys(in);
    in.GetValueFloat("startdepth", startdepth);
    in.GetValueFloat("stopdepth", stopdepth);
    in.GetValueFloat("depthstep", depthstep);
    in.GetValueFloat("nullvalue", nullvalue);
    in.GetValueInt("count", count);
    in.GetValueInt("linewidth", linewidth);
    in.GetValueInt("linestyle", linestyle);
    in.GetValueInt("colorFill", colorFill);
    in.GetValueInt("fillSide", fillSide);
    in.GetValueInt("overlay", overlay);
    in.GetValueColour("linecolor", linecolor);
    in.GetValueColour("fillColor", fillColor);
    return 1;
}

int CLogTrack::LoadData(kdManager& in, std::string_view table) {
    if (!in.SelectTable(table)) return 0;
    const kTable& t = *in.CurrentTable();
    const int rows = in.RowCount();
    // Each row holds at most ten samples: never size the log beyond what the table
    // can fill, whatever its header says.
    const long long room = 10LL * rows;
    const size_t n = static_cast<size_t>(std::clamp<long long>(count, 0, room));
    values.assign(n, nullvalue);
    count = static_cast<int>(n);

    const int column = t.ColumnIndex("values");
    if (column < 0) return 1;
    size_t filled = 0;
    for (int r = 0; r < rows && filled < n; ++r) {
        // The samples are read from the file's text where it lies, without a copy.
        const std::optional<kField> cell = t.rows[static_cast<size_t>(r)].Field(column);
        if (!cell) continue;
        filled += ScanFloatRow(*cell, values.data() + filled, std::min<size_t>(10, n - filled));
    }
    return 1;
}

float CLogTrack::AverageRange(float top, float base) const {
    const long long n = std::min(static_cast<long long>(count), static_cast<long long>(values.size()));
    const long long i0 = std::max(IndexOf(top), 0LL);
    const long long i1 = std::min(IndexOf(base) + 1, n - 1);
    if (i1 < i0) return nullvalue; // no sample lies in the range
    float sum = 0.0f;
    for (long long i = i0; i <= i1; ++i) sum += values[static_cast<size_t>(i)];
    return sum / static_cast<float>(i1 - i0 + 1);
}

void CLogTrack::RescaleToData() {
    float lo = 1e30f, hi = -1e30f;
    WidenToValues(values.data(), std::min(static_cast<size_t>(std::max(count, 0)), values.size()),
                  nullvalue, lo, hi);
    if (lo > hi) return; // nothing but nulls: keep the range
    hAxis.AutoScale(lo, hi, 3);
}
