#include "exchange/LasImport.h"

#include "base/ValueRange.h"
#include "doc/TarvikDoc.h"
#include "exchange/LasFile.h"
#include "exchange/ProgressGuard.h"
#include "gfx/PlatformServices.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<ColourRef, 38> kNewTrackColours = {
    MakeRGB(139, 0, 0),     MakeRGB(255, 104, 32),  MakeRGB(139, 139, 0),   MakeRGB(0, 147, 0),
    MakeRGB(56, 142, 142),  MakeRGB(0, 0, 255),     MakeRGB(123, 123, 192), MakeRGB(102, 102, 102),
    MakeRGB(255, 0, 0),     MakeRGB(255, 173, 91),  MakeRGB(50, 205, 50),   MakeRGB(60, 179, 113),
    MakeRGB(127, 255, 212), MakeRGB(125, 158, 192), MakeRGB(128, 0, 128),   MakeRGB(127, 127, 127),
    MakeRGB(255, 192, 203), MakeRGB(255, 215, 0),   MakeRGB(255, 255, 0),   MakeRGB(0, 255, 0),
    MakeRGB(64, 224, 208),  MakeRGB(192, 255, 255), MakeRGB(72, 0, 72),     MakeRGB(192, 192, 192),
    MakeRGB(255, 228, 225), MakeRGB(210, 180, 140), MakeRGB(255, 255, 224), MakeRGB(152, 251, 152),
    MakeRGB(175, 238, 238), MakeRGB(104, 131, 139), MakeRGB(230, 230, 250), MakeRGB(0, 0, 0),
    MakeRGB(165, 42, 0),    MakeRGB(0, 64, 64),     MakeRGB(0, 85, 0),      MakeRGB(0, 0, 94),
    MakeRGB(0, 0, 139),     MakeRGB(75, 0, 130),
};

// The header label of entry i: up to its first tab (a tab after the first
// character), then cut before the first "~".
std::string LabelOf(const std::string& entry, std::string& beforeTilde) {
    std::string label = entry;
    const size_t tab = label.find('\t');
    if (tab != std::string::npos && tab > 0) label.resize(tab);
    beforeTilde = label;
    const size_t tilde = label.find('~');
    if (tilde != std::string::npos) label.resize(tilde);
    return label;
}

bool MentionsOhm(const std::string& label) {
    return label.size() > 1 &&
           (label.find("OHM", 1) != std::string::npos || label.find("ohm", 1) != std::string::npos);
}

// One new track for curve i: a log track, or a data track of (depth, value) points
// for a file with STEP 0.
std::unique_ptr<CTrack> MakeCurveTrack(const CLasFile& las, CLasData& data, size_t i, bool irregular,
                                       ColourRef colour) {
    const CLasHeader& h = las.header;
    std::vector<float>& values = data.columns[i];
    if (irregular) {
        auto dataTrack = std::make_unique<CDataTrack>();
        dataTrack->nullvalue = h.nullValue;
        dataTrack->drawline = 1;
        dataTrack->linecolor = colour;
        dataTrack->symbolcolor = colour;
        const std::vector<float>& depths = data.columns[0];
        for (size_t r = 0; r < data.rows; ++r)
            if (values[r] != h.nullValue) dataTrack->AppendPoint(values[r], las.Depth(depths[r]));
        return dataTrack;
    }
    auto log = std::make_unique<CLogTrack>();
    log->startdepth = h.start;
    log->stopdepth = h.stop;
    log->depthstep = h.step;
    log->nullvalue = h.nullValue;
    log->count = static_cast<int>(data.rows);
    log->linecolor = colour;
    log->values = std::move(values);
    return log;
}

// The header axis of a new track: logarithmic for an all-positive resistivity
// curve, else a rounded linear range. A curve without a single value gets 0 to 1.
void ScaleHeaderAxis(CTrack& track, const std::string& beforeTilde, bool anyRows, float lo, float hi) {
    if (lo > hi) {
        lo = 0;
        hi = 1;
    }
    if (anyRows && lo > 0 && MentionsOhm(beforeTilde)) {
        track.hAxis.axisType = kAxisLogH;
        track.hAxis.majorGrids = 1;
        track.hAxis.minorGrids = 1;
        track.hAxis.SetLogRange(lo, hi);
    } else {
        track.hAxis.AutoScale(lo, hi, 3);
    }
}

