// Smoothing, value operations, two-track operations and the sum of selected tracks
// as the commands run them.
#include "view/LogOperations.h"

#include "axes/Axis.h"
#include "base/Units.h"
#include "base/ValueRange.h"
#include "doc/TarvikDoc.h"
#include "gfx/PlatformServices.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr float kNewTrackWidth = 1.5f;

// The tracks the operations make: named and labelled, at the end of the document,
// 1.5 inches wide, with the depth unit (and so the depth axis) of the track whose
// depths they take, which is the document's own unless an import chose another.
template <class T> T& AppendOperationTrack(CTarvikDoc& doc, const std::string& name, int unit) {
    auto track = std::make_unique<T>();
    track->title = name;
    track->hAxis.title = name;
    track->width = kNewTrackWidth;
    track->depthunit = unit;
    doc.BindToDepthAxis(*track, unit == kFeet ? kFeet : kMeters);
    T& made = *track;
    doc.tracks.push_back(std::move(track));
    doc.SetModifiedFlag();
    return made;
}

size_t SampleCount(const CLogTrack& log) {
    return std::min(static_cast<size_t>(std::max(log.count, 0)), log.values.size());
}

// a op b, or nothing where the operation has no value (a division by 0) or the
// result is not a number a track can hold.
bool Combine(int op, float a, float b, float& out) {
    switch (op) {
    case kTwoTrackAdd:
        out = a + b;
        break;
    case kTwoTrackSubtract:
        out = a - b;
        break;
    case kTwoTrackMultiply:
        out = a * b;
        break;
    case kTwoTrackDivide:
        if (b == 0.0f) return false;
        out = a / b;
        break;
    case kTwoTrackRatio:
        if (a + b == 0.0f) return false;
        out = a / (a + b);
        break;
    default:
        return false;
    }
    return std::isfinite(out);
}

// The sample of a log at depth d: the integer part of the index the depth gives,
// computed in double precision. Depths are floats, so a depth that misses a sample
// only by their rounding (1000.1 + 4 x 0.1 against a log starting at 1000.5) counts
// as on it. -1 when d lies outside the log's depths or past its samples.
long long SampleAt(const CLogTrack& log, double d) {
    const double start = log.startdepth, step = log.depthstep;
    const double x = (d - start) / step;
    const double last = (static_cast<double>(log.stopdepth) - start) / step;
    const double slack =
        std::min(0.25, 4.0 * (std::fabs(d) + std::fabs(start)) * 0x1p-24 / std::fabs(step) +
                           std::fabs(x) * 0x1p-24);
    if (!(x >= -slack && x <= last + slack)) return -1; // also NaN
    const double j = std::floor(x + slack);
    return j < static_cast<double>(SampleCount(log)) ? static_cast<long long>(j) : -1;
}

// Appends the points as putting each at the head of the list and then sorting it
// by depth (the exchange sort) would leave them, in linear time. Points that come
// in ascending depth stand in that list in descending depth, and the exchange sort
// then turns each run of equal depths by one place for every smaller depth after it.
void AppendAsSorted(CDataTrack& track, const std::vector<CDataTrack::Point>& ascending) {
    const size_t n = ascending.size();
    for (size_t g = 0; g < n;) {
        size_t h = g + 1;
        while (h < n && ascending[h].depth == ascending[g].depth)
            ++h;
        const size_t m = h - g, turn = g % m;
        for (size_t k = 0; k < m; ++k) {
            const CDataTrack::Point& p = ascending[h - 1 - (k + turn) % m];
            track.AppendPoint(p.value, p.depth);
        }
        g = h;
    }
}

bool UsableStep(const CLogTrack& log) {
    return log.depthstep != 0.0f && std::isfinite(log.depthstep) && std::isfinite(log.startdepth) &&
           std::isfinite(log.stopdepth);
}

int SumLogs(CTarvikDoc& doc, const CLogTrack& first) {
    // The new samples lie on the first log's depths; without a step there are none.
    if (!UsableStep(first)) return 0;
    const size_t n = SampleCount(first);
    std::vector<float> sum(n, 0.0f);
    std::vector<char> missing(n, 0);
    const double start = first.startdepth, step = first.depthstep;
    int summed = 0;
    for (const auto& t : doc.tracks) {
        const auto* s = dynamic_cast<const CLogTrack*>(t.get());
        if (!s || !s->selected || !UsableStep(*s)) continue;
        for (size_t i = 0; i < n; ++i) {
            if (missing[i]) continue;
            const long long j = SampleAt(*s, start + static_cast<double>(i) * step);
            const float v = j < 0 ? kMissingValue : s->values[static_cast<size_t>(j)];
            if (IsPresent(v, s->nullvalue))
                sum[i] += v;
            else
                missing[i] = 1; // no sample there, or a missing one: no sum either
        }
        ++summed;
    }
    for (size_t i = 0; i < n; ++i)
        if (missing[i] || !std::isfinite(sum[i])) sum[i] = kMissingValue;

    auto& made = AppendOperationTrack<CLogTrack>(doc, "Sum of selected", first.depthunit);
    made.depthstep = first.depthstep;
    made.startdepth = first.startdepth;
    made.stopdepth = first.stopdepth;
    made.count = static_cast<int>(n);
    made.nullvalue = kMissingValue;
    made.values = std::move(sum);
    made.RescaleToData();
    return summed;
}

