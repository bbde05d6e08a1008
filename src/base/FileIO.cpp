#include "base/FileIO.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string ExtensionOf(std::string_view path) {
    const size_t dot = path.rfind('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    std::string ext(path.substr(dot));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

std::string ProgramFolder() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<size_t>(n) >= path.size()) return {};
    path.resize(static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? "it is a folder" : std::strerror(errno);
        ::close(fd);
        return false;
    }
    text.clear();
    if (S_ISREG(st.st_mode) && st.st_size > 0) text.reserve(static_cast<size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            error = std::strerror(errno);
            ::close(fd);
            return false;
        }
        text.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

CAtomicFile::~CAtomicFile() { Abort(); }

bool CAtomicFile::Fail(const std::string& what) {
    error = what + ": " + std::strerror(errno);
    Abort();
    return false;
}

bool CAtomicFile::Open(const std::string& path) {
    Abort();
    error.clear();
    direct = false;
    target = path;
    // A link is followed: the file it names is replaced, and the link stays a link.
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        error = "it is a folder";
        return false;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        // A device or a pipe is written as it is: nothing can be put beside it.
        const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return Fail("cannot write");
        file = ::fdopen(fd, "wb");
        if (!file) {
            ::close(fd);
            return Fail("cannot write");
        }
        direct = true;
        return true;
    }
    tempPath = target + ".XXXXXX";
    const int fd = ::mkstemp(tempPath.data());
    if (fd < 0) {
        tempPath.clear();
        error = std::strerror(errno);
        return false;
    }
    // Keep the permissions of the file we replace; a new file gets the usual ones.
    mode_t mode;
    if (exists) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    file = ::fdopen(fd, "wb");
    if (!file) {
        ::close(fd);
        return Fail("cannot write");
    }
    return true;
}

const std::string& CAtomicFile::HandOver() {
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    return direct ? target : tempPath;
}

bool CAtomicFile::Commit() {
    if (direct) {
        const bool written = !file || (std::fflush(file) == 0 && !std::ferror(file));
        const int rc = file ? std::fclose(file) : 0;
        file = nullptr;
        direct = false;
        if (!written || rc != 0) return Fail("cannot write");
        return true;
    }
    if (tempPath.empty()) {
        if (error.empty()) error = "no file open";
        return false;
    }
    if (file) {
        if (std::fflush(file) != 0 || std::ferror(file)) return Fail("cannot write");
        if (::fsync(::fileno(file)) != 0) return Fail("cannot write");
        const int rc = std::fclose(file);
        file = nullptr;
        if (rc != 0) return Fail("cannot write");
    } else {
        // A writer filled the file by its path: make sure it reached the disk.
        const int fd = ::open(tempPath.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return Fail("cannot write");
        const bool synced = ::fsync(fd) == 0;
        ::close(fd);
        if (!synced) return Fail("cannot write");
    }
    if (std::rename(tempPath.c_str(), target.c_str()) != 0) return Fail("cannot replace the file");
    tempPath.clear();
    return true;
}

void CAtomicFile::Abort() {
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    direct = false;
    if (!tempPath.empty()) {
        ::unlink(tempPath.c_str());
        tempPath.clear();
    }
}