// The depth range of the file from its rows where they tell it: the direction
// from the first and last depth, the start of a log from the first row read (the
// last, for a reversed file) and its end from the step, the window of an irregular
// file from its depths. The
// header's STRT and STOP may be wrong, or missing.
void FitToRows(const CLasFile& las, const CLasData& data, bool irregular, CLasHeader& h,
               bool& reversed) {
    const bool depthColumn = irregular || las.HasDepthIndex();
    if (!depthColumn || data.rows == 0 || data.columns[0].size() < data.rows) return;
    const std::vector<float>& depths = data.columns[0];
    const float first = las.Depth(depths[0]), last = las.Depth(depths[data.rows - 1]);
    const bool finite = std::isfinite(first) && std::isfinite(last);
    if (finite && first != last) reversed = last < first;
    if (irregular) {
        float lo = INFINITY, hi = -INFINITY;
        for (size_t r = 0; r < data.rows; ++r) {
            const float d = las.Depth(depths[r]);
            if (!std::isfinite(d)) continue;
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
        if (lo <= hi) {
            h.start = lo;
            h.stop = hi;
        }
    } else if (finite) {
        // The last sample lies where the step puts it, whatever the last row says.
        h.start = reversed ? last : first;
        h.stop = h.start + static_cast<float>(data.rows - 1) * h.step;
    }
}

// A first import sets the depth window of both axes from the file's range and
// turns the dual axis on.
void FitDepthWindow(CTarvikDoc& doc, const CLasFile& las) {
    const int unit = las.unit;
    const int other = unit == kMeters ? kFeet : kMeters;
    const auto inOther = [&](float d) {
        return static_cast<float>(unit == kMeters ? d * kFeetPerMeter : d / kFeetPerMeter);
    };
    doc.DepthAxis(unit).AutoScale(las.header.start, las.header.stop, 10);
    doc.DepthAxis(other).AutoScale(inOther(las.header.start), inOther(las.header.stop), 10);
    if (!doc.dualAxis) doc.OnDualAxis();
    doc.RecomputeOtherAxis(doc.depthUnit == kMeters ? kMeters : kFeet);
}

} // namespace

unsigned NewTrackColour(int k) { return kNewTrackColours[static_cast<size_t>(k) % kNewTrackColours.size()]; }

int ImportLas(CTarvikDoc& doc, const std::string& path) {
    IPlatformServices& platform = doc.Platform();
    CLasFile las;
    if (!las.Open(path, platform)) return 0;
    CLasHeader& h = las.header;
    if (h.binary) { // UTF-16 without its mark, and binary files
        las.Refuse(platform, HeaderFault(h));
        return 0;
    }
    if (doc.wellName.empty() && !h.wellName.empty()) doc.wellName = h.wellName;
    if (doc.wellName.empty()) doc.wellName = FileNamePart(path);
    if (const std::string fault = HeaderFault(h); !fault.empty()) {
        las.Refuse(platform, fault);
        return 0;
    }

    const auto chosen = platform.AskCurvesToImport(h.entries);
    if (!chosen) return 0;
    std::vector<int> ticks = *chosen;
    ticks.resize(h.entries.size(), 0);
    if (std::none_of(ticks.begin(), ticks.end(), [](int t) { return t != 0; })) return 0;

    CProgressGuard progress(platform);
    progress.Show("Initializing");
    // The document changes only once the data have been read.
    const bool irregular = h.step == 0;
    h.step = std::fabs(h.step);
    const bool empty = doc.tracks.empty();
    las.ConvertTo(empty ? las.fileUnit : doc.depthUnit);
    bool reversed = h.start > h.stop;

    // Only the ticked columns, and the depth column, are kept.
    progress.Show("Reading data");
    const size_t columns = h.entries.size();
    std::vector<char> keep(columns, 0);
    for (size_t i = 0; i < columns; ++i) keep[i] = ticks[i] != 0;
    if (irregular || las.HasDepthIndex()) keep[0] = 1;
    CLasData data;
    if (!las.reader.ReadData(las.DataDelimiter(), keep, h.nullValue, data)) {
        las.Refuse(platform, DataFault(data));
        return 0;
    }
    FitToRows(las, data, irregular, h, reversed);
    if (h.start > h.stop) std::swap(h.start, h.stop);

    progress.Show("Setting up tracks");
    if (empty) {
        if (las.unit == kFeet)
            doc.OnDepthFeet();
        else
            doc.OnDepthMeters();
    }
    if (reversed)
        for (auto& column : data.columns) std::reverse(column.begin(), column.end());

    int made = 0;
    for (size_t i = 0; i < columns; ++i) {
        if (!ticks[i]) continue;
        std::string beforeTilde;
        const std::string label = LabelOf(h.entries[i], beforeTilde);
        float lo = 1e32f, hi = -1e-32f;
        WidenToRange(data.ranges[i], lo, hi);
        if (reversed && (lo == 0 || hi == 0)) {
            // Of -0 and 0 the first in the tracks' order counts, and that order is
            // the rows' reversed: look again.
            lo = 1e32f;
            hi = -1e-32f;
            WidenToValues(data.columns[i].data(), data.columns[i].size(), h.nullValue, lo, hi);
        }
        std::unique_ptr<CTrack> track = MakeCurveTrack(las, data, i, irregular, NewTrackColour(made++));
        track->hAxis.title = label;
        track->description = h.descriptions[i];
        track->depthunit = las.unit;
        track->width = 1.5f;
        doc.BindToDepthAxis(*track, las.unit);
        ScaleHeaderAxis(*track, beforeTilde, data.rows > 0, lo, hi);
        doc.tracks.push_back(std::move(track));
    }

    if (empty) FitDepthWindow(doc, las);
    doc.SetModifiedFlag();
    platform.UpdateAllViews();
    return 1;
}
