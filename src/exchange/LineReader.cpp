// The shared line reader: pieces of the file, byte-order marks, UTF-16 decoding.
#include "exchange/LineReader.h"

#include "base/TextParse.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kChunk = 1 << 20;

// Plain decimals ("-123.4567": at most 19 digits, no exponent), nearly all that log
// files hold, without the library's general path: the digits as an integer divided
// by a power of ten are two exact doubles and one correctly rounded division, so the
// value is the one from_chars gives. False leaves the token to from_chars.
bool PlainDecimal(const char* p, const char* end, double& out) {
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = p < end && *p == '-';
    p += negative;
    uint64_t m = 0;
    int digits = 0, fraction = 0;
    const auto take = [&](bool afterPoint) {
        for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p) {
            if (++digits > 19) return false;
            m = m * 10 + static_cast<unsigned>(*p - '0');
            fraction += afterPoint;
        }
        return true;
    };
    if (!take(false)) return false;
    if (p < end && *p == '.') {
        ++p;
        if (!take(true)) return false;
    }
    if (digits == 0 || (p < end && (*p == 'e' || *p == 'E')) || m > (uint64_t{1} << 53))
        return false;
    const double v = static_cast<double>(m) / kPow10[fraction];
    out = negative ? -v : v;
    return true;
}

} // namespace

bool TokenValue(const char* p, const char* end, float& out) {
    double d;
    if (PlainDecimal(p, end, d)) {
        out = static_cast<float>(d);
        return true;
    }
    const auto r = std::from_chars(p, end, d);
    if (r.ec == std::errc()) {
        out = static_cast<float>(d);
        return true;
    }
    // What from_chars leaves to the slow path: leading blanks, a '+', hexadecimal,
    // and numbers beyond the range of a double.
    if (ScanDouble(std::string_view(p, static_cast<size_t>(end - p)), d)) {
        out = static_cast<float>(d);
        return true;
    }
    out = 0.0f;
    return false;
}

CLineReader::~CLineReader() {
    if (ownsFd && fd >= 0) ::close(fd);
}

bool CLineReader::Open(const std::string& path) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        openError = std::strerror(errno);
        return false;
    }
    ownsFd = true;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        openError = S_ISDIR(st.st_mode) ? "it is a folder" : std::strerror(errno);
        ::close(fd);
        fd = -1;
        return false;
    }
    seekable = S_ISREG(st.st_mode);
    fileSize = static_cast<uint64_t>(st.st_size);
    // A piece of the file at a time; a small file needs no more than itself.
    buffer.assign(static_cast<size_t>(std::clamp<uint64_t>(fileSize + 1, 4096, kChunk)) + kPad, 0);
    TakeByteOrderMark();
    return true;
}

void CLineReader::ShareFrom(const CLineReader& other, uint64_t from) {
    fd = other.fd;
    ownsFd = false;
    seekable = other.seekable;
    fileSize = other.fileSize;
    encoding = Encoding::Bytes;
    buffer.assign(kChunk + kPad, 0);
    pos = len = 0;
    consumed = nextRead = from;
    readEnd = UINT64_MAX;
}

size_t CLineReader::ReadAt(char* to, size_t n, uint64_t offset) const {
    size_t done = 0;
    while (done < n) {
        const ssize_t r = ::pread(fd, to + done, n - done, static_cast<off_t>(offset + done));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break; // a read error ends the text, as the end of the file does
        done += static_cast<size_t>(r);
    }
    return done;
}

size_t CLineReader::ReadRaw(char* to, size_t n) {
    if (fd < 0) return 0;
    if (seekable) {
        if (nextRead >= readEnd) return 0;
        const size_t got =
            ReadAt(to, static_cast<size_t>(std::min<uint64_t>(n, readEnd - nextRead)), nextRead);
        nextRead += got;
        return got;
    }
    for (;;) { // a pipe or a device: one read at a time
        const ssize_t r = ::read(fd, to, n);
        if (r < 0 && errno == EINTR) continue;
        return r > 0 ? static_cast<size_t>(r) : 0;
    }
}

void CLineReader::Grow(size_t room) {
    if (Room() < room) buffer.resize(len + room + kPad);
}

