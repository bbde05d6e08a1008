#include "exchange/LasFile.h"

#include "base/Units.h"
#include "gfx/PlatformServices.h"

#include <cmath>

std::string NotLasMessage(const std::string& path, const std::string& why) {
    return "Not sure if this is a valid LAS file\n" + path + ": " + why;
}

std::string HeaderFault(const CLasHeader& h) {
    if (h.binary) return "it is not text";
    if (!h.dataFound) return "it has no data section (~A)";
    if (h.entries.empty()) return "it lists no curves (~C)";
    return {};
}

std::string DataFault(const CLasData& data) {
    return data.binary ? "its data are not text" : "its data hold no number";
}

void CLasFile::Refuse(IPlatformServices& platform, const std::string& why) const {
    platform.Message(NotLasMessage(path, why));
}

bool CLasFile::Open(const std::string& filePath, IPlatformServices& platform) {
    path = filePath;
    if (!reader.Open(path)) {
        platform.Message("Unable to open " + path + "\n" + reader.OpenError());
        return false;
    }
    std::string line;
    while (reader.ReadLine(line))
        if (header.Line(line)) break;
    fileUnit = header.depthUnit == kFeet ? kFeet : kMeters;
    unit = fileUnit;
    return true;
}

float CLasFile::Depth(float fileDepth) const {
    // Both directions as they have always been computed: divided, or multiplied.
    if (fileUnit == kFeet && unit == kMeters) return static_cast<float>(fileDepth / kFeetPerMeter);
    if (fileUnit == kMeters && unit == kFeet) return static_cast<float>(fileDepth * kFeetPerMeter);
    return fileDepth;
}

void CLasFile::ConvertTo(int docUnit) {
    if (docUnit != kMeters && docUnit != kFeet) return;
    unit = docUnit;
    header.start = Depth(header.start);
    header.stop = Depth(header.stop);
    header.step = Depth(header.step);
}

bool CLasFile::HasDepthIndex() const {
    if (header.mnemonics.empty()) return false;
    std::string m = header.mnemonics[0];
    for (char& c : m)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return m.find("DEPT") != std::string::npos || m == "TDEP" || m == "MD";
}

char CLasFile::DataDelimiter() {
    if (header.delimiterDeclared || header.delimiter != ' ') return header.delimiter;
    return reader.SniffDelimiter();
}

CRowDepths RowDepths(const CLasFile& las, const CLasData& data) {
    CRowDepths r;
    if (!las.HasDepthIndex() || data.rows == 0 || data.columns.empty() ||
        data.columns[0].size() < data.rows)
        return r;
    r.first = las.Depth(data.columns[0].front());
    r.last = las.Depth(data.columns[0][data.rows - 1]);
    r.known = std::isfinite(r.first) && std::isfinite(r.last);
    return r;
}

std::string FileNamePart(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}