int SumData(CTarvikDoc& doc, const CDataTrack& first) {
    // The k-th point of every selected track adds to the k-th point of the sum.
    std::vector<CDataTrack::Point> sum;
    std::vector<char> missing;
    int summed = 0;
    for (const auto& t : doc.tracks) {
        const auto* s = dynamic_cast<const CDataTrack*>(t.get());
        if (!s || !s->selected) continue;
        size_t k = 0;
        for (const CDataTrack::Point& p : s->Points()) {
            const bool present = IsPresent(p.value, s->nullvalue);
            if (k < sum.size()) {
                if (present)
                    sum[k].value += p.value;
                else
                    missing[k] = 1;
            } else {
                sum.push_back(p);
                // A point beyond the end of an earlier track has no sum.
                missing.push_back(!present || summed > 0);
            }
            ++k;
        }
        for (; k < sum.size(); ++k)
            missing[k] = 1;
        ++summed;
    }
    auto& made = AppendOperationTrack<CDataTrack>(doc, "Sum of selected", first.depthunit);
    for (size_t k = 0; k < sum.size(); ++k)
        if (!missing[k] && std::isfinite(sum[k].value) && std::isfinite(sum[k].depth))
            made.AppendPoint(sum[k].value, sum[k].depth);
    made.RescaleToData();
    return summed;
}

} // namespace

int OnSmoothLog(CTarvikDoc& doc) {
    if (doc.selectedTrack < 0 || doc.selectedTrack >= doc.TrackCount()) return 0;
    auto* log = dynamic_cast<CLogTrack*>(doc.tracks[static_cast<size_t>(doc.selectedTrack)].get());
    if (!log) return 0;
    IPlatformServices& platform = doc.Platform();
    int length = 9;
    if (!platform.AskFilterLength(length)) return 0;
    if (!log->Smooth(length)) return 0;
    doc.SetModifiedFlag();
    platform.UpdateAllViews();
    return 1;
}

int OnTrackOperation(CTarvikDoc& doc) {
    CTrack* track = doc.SelectedTrack();
    if (!track) return 0;
    IPlatformServices& platform = doc.Platform();
    int code = 0;
    float value = 0.0f;
    if (!platform.AskValueOperation(code, value)) return 0;
    int changed = 0;
    if (auto* log = dynamic_cast<CLogTrack*>(track))
        changed = log->ApplyOperation(code, value);
    else if (auto* data = dynamic_cast<CDataTrack*>(track))
        changed = data->ApplyOperation(code, value);
    if (changed > 0) doc.SetModifiedFlag();
    platform.UpdateAllViews();
    return changed > 0 ? 1 : 0;
}

int OnTrackTrackOperation(CTarvikDoc& doc) {
    IPlatformServices& platform = doc.Platform();
    std::vector<CTrack*> candidates;
    for (int type : {kTrackData, kTrackLog})
        for (const auto& t : doc.tracks)
            if (t->type == type) candidates.push_back(t.get());
    if (candidates.size() < 2) {
        platform.Message("You will need at least two data tracks to use this tool");
        return 0;
    }
    std::vector<std::string> labels;
    for (const CTrack* t : candidates)
        labels.push_back(t->Label());
    CMultiTrackChoice choice;
    if (!platform.AskMultiTrackOperation(labels, choice)) return 0;
    const auto valid = [&](int i) { return i >= 0 && i < static_cast<int>(candidates.size()); };
    if (!valid(choice.trackA) || !valid(choice.trackB)) return 0;
    CTrack* a = candidates[static_cast<size_t>(choice.trackA)];
    CTrack* b = candidates[static_cast<size_t>(choice.trackB)];
    if (a->type != b->type) {
        platform.Message("sorry, can't operate on two different log track types.");
        return 0;
    }
    platform.BeginWaitCursor();
    int made;
    if (a->type == kTrackData)
        made = CombineDataTracks(doc, static_cast<CDataTrack&>(*a), static_cast<CDataTrack&>(*b),
                                 choice.operation, choice.name);
    else
        made = CombineLogTracks(doc, static_cast<CLogTrack&>(*a), static_cast<CLogTrack&>(*b),
                                choice.operation, choice.name);
    platform.EndWaitCursor();
    platform.UpdateAllViews();
    return made;
}

