// Insert Well Log: one curve of a LAS file into a log track.
#include "base/FileIO.h"
#include "base/TextParse.h"
#include "base/ValueRange.h"
#include "gfx/PlatformServices.h"
#include "tracks/LogTrack.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

// Header lines are read in pieces of at most this many characters.
constexpr size_t kHeaderPiece = 511;

// Header lines are indented with blanks and tabs only.
std::string_view SkipIndent(std::string_view s) {
    const size_t i = s.find_first_not_of(" \t");
    return i == std::string_view::npos ? std::string_view{} : s.substr(i);
}

std::string_view FirstWord(std::string_view s) {
    s = SkipIndent(s);
    size_t n = 0;
    while (n < s.size() && !IsSpace(s[n])) ++n;
    return s.substr(0, n);
}

// The number after the unit word that follows the first '.'; a line without a unit
// ("STRT.  1670.0 : ...") has the number straight after the dot.
bool ValueAfterUnit(std::string_view line, float& out) {
    const size_t dot = line.find('.');
    if (dot == std::string_view::npos) return false;
    std::string_view rest = line.substr(dot + 1);
    if (!rest.empty() && !IsSpace(rest[0])) rest.remove_prefix(FirstWord(rest).size());
    return ScanFloat(rest, out);
}

struct LasHeader {
    std::vector<std::string> curves;
    bool hasDepth = false;
    float nullValue = -999.25f;
    float start = 0, stop = 0, step = 0;
    size_t dataOffset = std::string::npos; // first byte after the "~A" line
};

LasHeader ReadHeader(const std::string& text) {
    LasHeader h;
    char section = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t nl = text.find('\n', pos);
        const size_t lineEnd = nl == std::string::npos ? text.size() : nl + 1;
        // A longer line is taken as several pieces, as a fixed buffer reads it.
        const size_t pieceEnd = std::min(lineEnd, pos + kHeaderPiece);
        std::string_view line = SkipIndent(std::string_view(text).substr(pos, pieceEnd - pos));
        pos = pieceEnd;
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '~') {
            section = line.size() > 1 ? line[1] : 0;
            if (section == 'A') {
                h.dataOffset = lineEnd;
                return h;
            }
            continue;
        }
        if (section == 'C') {
            const size_t dot = line.find('.');
            if (dot == std::string_view::npos) continue;
            std::string name(TrimRight(line.substr(0, dot)));
            if (dot + 1 < line.size() && !IsSpace(line[dot + 1]))
                name += " (" + std::string(FirstWord(line.substr(dot + 1))) + ")";
            if (name.find("DEPT") != std::string::npos) h.hasDepth = true;
            h.curves.push_back(std::move(name));
        } else if (section == 'W') {
            if (line.find("NULL") != std::string_view::npos) {
                const size_t dot = line.find('.');
                if (dot != std::string_view::npos) ScanFloat(line.substr(dot + 1), h.nullValue);
            } else if (line.find("STRT") != std::string_view::npos) {
                ValueAfterUnit(line, h.start);
            } else if (line.find("STOP") != std::string_view::npos) {
                ValueAfterUnit(line, h.stop);
            } else if (line.find("STEP") != std::string_view::npos) {
                ValueAfterUnit(line, h.step);
            }
        }
    }
    return h;
}

// The next number of the data section; blanks, tabs, line breaks and commas
// separate numbers. False at the end or at anything that is not a number.
bool NextNumber(const std::string& text, size_t& pos, float& out) {
    while (pos < text.size() && (IsSpace(text[pos]) || text[pos] == ',')) ++pos;
    if (pos >= text.size()) return false;
    size_t end = pos;
    while (end < text.size() && !IsSpace(text[end]) && text[end] != ',') ++end;
    if (!ScanFloat(std::string_view(text).substr(pos, end - pos), out)) return false;
    pos = end;
    return true;
}

// Loads the curve at the given position of a file whose header has been read.
int LoadCurve(CLogTrack& log, IPlatformServices& platform, const std::string& path,
              const std::string& text, const LasHeader& h, int curve) {
    const int columns = static_cast<int>(h.curves.size());
    if (curve < 0 || curve >= columns) return 0;
    if (h.step == 0 || !std::isfinite(h.step)) {
        platform.Message("Cannot load a log from " + path +
                         ": its depth step (STEP) is 0, so its samples have no depths.");
        return 0;
    }
    // Every sample of every curve takes at least two characters of the data section.
    const double dataBytes =
        h.dataOffset == std::string::npos ? 0.0 : static_cast<double>(text.size() - h.dataOffset);
    const double samples = std::trunc((static_cast<double>(h.stop) - h.start) / h.step + 1.0);
    if (!(samples >= 1) || samples > dataBytes / (2.0 * columns)) {
        platform.Message("Cannot load a log from " + path + ": its header (STRT, STOP, STEP) " +
                         "gives " + FormatG(samples) +
                         " samples, which the file does not hold.");
        return 0;
    }

    const int n = static_cast<int>(samples);
    log.values.assign(static_cast<size_t>(n), h.nullValue);
    log.count = n;
    log.startdepth = h.start;
    log.stopdepth = h.stop;
    log.depthstep = h.step;
    log.nullvalue = h.nullValue;

    platform.BeginProgress("Loading Log", 0, n, 1);
    size_t pos = h.dataOffset, filled = 0;
    int column = 0;
    float v;
    while (NextNumber(text, pos, v)) {
        if (column == curve && filled < log.values.size()) log.values[filled++] = v;
        if (++column == columns) {
            column = 0;
            platform.StepProgress();
        }
    }
    float lo = 1e32f, hi = -1e-32f;
    WidenToValues(log.values.data(), filled, log.nullvalue, lo, hi);
    if (lo <= hi)
        log.hAxis.AutoScale(lo, hi, 4);
    else
        log.hAxis.AutoScale(0, 1, 4); // nothing but nulls
    log.hAxis.title = h.curves[static_cast<size_t>(curve)];
    platform.EndProgress();
    return 1;
}

} // namespace

int CLogTrack::LoadLogFromLas(IPlatformServices& platform) {
    const auto path = platform.AskOpenFileName("Las Files (*.las)|*.las|", "las");
    if (!path) return 0;
    std::string text, why;
    if (!ReadWholeFile(*path, text, why)) {
        platform.Message("Unable to open " + *path + "\n");
        return 0;
    }
    const LasHeader h = ReadHeader(text);
    if (!h.hasDepth) {
        platform.Message("File does not have depth field \n");
        return 0;
    }
    const int chosen = platform.ChooseFromList("Select Log", "Select a log:", h.curves);
    return LoadCurve(*this, platform, *path, text, h, chosen);
}

int CLogTrack::LoadCurveFromLas(IPlatformServices& platform, const std::string& path,
                                const std::string& text, int curve) {
    return LoadCurve(*this, platform, path, text, ReadHeader(text), curve);
}
