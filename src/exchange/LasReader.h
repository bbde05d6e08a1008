// Reads a LAS file in pieces: whole header lines first, then the data section as a
// stream of numbers, keeping only the columns asked for. Memory follows the data
// kept, never a number in the header.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct CLasData {
    size_t rows = 0; // complete rows; a row cut short at the end is dropped
    std::vector<std::vector<float>> columns; // one per curve; empty when not kept
};

class CLasReader {
public:
    CLasReader() = default;
    CLasReader(const CLasReader&) = delete;
    CLasReader& operator=(const CLasReader&) = delete;
    ~CLasReader();

    bool Open(const std::string& path);
    // The next line without its line end; false at the end of the file.
    bool ReadLine(std::string& line);
    // Everything after the line that opened the data section. Blank: numbers are
    // whitespace-separated words. Comma or tab: fields end at the delimiter (outside
    // double quotes) or at a line end. Text that is not a number reads as 0. False
    // when the data are not text or hold no number at all.
    bool ReadData(char delimiter, const std::vector<char>& keep, CLasData& out);

private:
    struct Sink;
    bool Fill();
    void SkipComments();
    // The two ways of splitting the data; false when they are not text.
    bool ReadBlankDelimited(Sink& sink);
    bool ReadFieldDelimited(char delimiter, Sink& sink);

    std::FILE* file = nullptr;
    std::vector<char> buffer;
    size_t pos = 0;
    size_t len = 0;
    uint64_t fileSize = 0;
    uint64_t consumed = 0; // bytes of the file before buffer[pos]
};
