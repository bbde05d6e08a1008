// Reads a LAS file in pieces: whole header lines first (the shared line reader),
// then the data section as a stream of numbers, keeping only the columns asked for.
// Memory follows the data kept, never a number in the header.
#pragma once

#include "exchange/LineReader.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

class IPlatformServices;

// The smallest and the largest value of a column: its samples that are neither
// the null value nor infinite or NaN, in the order of the rows (of two equal
// ones, such as -0 and 0, the first). lo > hi when there is none.
struct CLasRange {
    float lo = INFINITY;
    float hi = -INFINITY;
};

// Widens lo..hi to take in a column's range, as taking in its values one by one
// would.
inline void WidenToRange(const CLasRange& r, float& lo, float& hi) {
    if (r.lo < lo) lo = r.lo;
    if (r.hi > hi) hi = r.hi;
}

struct CLasData {
    size_t rows = 0;                         // complete rows; a row cut short at the end is dropped
    size_t tokens = 0;                       // every token of the data section
    size_t numbers = 0;                      // the tokens that held a number, in the columns kept
    bool binary = false;                     // the data held a NUL byte
    std::vector<std::vector<float>> columns; // one per curve; empty when not kept
    std::vector<CLasRange> ranges;           // one per curve, over the rows kept
};

class CLasReader : public CLineReader {
  public:
    // How to split the data section when the header declared no delimiter: at
    // commas when its first line holds comma-separated words, else at blanks.
    char SniffDelimiter();

    // Everything after the line that opened the data section, up to the end of the
    // file or a line that starts with "~" (a section after the data). Blank: numbers
    // are whitespace-separated words, a double-quoted text being one word. Comma or
    // tab: fields end at the delimiter (outside double quotes) or at a line end.
    // Text that is not a number reads as 0. False when the data are not text, or
    // hold words but not one number. The ranges leave out `nullValue`.
    // With a platform, its progress indicator steps once per row.
    bool ReadData(char delimiter, const std::vector<char>& keep, float nullValue, CLasData& out,
                  IPlatformServices* rowProgress = nullptr);

    // Blank-separated data of at least this many bytes are read in two halves at
    // once, the second on another thread, when the machine has a second core.
    uint64_t splitAbove = 8u << 20;

  private:
    class Sink;
    struct BlankState;
    struct SizedColumns;

    void SkipComments();
    // The two ways of splitting the data; false when they are not text.
    // Blank-separated data may be read in two halves at once (twoHalves).
    bool ReadBlankDelimited(Sink& sink, const std::vector<char>& keep, float nullValue,
                            bool twoHalves);
    bool ReadFieldDelimited(char delimiter, Sink& sink);
    // Whether a NUL byte lies between here and the end of the file: blank-separated
    // data are not text when one follows them in a later section either.
    bool NulToTheEnd();
    // Blank-separated words from here to readEnd (or the data's end).
    void ScanBlank(BlankState& state, Sink& sink);
    // The offset just after the line end at or after the middle of the rest of the
    // data, when they are worth reading in two halves; else 0.
    uint64_t SplitPoint() const;
};
