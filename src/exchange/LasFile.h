// What the two LAS readers share: the header pass, depths in the document's unit,
// the delimiter of the data, and the depth range the rows themselves give.
#pragma once

#include "exchange/LasHeader.h"
#include "exchange/LasReader.h"

#include <string>
#include <vector>

class IPlatformServices;

// "Not sure if this is a valid LAS file", and on a second line the file and why.
std::string NotLasMessage(const std::string& path, const std::string& why);
// Why a header read up to its end is of no use to an import, or empty when it is.
std::string HeaderFault(const CLasHeader& h);
// Why a data section that was refused is of no use.
std::string DataFault(const CLasData& data);

// An open LAS file whose header has been read.
struct CLasFile {
    CLasReader reader;
    CLasHeader header;
    int fileUnit = 0; // the unit of the file's depths: metres without a STRT line
    int unit = 0;     // the unit the tracks get: depths are converted to it

    // Opens the file and reads the header up to the data section; on failure the
    // user has been told "Unable to open".
    bool Open(const std::string& path, IPlatformServices& platform);
    // Tells the user the file is not one the readers can use, and why.
    void Refuse(IPlatformServices& platform, const std::string& why) const;
    std::string path;
    // Converts STRT, STOP and STEP to the given unit (metres or feet), which the
    // tracks will have; any other unit leaves the file's.
    void ConvertTo(int docUnit);
    float Depth(float fileDepth) const; // a depth of the file in the tracks' unit
    // The first curve is the depth of each row.
    bool HasDepthIndex() const;
    // The delimiter to split the data by: the declared one, or what the first data
    // line shows when none was declared.
    char DataDelimiter();
};

// Where the rows lie: the depth of the first and the last row in the tracks' unit,
// when the first curve is the depth index and the rows hold finite depths.
struct CRowDepths {
    bool known = false;
    float first = 0.0f;
    float last = 0.0f;
};
CRowDepths RowDepths(const CLasFile& las, const CLasData& data);

// The file name part of a path.
std::string FileNamePart(const std::string& path);
