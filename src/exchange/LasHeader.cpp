#include "exchange/LasHeader.h"

#include "base/TextParse.h"

#include <cstring>

namespace {

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool Contains(std::string_view s, std::string_view p) { return s.find(p) != std::string_view::npos; }
bool StartsWithAny(std::string_view s, std::initializer_list<std::string_view> ps) {
    for (std::string_view p : ps)
        if (StartsWith(s, p)) return true;
    return false;
}

} // namespace

float LasValue(std::string_view line) {
    const size_t dot = line.find('.');
    if (dot == std::string_view::npos) return 0.0f;
    size_t i = dot + 1;
    while (i < line.size() && !IsSpace(line[i])) ++i; // past the unit
    std::string_view rest = line.substr(i);
    const size_t colon = rest.find(':');
    if (colon != std::string_view::npos) rest = rest.substr(0, colon);
    float v = 0.0f;
    return ScanFloat(rest, v) ? v : 0.0f;
}

std::string LasUnit(std::string_view line) {
    const size_t dot = line.find('.');
    if (dot == std::string_view::npos) return {};
    size_t end = dot + 1;
    while (end < line.size() && !IsSpace(line[end])) ++end;
    return std::string(line.substr(dot + 1, end - dot - 1));
}

std::string LasMnemonic(std::string_view line) {
    const size_t dot = line.find('.');
    return std::string(TrimRight(line.substr(0, dot)));
}

std::string LasDescription(std::string_view line) {
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return {};
    std::string_view d = line.substr(colon + 1);
    const size_t cut = d.find_first_of("|{");
    if (cut != std::string_view::npos) d = d.substr(0, cut);
    return std::string(TrimRight(d));
}

std::string LasWellName(std::string_view line) {
    const size_t dot = line.find('.');
    if (dot == std::string_view::npos) return {};
    const size_t blank = line.find(' ', dot);
    if (blank == std::string_view::npos) return {};
    std::string_view name = line.substr(blank);
    const size_t colon = name.find(':');
    if (colon != std::string_view::npos) name = name.substr(0, colon);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    return std::string(TrimRight(name));
}

int LasDepthUnit(std::string_view line) {
    // The unit is the first word after the period; no word means metres.
    const size_t dot = line.find('.');
    if (dot == std::string_view::npos) return 0;
    size_t i = dot + 1;
    while (i < line.size() && IsSpace(line[i])) ++i;
    size_t end = i;
    while (end < line.size() && !IsSpace(line[end])) ++end;
    const std::string_view word = line.substr(i, end - i);
    if (word.find_first_of("Mm") != std::string_view::npos) return 0;
    if (word.find_first_of("Ff") != std::string_view::npos) return 1;
    return 0;
}

int LasSectionOf(std::string_view s, float version) {
    if (StartsWithAny(s, {"VERSION", "Version"})) return kLasVersion;
    if (version >= 3.0f) {
        if (StartsWithAny(s, {"WELL", "Well"})) return kLasWell;
        // Files written to the 3.0 standard name their sections Log_Definition,
        // Log_Parameter and Log_Data.
        if (StartsWithAny(s, {"CURVE", "Curve", "WIRE_DEFINITION", "Log_Definition", "LOG_DEFINITION"}))
            return kLasCurve;
        if (StartsWithAny(s, {"ASCII", "Ascii", "WIRE_DATA", "Log_Data", "LOG_DATA"})) return kLasData;
        if (StartsWithAny(s, {"PARAMETER", "Parameter", "Log_Parameter", "LOG_PARAMETER"}))
            return kLasParameter;
        if (StartsWith(s, "Inclinometry_Definition")) return kLasInclinometryDefinition;
        if (StartsWith(s, "Inclinometry_Data")) return kLasInclinometryData;
        return kLasNone;
    }
    switch (s.empty() ? '\0' : s[0]) {
    case 'A':
        return kLasData;
    case 'W':
        return kLasWell;
    case 'C':
        return kLasCurve;
    case 'P':
        return kLasParameter;
    default:
        return kLasNone;
    }
}

bool CLasHeader::Line(std::string_view raw) {
    if (std::memchr(raw.data(), '\0', raw.size())) binary = true;
    std::string_view line = raw;
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') return false;
    if (line[0] == '~') {
        section = LasSectionOf(line.substr(1), version);
        dataFound = section == kLasData;
        return dataFound;
    }
    switch (section) {
    case kLasVersion:
        VersionLine(line);
        break;
    case kLasWell:
        WellLine(line);
        break;
    case kLasCurve:
        CurveLine(TrimRight(line));
        break;
    default:
        break; // parameters and inclinometry bring nothing into the document
    }
    return false;
}

void CLasHeader::VersionLine(std::string_view line) {
    if (Contains(line, "VERS")) {
        version = LasValue(line);
    } else if (Contains(line, "DLM")) {
        const std::string_view kept = line.substr(0, line.find(':'));
        if (Contains(kept, "COMMA") || Contains(kept, "Comma"))
            delimiter = ',';
        else if (Contains(kept, "TAB") || Contains(kept, "Tab"))
            delimiter = '\t';
    }
}

void CLasHeader::WellLine(std::string_view line) {
    if (StartsWith(line, "NULL")) {
        nullValue = LasValue(line);
    } else if (StartsWith(line, "STRT")) {
        start = LasValue(line);
        depthUnit = LasDepthUnit(line);
    } else if (StartsWith(line, "STOP")) {
        stop = LasValue(line);
    } else if (StartsWith(line, "STEP")) {
        step = LasValue(line);
    } else if (StartsWith(line, "WELL")) {
        wellName = LasWellName(line);
        // Older files put the label "WELL" where the name goes and the name after
        // the colon.
        if (version < 2.0f && (wellName.empty() || wellName == "WELL")) {
            std::string d = LasDescription(line);
            const size_t first = d.find_first_not_of(' ');
            wellName = first == std::string::npos ? std::string() : d.substr(first);
        }
    }
}

void CLasHeader::CurveLine(std::string_view line) {
    if (line.empty()) return;
    std::string description = LasDescription(line);
    std::string entry = " " + LasMnemonic(line) + " (" + LasUnit(line) + ")";
    if (!description.empty()) entry += " \t " + description;
    descriptions.push_back(std::move(description));
    entries.push_back(std::move(entry));
}

CLasHeader ReadLasHeader(std::string_view text) {
    CLasHeader h;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t nl = text.find('\n', pos);
        const size_t end = nl == std::string_view::npos ? text.size() : nl;
        if (h.Line(text.substr(pos, end - pos))) break;
        pos = end + 1;
    }
    return h;
}
