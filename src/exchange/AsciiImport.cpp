// File > Import ASCII file and opening a text path: the column names, the dialog,
// the rows, and what the import does to the document.
#include "exchange/AsciiImport.h"

#include "base/Units.h"
#include "doc/TarvikDoc.h"
#include "exchange/LineReader.h"
#include "exchange/ProgressGuard.h"
#include "gfx/PlatformServices.h"
#include "tracks/DataTrack.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

// More columns than a spreadsheet has: a first line of this many cells is not a
// row of names (a binary file, or a table turned on its side).
constexpr size_t kMaxColumns = 16384;
constexpr int kMaxDepthColumn = 255;
constexpr float kTrackWidth = 1.5f;

std::string Refusal(const std::string& path, const std::string& why) {
    return "Unable to import " + path + "\n" + why;
}

// A cell with its leading blanks skipped (the delimiter is never one of them).
std::string_view SkipBlanks(std::string_view cell) {
    size_t i = 0;
    while (i < cell.size() &&
           (cell[i] == ' ' || cell[i] == '\v' || cell[i] == '\f' || cell[i] == '\r'))
        ++i;
    return cell.substr(i);
}

// The finite number a cell holds; false for an empty cell, text, or a number a
// float cannot hold (NaN and infinity never enter a track).
bool CellNumber(std::string_view cell, float& out) {
    cell = SkipBlanks(cell);
    return !cell.empty() && TokenValue(cell, out) && std::isfinite(out);
}

// Tabs as the format has them; a first line without a tab but with commas is a
// comma-separated file, as ".csv" files are.
char DelimiterOf(std::string_view header) {
    if (header.find('\t') == std::string_view::npos && header.find(',') != std::string_view::npos)
        return ',';
    return '\t';
}

struct CAsciiRead {
    std::vector<std::unique_ptr<CDataTrack>> tracks;
    // The range of each track's values, for its header axis without a second pass.
    std::vector<float> minValue, maxValue;
    float minDepth = 1e32f;
    float maxDepth = -1e32f;
    bool anyPoint = false;
};

// Every further line: the depth cell places the row (a row without a number there
// is skipped); each ticked column with a number adds a point to its track. One walk
// along the line takes every cell it needs.
void ReadRows(CLineReader& reader, char delimiter, const CAsciiColumns& choice,
              const std::vector<size_t>& columns, CProgressGuard& progress, CAsciiRead& read) {
    const size_t depthCell = static_cast<size_t>(choice.depthColumn - 1);
    size_t cellsNeeded = depthCell + 1;
    for (size_t c : columns)
        cellsNeeded = std::max(cellsNeeded, c + 1);
    std::vector<int> trackOf(cellsNeeded, -1); // the ticked column a cell feeds
    for (size_t k = 0; k < columns.size(); ++k)
        trackOf[columns[k]] = static_cast<int>(k);
    std::vector<float> values(columns.size());
    std::vector<char> present(columns.size());

    std::string_view line;
    while (reader.NextLine(line)) {
        progress.Step();
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::fill(present.begin(), present.end(), 0);
        bool placed = false;
        float depth = 0.0f;
        const char* p = line.data();
        const char* end = p + line.size();
        for (size_t c = 0;; ++c) {
            const char* cellEnd = p;
            while (cellEnd < end && *cellEnd != delimiter)
                ++cellEnd;
            const std::string_view cell(p, static_cast<size_t>(cellEnd - p));
            if (c == depthCell) placed = CellNumber(cell, depth);
            if (const int k = trackOf[c]; k >= 0)
                present[static_cast<size_t>(k)] = CellNumber(cell, values[static_cast<size_t>(k)]);
            if (cellEnd == end || c + 1 == cellsNeeded) break;
            p = cellEnd + 1;
        }
        if (!placed) continue;
        bool added = false;
        for (size_t k = 0; k < columns.size(); ++k) {
            if (!present[k]) continue;
            const float value = values[k];
            read.tracks[k]->AppendPoint(value, depth);
            read.minValue[k] = std::min(read.minValue[k], value);
            read.maxValue[k] = std::max(read.maxValue[k], value);
            added = true;
        }
        if (!added) continue;
        read.anyPoint = true;
        read.minDepth = std::min(read.minDepth, depth);
        read.maxDepth = std::max(read.maxDepth, depth);
    }
}

