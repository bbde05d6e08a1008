// Whole-file reading and crash-safe file replacement.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// The extension of the path's file name in lower case with its dot (".las"), or
// empty when the name has none.
std::string ExtensionOf(std::string_view path);
// Whether the file name ends in the extension (given with its dot), in any case.
inline bool HasExtension(std::string_view path, std::string_view ext) { return ExtensionOf(path) == ext; }

// The folder of the running program, with a final "/"; empty when unknown.
std::string ProgramFolder();

// Reads a regular file completely. On failure returns false and says why.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& error);

// Writes a file beside its target and renames it over the target only when every
// byte reached the disk, so a failed save never destroys the previous file. A link
// is followed to the file it names; a device or a pipe is written directly.
class CAtomicFile {
public:
    CAtomicFile() = default;
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;
    ~CAtomicFile(); // abandons an uncommitted temporary file

    bool Open(const std::string& target);
    std::FILE* File() const { return file; }
    // For a writer that opens a path itself: closes this handle and gives the
    // temporary file's path, which the writer then fills.
    const std::string& HandOver();
    // Flushes, syncs and renames; false (with Error()) leaves the target untouched.
    bool Commit();
    void Abort();
    const std::string& Error() const { return error; }

private:
    bool Fail(const std::string& what);

    std::string target;
    std::string tempPath;
    bool direct = false; // writing straight into a device or a pipe
    std::FILE* file = nullptr;
    std::string error;
};
