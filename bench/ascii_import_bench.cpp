// Importing a tab-delimited text file of about 100 MB (20 columns, 550,000 rows, a
// depth and 19 values written "%.4f") with every column ticked, end to end: the
// lines, the numbers, 20 data tracks and the depth window. Run with --peak to import
// once and print the peak resident memory instead.
#include "BenchFiles.h"
#include "doc/TarvikDoc.h"
#include "exchange/AsciiImport.h"
#include "gfx/ConsolePlatform.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/resource.h>

namespace {

constexpr int kColumns = 20;
constexpr int kRowCount = 550000;

const std::string& SampleFile() {
    static const std::string path = [] {
        const std::string p = "/tmp/tarvik_bench_import.txt";
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::fputs("DEPTH", f);
        for (int c = 1; c < kColumns; ++c)
            std::fprintf(f, "\tC%02d", c);
        std::fputs("\r\n", f);
        WriteBenchRows(f, kColumns, kRowCount, 99, "%.4f", "\t%.4f", "\r\n");
        std::fclose(f);
        return p;
    }();
    return path;
}

void BM_ImportAscii(benchmark::State& state) {
    const std::string& path = SampleFile();
    for (auto _ : state) {
        CConsolePlatform platform;
        CTarvikDoc doc(platform);
        if (!ImportAscii(doc, path)) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(doc.tracks.size());
    }
    state.SetBytesProcessed(state.iterations() * FileBytes(path));
}
BENCHMARK(BM_ImportAscii)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--peak") == 0) {
        const std::string& path = SampleFile();
        struct rusage before {};
        getrusage(RUSAGE_SELF, &before);
        CConsolePlatform platform;
        CTarvikDoc doc(platform);
        const int ok = ImportAscii(doc, path);
        struct rusage after {};
        getrusage(RUSAGE_SELF, &after);
        // ru_maxrss is in KiB: everything here is in MiB.
        const double floats = double(kColumns) * kRowCount * sizeof(float) / 1048576.0;
        std::printf("import %s: %.1f MiB file; peak resident %.1f MiB (before %.1f MiB); float "
                    "data %.1f MiB; target %.1f MiB\n",
                    ok ? "ok" : "FAILED", FileBytes(path) / 1048576.0, after.ru_maxrss / 1024.0,
                    before.ru_maxrss / 1024.0, floats, 3 * floats + 50);
        return ok ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
