// Reads a LAS file in pieces: whole header lines first (the shared line reader),
// then the data section as a stream of numbers, keeping only the columns asked for.
// Memory follows the data kept, never a number in the header.
#pragma once

#include "exchange/LineReader.h"

#include <cstdint>
#include <string>
#include <vector>

class IPlatformServices;

struct CLasData {
    size_t rows = 0;   // complete rows; a row cut short at the end is dropped
    size_t tokens = 0; // every token of the data section
    size_t numbers = 0; // the tokens that held a number, in the columns kept
    bool binary = false; // the data held a NUL byte
    std::vector<std::vector<float>> columns; // one per curve; empty when not kept
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
    // hold words but not one number.
    // With a platform, its progress indicator steps once per row.
    bool ReadData(char delimiter, const std::vector<char>& keep, CLasData& out,
                  IPlatformServices* rowProgress = nullptr);

private:
    struct Sink;

    void SkipComments();
    // The two ways of splitting the data; false when they are not text.
    bool ReadBlankDelimited(Sink& sink);
    bool ReadFieldDelimited(char delimiter, Sink& sink);
};
