#include "exchange/LasHeader.h"

#include "base/TextParse.h"

#include <cstring>

namespace {

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool Contains(std::string_view s, std::string_view p) { return s.find(p) != std::string_view::npos; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Section names in any letter case: real files write "~Curve", "~CURVE" and "~curve".
bool StartsWithName(std::string_view s, std::string_view upperName) {
    if (s.size() < upperName.size()) return false;
    for (size_t i = 0; i < upperName.size(); ++i)
        if (Upper(s[i]) != upperName[i]) return false;
    return true;
}

bool StartsWithAnyName(std::string_view s, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (StartsWithName(s, n)) return true;
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
    if (StartsWithName(s, "VERSION")) return kLasVersion;
    if (version >= 3.0f) {
        if (StartsWithName(s, "WELL")) return kLasWell;
        // Files written to the 3.0 standard name their sections Log_Definition,
        // Log_Parameter and Log_Data.
        if (StartsWithAnyName(s, {"CURVE", "WIRE_DEFINITION", "LOG_DEFINITION"})) return kLasCurve;
        if (StartsWithAnyName(s, {"ASCII", "WIRE_DATA", "LOG_DATA"})) return kLasData;
        if (StartsWithAnyName(s, {"PARAMETER", "LOG_PARAMETER"})) return kLasParameter;
        if (StartsWithName(s, "INCLINOMETRY_DEFINITION")) return kLasInclinometryDefinition;
        if (StartsWithName(s, "INCLINOMETRY_DATA")) return kLasInclinometryData;
        return kLasNone;
    }
    // Older files go by the first letter. "~V" alone opens the version section too:
    // without its VERS line a 1.2 file would be read by the 2.0 rules.
    switch (s.empty() ? '\0' : Upper(s[0])) {
    case 'V':
        return kLasVersion;
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
        delimiterDeclared = true;
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
    mnemonics.push_back(LasMnemonic(line));
    units.push_back(LasUnit(line));
    std::string entry = " " + mnemonics.back() + " (" + units.back() + ")";
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
