// Reads a LAS file in pieces: whole header lines first, then the data section as a
// stream of numbers, keeping only the columns asked for. Memory follows the data
// kept, never a number in the header. UTF-8 files may start with a byte-order mark;
// UTF-16 files with one are decoded to UTF-8 as they are read.
#pragma once

#include <cstdint>
#include <cstdio>
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

class CLasReader {
public:
    CLasReader() = default;
    CLasReader(const CLasReader&) = delete;
    CLasReader& operator=(const CLasReader&) = delete;
    ~CLasReader();

    bool Open(const std::string& path);
    // Why Open failed.
    const std::string& OpenError() const { return openError; }
    // The next line without its line end; false at the end of the file.
    bool ReadLine(std::string& line);

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
    enum class Encoding { Bytes, Utf16LE, Utf16BE };

    bool Fill();
    bool FillBytes(size_t room);
    void DecodeUtf16();
    void TakeByteOrderMark();
    void SkipComments();
    // The two ways of splitting the data; false when they are not text.
    bool ReadBlankDelimited(Sink& sink);
    bool ReadFieldDelimited(char delimiter, Sink& sink);

    std::FILE* file = nullptr;
    std::string openError;
    std::vector<char> buffer; // UTF-8 text, buffer[pos, len) unread
    size_t pos = 0;
    size_t len = 0;
    uint64_t fileSize = 0;
    uint64_t consumed = 0; // bytes of text before buffer[pos]
    Encoding encoding = Encoding::Bytes;
    std::vector<unsigned char> raw; // UTF-16 bytes not decoded yet
    unsigned pendingHigh = 0;       // a high surrogate waiting for its partner
};
