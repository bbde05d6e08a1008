// Pasting a spreadsheet table as new data tracks, and the routing of Edit > Paste.
#include "exchange/ClipboardTable.h"

#include "base/TextParse.h"
#include "base/Units.h"
#include "doc/TarvikDoc.h"
#include "gfx/PlatformServices.h"

#include <algorithm>
#include <cmath>

namespace {

// Rows whose depth cell holds this (or no number) have no depth.
constexpr float kNoDepth = -99999.0f;
constexpr float kTrackWidth = 1.5f;

const char* const kNotValid =
    "Data format is not valid spredsheet columns (one header row, depth in column 1)";

std::string_view UpToNul(std::string_view text) {
    const size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The walk over the text, cell by cell.
class CTableWalk {
  public:
    CTableWalk(CPastedTable& table, bool decimalComma) : t(table), comma(decimalComma) {}

    void Run(std::string_view text) {
        const bool bareLineEnds = text.find('\r') == std::string_view::npos;
        bool pending = false; // the cell buffer holds a cell no tab or line end has closed
        char previous = 0;
        for (const char c : text) {
            if (c == '\t' || c == '\r' || (c == '\n' && bareLineEnds)) {
                EndCell();
                pending = false;
                if (c == '\n') NewRow();
            } else if (c == '\n' && previous == '\r') {
                NewRow();
            } else {
                AddChar(c == '\n' ? ' ' : c);
                pending = true;
            }
            if (t.overflow || t.tooManyColumns) return;
            previous = c;
        }
        // The last cell of text without a final line end still counts.
        if (pending) EndCell();
    }

  private:
    void AddChar(char c) {
        cell.push_back(comma && row > 0 && c == ',' ? '.' : c);
        if (cell.size() >= kMaxTableCell) t.overflow = true;
    }

    void NewRow() {
        ++row;
        column = 0;
        rowDepth = kNoDepth;
    }

    void EndCell() {
        if (row == 0)
            HeaderCell();
        else
            DataCell();
        ++column;
        cell.clear();
    }

    void HeaderCell() {
        if (column == 0) {
            t.depthHeader = cell;
            return;
        }
        if (t.names.size() >= kMaxTableColumns) {
            t.tooManyColumns = true;
            return;
        }
        std::string name = cell;
        name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
        t.names.push_back(std::move(name));
        t.points.emplace_back();
    }

    void DataCell() {
        if (column == 0) {
            float depth = 0.0f;
            rowDepth = ScanFloat(cell, depth) && std::isfinite(depth) ? depth : kNoDepth;
            if (rowDepth != kNoDepth) t.largestDepth = std::max(t.largestDepth, rowDepth);
            return;
        }
        const size_t k = column - 1;
        float value = 0.0f;
        if (rowDepth == kNoDepth || k >= t.points.size()) return;
        if (!ScanFloat(cell, value) || !std::isfinite(value)) return;
        t.points[k].push_back({value, rowDepth});
        ++t.added;
    }

    CPastedTable& t;
    bool comma;
    std::string cell;
    size_t column = 0;
    long long row = 0;
    float rowDepth = kNoDepth;
};

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::unique_ptr<CDataTrack> MakeTrack(CTarvikDoc& doc, const std::string& name, int unit) {
    auto track = std::make_unique<CDataTrack>();
    track->hAxis.title = name;
    track->SetDepthUnit(unit);
    doc.BindToDepthAxis(*track, unit);
    track->width = kTrackWidth;
    track->hAxis.AutoScale(0.0f, 1.0f, 5);
    track->symbolsize = 5;
    track->drawline = 1;
    track->plotStyle = 2;
    track->linecolor = MakeRGB(200, 200, 250);
    track->symbolBkColor = MakeRGB(200, 250, 220);
    return track;
}

} // namespace

int FirstLineCells(std::string_view text) {
    text = UpToNul(text);
    const bool bareLineEnds = text.find('\r') == std::string_view::npos;
    const size_t end = text.find(bareLineEnds ? '\n' : '\r');
    if (end == std::string_view::npos) return 0;
    return static_cast<int>(
               std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\t')) +
           1;
}

CPastedTable ParsePastedTable(std::string_view text, bool decimalComma) {
    CPastedTable table;
    CTableWalk(table, decimalComma).Run(UpToNul(text));
    return table;
}

int OnPasteTable(CTarvikDoc& doc) {
    IPlatformServices& platform = doc.Platform();
    const std::optional<std::string> text = platform.GetClipboardText();
    if (!text) {
        platform.Message("No data to paste.");
        return 0;
    }
    if (FirstLineCells(*text) < 2) {
        platform.Message("Please copy at least 2 columns, depth in first column.");
        return 0;
    }
    const bool decimalComma = platform.DecimalSeparator().find(',') != std::string::npos;
    const CPastedTable table = ParsePastedTable(*text, decimalComma);
    if (table.tooManyColumns) {
        platform.Message("Please copy at most " + std::to_string(kMaxTableColumns) +
                         " columns, depth in first column.");
        return 0;
    }
    // Nothing has changed yet, so a table that brings nothing leaves the document alone.
    if (table.overflow || table.added == 0) {
        platform.Message(kNotValid);
        return 0;
    }

    const std::string header = Lower(table.depthHeader);
    if (doc.depthUnit == kMeters && (Contains(header, "ft") || Contains(header, "feet")))
        doc.OnDepthFeet();
    else if (doc.depthUnit == kFeet && (Contains(header, "(m)") || Contains(header, "meter")))
        doc.OnDepthMeters();
    const int unit = doc.depthUnit == kFeet ? kFeet : kMeters;

    for (size_t k = 0; k < table.names.size(); ++k) {
        if (table.points[k].empty()) continue; // a column without values makes no track
        auto track = MakeTrack(doc, table.names[k], unit);
        for (const CDataTrack::Point& p : table.points[k])
            track->AppendPoint(p.value, p.depth);
        track->RescaleToData();
        track->hAxis.majorGrids = 1;
        doc.tracks.push_back(std::move(track));
    }
    doc.DepthAxis(unit).AutoScale(0.0f, table.largestDepth, 8);
    doc.RecomputeOtherAxis(unit);
    doc.EnsureDepthAxisTrack(unit);
    doc.SetModifiedFlag();
    platform.UpdateAllViews();
    return 1;
}

void OnEditPaste(CTarvikDoc& doc) {
    const CTrack* t = doc.SelectedTrack();
    const bool intoTrack =
        t && (t->type == kTrackData || t->type == kTrackLith || t->type == kTrackStrat);
    if (intoTrack) {
        const std::optional<std::string> text = doc.Platform().GetClipboardText();
        if (text && FirstLineCells(*text) == 2) {
            doc.OnPasteInTrack();
            return;
        }
    }
    OnPasteTable(doc);
}
