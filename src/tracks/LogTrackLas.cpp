// Insert Well Log: one curve of a LAS file into a log track.
#include "doc/FileIO.h"
#include "doc/TextParse.h"
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

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view FirstWord(std::string_view s) {
    s = TrimLeft(s);
    size_t n = 0;
    while (n < s.size() && !IsBlank(s[n])) ++n;
    return s.substr(0, n);
}

// The number after the unit word that follows the first '.'; a line without a unit
// ("STRT.  1670.0 : ...") has the number straight after the dot.
bool ValueAfterUnit(std::string_view line, float& out) {
    const size_t dot = line.find('.');
    if (dot == std::string_view::npos) return false;
    std::string_view rest = line.substr(dot + 1);
    if (!rest.empty() && !IsBlank(rest[0])) {
        rest = TrimLeft(rest);
        size_t n = 0;
        while (n < rest.size() && !IsBlank(rest[n])) ++n;
        rest.remove_prefix(n);
    }
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
        std::string_view line = TrimLeft(std::string_view(text).substr(pos, pieceEnd - pos));
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
            if (dot + 1 < line.size() && !IsBlank(line[dot + 1]))
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
    while (pos < text.size() && (IsBlank(text[pos]) || text[pos] == ',')) ++pos;
    if (pos >= text.size()) return false;
    size_t end = pos;
    while (end < text.size() && !IsBlank(text[end]) && text[end] != ',') ++end;
    if (!ScanFloat(std::string_view(text).substr(pos, end - pos), out)) return false;
    pos = end;
    return true;
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
    if (chosen < 0 || chosen >= static_cast<int>(h.curves.size())) return 0;
    return LoadCurveFromLas(platform, *path, text, chosen);
}

int CLogTrack::LoadCurveFromLas(IPlatformServices& platform, const std::string& path,
                                const std::string& text, int curve) {
    const LasHeader h = ReadHeader(text);
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
    values.assign(static_cast<size_t>(n), h.nullValue);
    count = n;
    startdepth = h.start;
    stopdepth = h.stop;
    depthstep = h.step;
    nullvalue = h.nullValue;

    platform.BeginProgress("Loading Log", 0, n, 1);
    float lo = 1e32f, hi = -1e-32f;
    size_t pos = h.dataOffset, filled = 0;
    int column = 0;
    float v;
    while (NextNumber(text, pos, v)) {
        if (column == curve && filled < values.size()) {
            values[filled++] = v;
            if (v != nullvalue) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        }
        if (++column == columns) {
            column = 0;
            platform.StepProgress();
        }
    }
    if (lo <= hi)
        hAxis.AutoScale(lo, hi, 4);
    else
        hAxis.AutoScale(0, 1, 4); // nothing but nulls
    hAxis.title = h.curves[static_cast<size_t>(curve)];
    platform.EndProgress();
    return 1;
}