void CLineReader::TakeByteOrderMark() {
    while (len < 3 && FillBytes(3 - len)) {
    }
    const auto at = [&](size_t i) { return i < len ? static_cast<unsigned char>(buffer[i]) : 0u; };
    if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) { // UTF-8, as some editors write it
        pos = 3;
        return;
    }
    const bool le = at(0) == 0xFF && at(1) == 0xFE;
    const bool be = at(0) == 0xFE && at(1) == 0xFF;
    if (!le && !be) return;
    encoding = le ? Encoding::Utf16LE : Encoding::Utf16BE;
    raw.assign(buffer.begin() + 2, buffer.begin() + static_cast<std::ptrdiff_t>(len));
    len = 0;
    DecodeUtf16();
}

bool CLineReader::FillBytes(size_t room) {
    const size_t n = ReadRaw(buffer.data() + len, room);
    len += n;
    return n > 0;
}

void CLineReader::DecodeUtf16() {
    // Each code unit takes at most three bytes of UTF-8.
    const size_t units = raw.size() / 2;
    Grow(units * 3 + 8);
    char* out = buffer.data() + len;
    const auto emit = [&](unsigned cp) {
        if (cp < 0x80) {
            *out++ = static_cast<char>(cp);
        } else if (cp < 0x800) {
            *out++ = static_cast<char>(0xC0 | (cp >> 6));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (cp >> 12));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *out++ = static_cast<char>(0xF0 | (cp >> 18));
            *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    };
    constexpr unsigned kReplacement = 0xFFFD;
    for (size_t i = 0; i < units; ++i) {
        const unsigned a = raw[2 * i], b = raw[2 * i + 1];
        const unsigned u = encoding == Encoding::Utf16LE ? (a | b << 8) : (a << 8 | b);
        if (pendingHigh) {
            if (u >= 0xDC00 && u <= 0xDFFF) {
                emit(0x10000 + ((pendingHigh - 0xD800) << 10) + (u - 0xDC00));
                pendingHigh = 0;
                continue;
            }
            emit(kReplacement);
            pendingHigh = 0;
        }
        if (u >= 0xD800 && u <= 0xDBFF)
            pendingHigh = u;
        else if (u >= 0xDC00 && u <= 0xDFFF)
            emit(kReplacement);
        else
            emit(u);
    }
    raw.erase(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(units * 2));
    len = static_cast<size_t>(out - buffer.data());
}

bool CLineReader::Fill() {
    // Keep what is left unread at the front.
    if (pos > 0) {
        std::memmove(buffer.data(), buffer.data() + pos, len - pos);
        consumed += pos;
        len -= pos;
        pos = 0;
    }
    if (fd < 0) return false;
    if (Room() == 0) Grow(buffer.size() - kPad); // a very long line: twice the room
    if (encoding == Encoding::Bytes) return FillBytes(Room());

    const size_t before = len;
    const size_t had = raw.size();
    const size_t piece = std::max<size_t>(4096, (buffer.size() - kPad) / 2);
    raw.resize(had + piece);
    raw.resize(had + ReadRaw(reinterpret_cast<char*>(raw.data() + had), piece));
    if (raw.size() == had) { // the end: what is left over is not a character
        if (raw.empty() && !pendingHigh) return false;
        raw.clear();
        pendingHigh = 0;
        Grow(3);
        buffer[len++] = static_cast<char>(0xEF);
        buffer[len++] = static_cast<char>(0xBF);
        buffer[len++] = static_cast<char>(0xBD);
        return true;
    }
    DecodeUtf16();
    return len > before || !raw.empty();
}

bool CLineReader::NextLine(std::string_view& line) {
    size_t scanned = 0; // unread bytes already searched for a line end
    for (;;) {
        const char* start = buffer.data() + pos;
        const void* nl = std::memchr(start + scanned, '\n', len - pos - scanned);
        if (nl) {
            const size_t n = static_cast<size_t>(static_cast<const char*>(nl) - start);
            line = std::string_view(start, n);
            pos += n + 1;
            return true;
        }
        scanned = len - pos;
        if (!Fill()) {
            if (pos == len) return false;
            line = std::string_view(buffer.data() + pos, len - pos); // no line end after it
            pos = len;
            return true;
        }
    }
}

bool CLineReader::ReadLine(std::string& line) {
    std::string_view view;
    if (!NextLine(view)) return false;
    line.assign(view);
    return true;
}