int CombineLogTracks(CTarvikDoc& doc, const CLogTrack& a, const CLogTrack& b, int op,
                     const std::string& name) {
    if (a.depthstep != b.depthstep || !(a.depthstep > 0.0f)) return 0;
    if (!UsableStep(a) || !UsableStep(b)) return 0;
    const float step = a.depthstep;
    const float start = std::max(a.startdepth, b.startdepth);
    const float stop = std::min(a.stopdepth, b.stopdepth);
    const int intervals = RoundHalfUp((static_cast<double>(stop) - start) / step);
    if (intervals < 1) return 0;
    const int iA = RoundHalfUp((static_cast<double>(start) - a.startdepth) / step);
    const int iB = RoundHalfUp((static_cast<double>(start) - b.startdepth) / step);
    // Never past the samples either log really has, whatever its stop depth says.
    const long long room = std::min(static_cast<long long>(SampleCount(a)) - iA,
                                    static_cast<long long>(SampleCount(b)) - iB);
    const int n = static_cast<int>(std::min<long long>(intervals, room));
    if (n < 1) return 0;

    std::vector<float> values(static_cast<size_t>(n));
    float lo = 1e32f, hi = -1e-32f;
    for (int i = 0; i < n; ++i) {
        const float va = a.values[static_cast<size_t>(iA + i)];
        const float vb = b.values[static_cast<size_t>(iB + i)];
        float r = kMissingValue;
        if (!IsPresent(va, a.nullvalue) || !IsPresent(vb, b.nullvalue) || !Combine(op, va, vb, r))
            r = kMissingValue;
        values[static_cast<size_t>(i)] = r;
        if (r == kMissingValue) continue;
        lo = std::min(lo, r);
        hi = std::max(hi, r);
    }

    auto& made = AppendOperationTrack<CLogTrack>(doc, name, a.depthunit);
    made.depthstep = step;
    made.startdepth = start;
    made.stopdepth =
        n == intervals ? stop : static_cast<float>(start + static_cast<double>(n) * step);
    made.count = n;
    made.nullvalue = kMissingValue;
    made.values = std::move(values);
    if (lo <= hi) made.hAxis.AutoScale(lo, hi, 2); // nothing valid: the range stays
    return 1;
}

int CombineDataTracks(CTarvikDoc& doc, CDataTrack& a, CDataTrack& b, int op,
                      const std::string& name) {
    auto& made = AppendOperationTrack<CDataTrack>(doc, name, a.depthunit);
    a.SortPoints(0);
    b.SortPoints(0);
    const auto& pa = a.Points();
    const auto& pb = b.Points();

    // The cursor into B and the point it last left persist from one A point to the next.
    std::vector<CDataTrack::Point> results; // at A's depths, which ascend
    size_t cur = 0;
    const CDataTrack::Point* prev = nullptr;
    for (const CDataTrack::Point& p : pa) {
        if (cur >= pb.size()) break;
        if (!IsPresent(p.value, a.nullvalue) || !std::isfinite(p.depth)) continue;
        while (cur < pb.size() && pb[cur].depth < p.depth)
            prev = &pb[cur++];
        float bValue;
        if (cur >= pb.size()) {
            if (!prev) continue;
            bValue = prev->value; // below B's last point: its value, this once
        } else {
            const CDataTrack::Point& next = pb[cur];
            if (!prev)
                bValue = next.value; // above B's first point
            else if (!IsPresent(next.value, b.nullvalue))
                bValue = prev->value;
            else if (!IsPresent(prev->value, b.nullvalue))
                bValue = next.value;
            else if (next.depth == prev->depth)
                bValue = next.value;
            else
                bValue = prev->value + (next.value - prev->value) * (p.depth - prev->depth) /
                                           (next.depth - prev->depth);
        }
        float r;
        if (!IsPresent(bValue, b.nullvalue) || !Combine(op, p.value, bValue, r)) continue;
        results.push_back({r, p.depth});
    }
    AppendAsSorted(made, results);
    made.RescaleToData();
    return 1;
}

int SumSelected(CTarvikDoc& doc) {
    const CTrack* first = nullptr;
    for (const auto& t : doc.tracks)
        if (t->selected) {
            first = t.get();
            break;
        }
    if (const auto* log = dynamic_cast<const CLogTrack*>(first)) return SumLogs(doc, *log);
    if (const auto* data = dynamic_cast<const CDataTrack*>(first)) return SumData(doc, *data);
    return 0;
}

int OnSumSelected(CTarvikDoc& doc) {
    IPlatformServices& platform = doc.Platform();
    platform.BeginWaitCursor();
    const int summed = SumSelected(doc);
    platform.EndWaitCursor();
    char text[64];
    std::snprintf(text, sizeof text, "%i tracks added", summed);
    platform.Message(text, MsgIcon::Information);
    platform.UpdateAllViews();
    return summed;
}
