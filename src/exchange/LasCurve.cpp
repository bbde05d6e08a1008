// Insert Track > Well Log: one curve of a LAS file into a new log track, read by
// the same reader as File > Import LAS file.
#include "base/Units.h"
#include "base/ValueRange.h"
#include "doc/TarvikDoc.h"
#include "exchange/LasFile.h"
#include "exchange/LasImport.h"
#include "gfx/PlatformServices.h"
#include "tracks/LogTrack.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The names the curve list shows: "GR (API)", or the mnemonic alone without a unit.
std::vector<std::string> CurveNames(const CLasHeader& h) {
    std::vector<std::string> names;
    for (size_t i = 0; i < h.mnemonics.size(); ++i)
        names.push_back(h.units[i].empty() ? h.mnemonics[i] : h.mnemonics[i] + " (" + h.units[i] + ")");
    return names;
}

// The number of samples the header's STRT, STOP and STEP give, for the progress
// indicator only: the log holds the rows the file has.
int HeaderSampleCount(const CLasHeader& h) {
    const double n = std::trunc((static_cast<double>(h.stop) - h.start) / h.step + 1.0);
    return n >= 0 && n < INT_MAX ? static_cast<int>(n) : 0;
}

} // namespace

int LoadLogFromLas(CLogTrack& log, IPlatformServices& platform, int docUnit) {
    const auto path = platform.AskOpenFileName("Las Files (*.las)|*.las|", "las");
    if (!path) return 0;
    CLasFile las;
    if (!las.Open(*path, platform)) return 0;
    CLasHeader& h = las.header;
    const std::vector<std::string> names = CurveNames(h);
    if (std::none_of(names.begin(), names.end(),
                     [](const std::string& n) { return n.find("DEPT") != std::string::npos; })) {
        platform.Message("File does not have depth field \n");
        return 0;
    }
    if (const std::string fault = HeaderFault(h); !fault.empty()) {
        las.Refuse(platform, fault);
        return 0;
    }
    const int curve = platform.ChooseFromList("Select Log", "Select a log:", names);
    if (curve < 0 || curve >= static_cast<int>(names.size())) return 0;
    if (h.step == 0 || !std::isfinite(h.step)) {
        platform.Message("Cannot load a log from " + *path +
                         ": its depth step (STEP) is 0, so its samples have no depths.");
        return 0;
    }
    las.ConvertTo(docUnit);

    std::vector<char> keep(names.size(), 0);
    keep[static_cast<size_t>(curve)] = 1;
    if (las.HasDepthIndex()) keep[0] = 1;
    CLasData data;
    platform.BeginProgress("Loading Log", 0, HeaderSampleCount(h), 1);
    const bool read = las.reader.ReadData(las.DataDelimiter(), keep, h.nullValue, data, &platform);
    platform.EndProgress();
    if (!read) {
        las.Refuse(platform, DataFault(data));
        return 0;
    }

    // The samples run in the file's order from the first row; where the first curve
    // is the depth, it places them and says which way they run.
    float start = h.start, step = h.step, stop = h.stop;
    const CRowDepths rows = RowDepths(las, data);
    if (rows.known) {
        start = rows.first;
        if (rows.first != rows.last) step = std::copysign(step, rows.last - rows.first);
        stop = start + static_cast<float>(data.rows - 1) * step;
    }
    log.values = std::move(data.columns[static_cast<size_t>(curve)]);
    log.count = static_cast<int>(data.rows);
    log.startdepth = start;
    log.stopdepth = stop;
    log.depthstep = step;
    log.nullvalue = h.nullValue;
    log.depthunit = las.unit;

    float lo = 1e32f, hi = -1e-32f;
    WidenToRange(data.ranges[static_cast<size_t>(curve)], lo, hi);
    if (lo <= hi)
        log.hAxis.AutoScale(lo, hi, 4);
    else
        log.hAxis.AutoScale(0, 1, 4); // nothing but nulls
    log.hAxis.title = names[static_cast<size_t>(curve)];
    return 1;
}

int InsertWellLog(CTarvikDoc& doc) {
    auto log = std::make_unique<CLogTrack>();
    log->width = 1.5f;
    const int unit = doc.depthUnit == kFeet ? kFeet : kMeters;
    if (LoadLogFromLas(*log, doc.Platform(), unit) < 1) return 0;
    doc.BindToDepthAxis(*log, log->depthunit);
    doc.tracks.push_back(std::move(log));
    doc.SetModifiedFlag();
    doc.Platform().UpdateAllViews();
    return 1;
}
