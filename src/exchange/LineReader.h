// Reads a text file in pieces, one whole line at a time however long the line, for
// the LAS and the ASCII importers. UTF-8 files may start with a byte-order mark;
// UTF-16 files with one are decoded to UTF-8 as they are read. Also the number
// scanning both importers share: locale-free, as the C library's "C" locale reads.
#pragma once

#include <cstdint>
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

    // Bytes readable past the end of the text in the buffer, so that word-wide
    // loads near its end stay inside it (what they see there is not text).
    static constexpr size_t kPad = 128;

  protected:
    // Moves the unread rest to the front and reads more after it; false at the end.
    bool Fill();
    // Reads the same file from byte `from` on, sharing the open file of `other`
    // (which must outlive this reader). Plain bytes only.
    void ShareFrom(const CLineReader& other, uint64_t from);
    bool IsOpen() const { return fd >= 0; }
    // Whether the file is read as plain bytes from a regular file, so that pieces
    // of it can be read at any offset.
    bool Seekable() const { return seekable && encoding == Encoding::Bytes; }
    // Reads up to n bytes at a file offset, without moving the reader; 0 at the end.
    size_t ReadAt(char* to, size_t n, uint64_t offset) const;

    std::vector<char> buffer; // UTF-8 text, buffer[pos, len) unread, kPad bytes after room
    size_t pos = 0;
    size_t len = 0;
    uint64_t fileSize = 0;
    uint64_t consumed = 0;         // bytes of text before buffer[pos]
    uint64_t readEnd = UINT64_MAX; // plain bytes: the file offset reading stops at
    uint64_t nextRead = 0;         // plain bytes: the file offset of the next read

  private:
    enum class Encoding { Bytes, Utf16LE, Utf16BE };

    size_t Room() const { return buffer.size() - kPad - len; }
    void Grow(size_t room);
    bool FillBytes(size_t room);
    size_t ReadRaw(char* to, size_t n);
    void DecodeUtf16();
    void TakeByteOrderMark();

    int fd = -1;
    bool ownsFd = false;
    bool seekable = false;
    std::string openError;
    Encoding encoding = Encoding::Bytes;
    std::vector<unsigned char> raw; // UTF-16 bytes not decoded yet
    unsigned pendingHigh = 0;       // a high surrogate waiting for its partner
};
