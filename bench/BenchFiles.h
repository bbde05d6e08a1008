// The generated input files of the import and table benchmarks: a depth column every
// 0.1524 m from 1000 m and curves of pseudo-random values from 0 to 200.
#pragma once

#include <cstdio>
#include <string>

// Writes rows of a depth and curves - 1 values: the depth with depthFormat, each value
// with valueFormat (its separator included), each row ended by eol.
inline void WriteBenchRows(std::FILE* f, int curves, int rows, unsigned seed,
                           const char* depthFormat, const char* valueFormat, const char* eol) {
    char line[512];
    for (int r = 0; r < rows; ++r) {
        int n = std::snprintf(line, sizeof line, depthFormat, 1000.0 + r * 0.1524);
        for (int c = 1; c < curves; ++c) {
            seed = seed * 1103515245u + 12345u;
            n += std::snprintf(line + n, sizeof line - static_cast<size_t>(n), valueFormat,
                               (seed >> 8) % 2000000 / 10000.0);
        }
        n += std::snprintf(line + n, sizeof line - static_cast<size_t>(n), "%s", eol);
        std::fwrite(line, 1, static_cast<size_t>(n), f);
    }
}

// A LAS 2.0 file of that shape, blank-delimited, numbers "%10.4f" and "%9.4f".
inline void WriteBenchLas(const std::string& path, int curves, int rows, unsigned seed,
                          const char* well) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fprintf(f,
                 "~VERSION INFORMATION\n VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
                 " WRAP.   NO  : ONE LINE PER DEPTH STEP\n~WELL INFORMATION\n"
                 " STRT.M  1000.0000 : START DEPTH\n STOP.M  %.4f : STOP DEPTH\n"
                 " STEP.M  0.1524 : STEP\n NULL.   -999.25 : NULL VALUE\n"
                 " WELL.   %s : WELL\n~CURVE INFORMATION\n DEPT.M : DEPTH\n",
                 1000.0 + (rows - 1) * 0.1524, well);
    for (int c = 1; c < curves; ++c)
        std::fprintf(f, " C%02d.UNIT : CURVE %d\n", c, c);
    std::fputs("~A\n", f);
    WriteBenchRows(f, curves, rows, seed, "%10.4f", " %9.4f", "\n");
    std::fclose(f);
}

inline long FileBytes(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 0;
    std::fseek(f, 0, SEEK_END);
    const long n = std::ftell(f);
    std::fclose(f);
    return n;
}