// A document that held only its depth ruler shows the depths the file brought, on
// the axis of the unit chosen and, in step with it, on the other one.
void FitDepthWindow(CTarvikDoc& doc, int unit, float top, float bottom) {
    const int other = unit == kMeters ? kFeet : kMeters;
    const double toOther = unit == kMeters ? kFeetPerMeter : 1.0 / kFeetPerMeter;
    doc.DepthAxis(unit).AutoScale(top, bottom, 10);
    doc.DepthAxis(other).AutoScale(static_cast<float>(top * toOther),
                                   static_cast<float>(bottom * toOther), 10);
    doc.RecomputeOtherAxis(unit);
}

} // namespace

void SplitCells(std::string_view line, char delimiter, size_t maxCells,
                std::vector<std::string_view>& cells) {
    cells.clear();
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // Cells are short: a plain loop beats a library search per cell.
    const char* p = line.data();
    const char* end = p + line.size();
    while (cells.size() < maxCells) {
        const char* cellEnd = p;
        while (cellEnd < end && *cellEnd != delimiter)
            ++cellEnd;
        cells.emplace_back(p, static_cast<size_t>(cellEnd - p));
        if (cellEnd == end) break;
        p = cellEnd + 1;
    }
}

int ImportAscii(CTarvikDoc& doc, const std::string& path) {
    IPlatformServices& platform = doc.Platform();
    CLineReader reader;
    if (!reader.Open(path)) {
        platform.Message("Unable to open " + path + "\n" + reader.OpenError());
        return 0;
    }
    std::string_view first;
    if (!reader.NextLine(first)) {
        platform.Message(Refusal(path, "the file is empty"));
        return 0;
    }
    if (first.find('\0') != std::string_view::npos) {
        platform.Message(Refusal(path, "it is not a text file"));
        return 0;
    }
    const char delimiter = DelimiterOf(first);
    std::vector<std::string_view> cells;
    SplitCells(first, delimiter, kMaxColumns + 1, cells);
    if (cells.size() > kMaxColumns) {
        platform.Message(Refusal(path, "its first line holds more than " +
                                           std::to_string(kMaxColumns) + " column names"));
        return 0;
    }
    const std::vector<std::string> names(cells.begin(), cells.end());

    CAsciiColumns choice;
    choice.ticked.assign(names.size(), 0);
    if (!platform.AskAsciiColumns(names, choice)) return 0;
    choice.ticked.resize(names.size(), 0);
    std::vector<size_t> columns;
    for (size_t j = 0; j < names.size(); ++j)
        if (choice.ticked[j]) columns.push_back(j);
    // The dialog refuses both; a platform that answers otherwise imports nothing.
    if (columns.empty() || choice.depthColumn < 1 || choice.depthColumn > kMaxDepthColumn) return 0;
    const int unit = choice.unit == kFeet ? kFeet : kMeters;

    platform.BeginWaitCursor();
    CAsciiRead read;
    for (size_t j : columns) {
        auto track = std::make_unique<CDataTrack>();
        track->hAxis.title = names[j];
        track->width = kTrackWidth;
        track->depthunit = unit; // so a reload or a unit switch keeps the depths' unit
        read.tracks.push_back(std::move(track));
    }
    read.minValue.assign(columns.size(), std::numeric_limits<float>::infinity());
    read.maxValue.assign(columns.size(), -std::numeric_limits<float>::infinity());
    {
        CProgressGuard progress(platform);
        progress.Begin("Loading ascii data", 0, 500, 1);
        ReadRows(reader, delimiter, choice, columns, progress, read);
        // Each track's axis fitted to its values (its RescaleToData, from the range
        // the reading kept); a track without values keeps its range.
        for (size_t k = 0; k < read.tracks.size(); ++k)
            if (read.minValue[k] <= read.maxValue[k])
                read.tracks[k]->hAxis.AutoScale(read.minValue[k], read.maxValue[k], 3);
    }

    // The document changes only now that the file has been read.
    if (doc.tracks.empty()) {
        if (doc.depthUnit == kFeet)
            doc.OnDepthFeet();
        else
            doc.OnDepthMeters();
    }
    const int held = doc.TrackCount();
    for (auto& t : read.tracks) {
        doc.BindToDepthAxis(*t, unit);
        doc.tracks.push_back(std::move(t));
    }
    if (held == 1 && read.anyPoint) FitDepthWindow(doc, unit, read.minDepth, read.maxDepth);
    platform.EndWaitCursor();
    doc.SetModifiedFlag();
    platform.UpdateAllViews();
    return 1;
}

int OnFileImportAscii(CTarvikDoc& doc) {
    const auto path = doc.Platform().AskOpenFileName(
        "Text Files (*.txt)|*.txt|Delimited Text Files (*.csv *.tsv *.dat)|*.csv;*.tsv;*.dat|",
        "txt");
    if (!path) return 0;
    return ImportAscii(doc, *path);
}
