#include "exchange/LasHeader.h"

#include "doc/TextParse.h"

#include <cstring>

namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

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
    while (i < line.size() && !IsWhite(line[i])) ++i; // past the unit
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
    while (end < line.size() && !IsWhite(line[end])) ++end;
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
        if (section == kLasData) {
            dataFound = true;
            return true;
        }
        return false;
    }
    switch (section) {
    case kLasVersion:
        if (Contains(line, "VERS")) {
            version = LasValue(line);
        } else if (Contains(line, "DLM")) {
            const std::string_view kept = line.substr(0, line.find(':'));
            if (Contains(kept, "COMMA") || Contains(kept, "Comma"))
                delimiter = ',';
            else if (Contains(kept, "TAB") || Contains(kept, "Tab"))
                delimiter = '\t';
        }
        break;
    case kLasWell:
        if (StartsWith(line, "NULL")) {
            nullValue = LasValue(line);
        } else if (StartsWith(line, "STRT")) {
            start = LasValue(line);
            // The unit is the first word after the period; no word means metres.
            std::string word;
            const size_t dot = line.find('.');
            if (dot != std::string_view::npos) {
                size_t i = dot + 1;
                while (i < line.size() && IsWhite(line[i])) ++i;
                while (i < line.size() && !IsWhite(line[i])) word.push_back(line[i++]);
            }
            if (word.find_first_of("Mm") != std::string::npos)
                depthUnit = 0;
            else if (word.find_first_of("Ff") != std::string::npos)
                depthUnit = 1;
            else
                depthUnit = 0;
        } else if (StartsWith(line, "STOP")) {
            stop = LasValue(line);
        } else if (StartsWith(line, "STEP")) {
            step = LasValue(line);
        } else if (StartsWith(line, "WELL")) {
            wellName = LasWellName(line);
            // Older files put the label "WELL" where the name goes and the name
            // after the colon.
            if (version < 2.0f && (wellName.empty() || wellName == "WELL")) {
                std::string d = LasDescription(line);
                const size_t first = d.find_first_not_of(' ');
                wellName = first == std::string::npos ? std::string() : d.substr(first);
            }
        }
        break;
    case kLasCurve: {
        const std::string_view l = TrimRight(line);
        if (l.empty()) break;
        std::string description = LasDescription(l);
        std::string entry = " " + LasMnemonic(l) + " (" + LasUnit(l) + ")";
        if (!description.empty()) entry += " \t " + description;
        descriptions.push_back(std::move(description));
        entries.push_back(std::move(entry));
        break;
    }
    case kLasInclinometryDefinition: {
        const std::string_view l = TrimRight(line);
        if (l.empty()) break;
        ++inclinometryLines;
        const std::string m = LasMnemonic(l);
        if (m == "MD") mdLine = inclinometryLines;
        if (m == "TVD") tvdLine = inclinometryLines;
        break;
    }
    case kLasInclinometryData: {
        if (mdLine == 0 || tvdLine == 0) break;
        // Fields split at the delimiter; blanks before a field are skipped.
        float md = 0, tvd = 0;
        int field = 0;
        size_t i = 0;
        while (i <= line.size()) {
            while (i < line.size() && line[i] == ' ') ++i;
            size_t end = delimiter == ' ' ? line.find_first_of(" \t", i) : line.find(delimiter, i);
            if (end == std::string_view::npos) end = line.size();
            ++field;
            if (field == mdLine) ScanFloat(line.substr(i, end - i), md);
            if (field == tvdLine) ScanFloat(line.substr(i, end - i), tvd);
            i = end + 1;
        }
        mdTvd.emplace_back(md, tvd);
        break;
    }
    default:
        break;
    }
    return false;
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
