// Temporary folders, whole-file reads and runs of the program for tests.
#pragma once

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

struct CTempDir {
    std::filesystem::path path;
    CTempDir() {
        char tmpl[] = "/tmp/tarvik-test-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~CTempDir() { std::filesystem::remove_all(path); }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
};

inline std::string ReadFileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteFileText(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// Whether a program could open the file for writing at once, not held off by a
// reader's lease.
inline bool WritableAtOnce(const std::filesystem::path& p) {
    const int fd = ::open(p.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
    return fd >= 0;
}

// Whether the file system of the folder grants read leases (tmpfs and ext4 do, some
// container and network file systems do not).
inline bool GrantsLeases(const std::filesystem::path& folder) {
    const auto probe = folder / "lease-probe";
    WriteFileText(probe, "x");
    const int fd = ::open(probe.c_str(), O_RDONLY | O_CLOEXEC);
    const bool granted = fd >= 0 && ::fcntl(fd, F_SETLEASE, F_RDLCK) == 0;
    if (granted) ::fcntl(fd, F_SETLEASE, F_UNLCK);
    if (fd >= 0) ::close(fd);
    std::filesystem::remove(probe);
    return granted;
}

// Runs the program with the arguments; gives its exit code and what it printed on
// stderr.
inline int RunTarvik(const std::string& binary, const std::string& args, std::string& err) {
    CTempDir d;
    const auto errFile = d.path / "stderr";
    const int rc = std::system((binary + " " + args + " 2>" + errFile.string()).c_str());
    err = ReadFileText(errFile);
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

// A public LAS file of tests/data/las. A file that is not there fails the test that
// asked for it: a clone of the repository holds them all.
inline std::string SamplePath(const std::string& name) {
    const std::string path = std::string(TARVIK_TEST_DATA) + "/las/" + name;
    if (!std::filesystem::is_regular_file(path)) ADD_FAILURE() << "missing test file " << path;
    return path;
}
