// The header of a LAS file: version, delimiter, depth range and step, null value,
// depth unit, well name and the curve list, read one line at a time up to the line
// that opens the data section.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum LasSection : int {
    kLasNone = -1,
    kLasVersion = 1,
    kLasWell = 2,
    kLasCurve = 3,
    kLasData = 4,
    kLasParameter = 5,
    kLasInclinometryDefinition = 6,
    kLasInclinometryData = 7,
};

struct CLasHeader {
    float version = 2.0f;
    char delimiter = ' ';
    bool delimiterDeclared = false; // a DLM line said which
    float start = 0.0f;
    float stop = 0.0f;
    float step = 0.0f;
    float nullValue = -999.25f;
    int depthUnit = -1; // -1 unset, 0 metres, 1 feet
    int section = kLasNone;
    std::vector<std::string> entries; // " MNEM (UNIT)", then " \t " and the description
    std::vector<std::string> descriptions;
    std::vector<std::string> mnemonics;
    std::vector<std::string> units;
    std::string wellName; // from the WELL line; empty when none
    bool dataFound = false;
    bool binary = false; // a NUL byte: not a text file

    // Takes one header line (without its line end). True once the line opened the
    // data section: the data start on the next line.
    bool Line(std::string_view line);

private:
    void VersionLine(std::string_view line);
    void WellLine(std::string_view line);
    void CurveLine(std::string_view line);
};

// Field rules of header lines; the period is the first "." of the line.
float LasValue(std::string_view line);
std::string LasUnit(std::string_view line);
std::string LasMnemonic(std::string_view line);
std::string LasDescription(std::string_view line);
std::string LasWellName(std::string_view line);
// The depth unit of a STRT line: 0 metres (also without a unit), 1 feet.
int LasDepthUnit(std::string_view line);
int LasSectionOf(std::string_view afterTilde, float version);

// Reads a header from text; stops at the data section.
CLasHeader ReadLasHeader(std::string_view text);
