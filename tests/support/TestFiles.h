// Temporary folders, whole-file reads and runs of the program for tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

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
