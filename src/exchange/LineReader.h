// Reads a text file in pieces, one whole line at a time however long the line, for
// the LAS and the ASCII importers. UTF-8 files may start with a byte-order mark;
// UTF-16 files with one are decoded to UTF-8 as they are read. Also the number
// scanning both importers share: locale-free, as the C library's "C" locale reads.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// A token as the C library's string-to-double reads it (leading white space
// skipped, then the longest number): its value stored as a float, or 0. Reports
// whether a number was there.
bool TokenValue(const char* p, const char* end, float& out);
inline bool TokenValue(std::string_view token, float& out) {
    return TokenValue(token.data(), token.data() + token.size(), out);
}

class CLineReader {
  public:
    CLineReader() = default;
    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;
    ~CLineReader();

    bool Open(const std::string& path);
    // Why Open failed.
    const std::string& OpenError() const { return openError; }
    // The next line without its line end; false at the end of the file.
    bool ReadLine(std::string& line);
    // The same without a copy: the view holds until the next read.
    bool NextLine(std::string_view& line);
    // Bytes of text before the unread rest (decoded text, for UTF-16 files).
    uint64_t Position() const { return consumed + pos; }
    uint64_t FileSize() const { return fileSize; }

  protected:
    // Moves the unread rest to the front and reads more after it; false at the end.
    bool Fill();

    std::FILE* file = nullptr;
    std::vector<char> buffer; // UTF-8 text, buffer[pos, len) unread
    size_t pos = 0;
    size_t len = 0;
    uint64_t fileSize = 0;
    uint64_t consumed = 0; // bytes of text before buffer[pos]

  private:
    enum class Encoding { Bytes, Utf16LE, Utf16BE };

    bool FillBytes(size_t room);
    void DecodeUtf16();
    void TakeByteOrderMark();

    std::string openError;
    Encoding encoding = Encoding::Bytes;
    std::vector<unsigned char> raw; // UTF-16 bytes not decoded yet
    unsigned pendingHigh = 0;       // a high surrogate waiting for its partner
};
