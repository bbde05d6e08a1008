// Importing a LAS 2.0 file of about 100 MB (20 curves, 500,000 rows, blank
// delimited) with every curve ticked, end to end: header, numbers, tracks; on one
// core and on two (the reader reads the two halves of a large data section at
// once when it may run on a second core). Wall time: the second core's work is
// not in the main thread's CPU time.
// Run with --peak to import once and print the peak resident memory instead, or
// with --time FILE to import FILE once and print "seconds peak_MiB curves rows".
#include "BenchFiles.h"
#include "doc/TarvikDoc.h"
#include "exchange/LasImport.h"
#include "gfx/ConsolePlatform.h"
#include "tracks/LogTrack.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sched.h>
#include <string>
#include <sys/resource.h>

namespace {

constexpr int kSampleCurves = 20;
constexpr int kSampleRows = 500000;

const std::string& SampleFile() {
    static const std::string path = [] {
        const std::string p = "/tmp/tarvik_bench_import.las";
        WriteBenchLas(p, kSampleCurves, kSampleRows, 99, "BENCH-1");
        return p;
    }();
    return path;
}

// Holds the process to the first n of the cores it may run on, for as long as it
// lives.
class CCoreLimit {
  public:
    explicit CCoreLimit(int n) {
        if (sched_getaffinity(0, sizeof saved, &saved) != 0) return;
        cpu_set_t fewer;
        CPU_ZERO(&fewer);
        for (int c = 0, kept = 0; c < CPU_SETSIZE && kept < n; ++c)
            if (CPU_ISSET(c, &saved)) {
                CPU_SET(c, &fewer);
                ++kept;
            }
        limited = sched_setaffinity(0, sizeof fewer, &fewer) == 0;
    }
    ~CCoreLimit() {
        if (limited) sched_setaffinity(0, sizeof saved, &saved);
    }
    CCoreLimit(const CCoreLimit&) = delete;
    CCoreLimit& operator=(const CCoreLimit&) = delete;

  private:
    cpu_set_t saved{};
    bool limited = false;
};

void BM_ImportLas(benchmark::State& state) {
    const std::string& path = SampleFile();
    const CCoreLimit cores(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CConsolePlatform platform;
        CTarvikDoc doc(platform);
        if (!ImportLas(doc, path)) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(doc.tracks.size());
    }
    state.SetBytesProcessed(state.iterations() * FileBytes(path));
}
BENCHMARK(BM_ImportLas)
    ->ArgName("cores")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The process's peak resident memory, in MiB (Linux gives it in KiB).
double PeakMiB() {
    struct rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

// Imports FILE once and prints "seconds peak_mib curves rows", as the peer's timing
// script does, so the two can be set side by side (bench/compare.sh).
int TimeOne(const char* path) {
    CConsolePlatform platform;
    CTarvikDoc doc(platform);
    const auto start = std::chrono::steady_clock::now();
    const int ok = ImportLas(doc, path);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    size_t curves = 0, rows = 0;
    for (const auto& t : doc.tracks)
        if (const auto* log = dynamic_cast<const CLogTrack*>(t.get())) {
            ++curves;
            rows = static_cast<size_t>(log->count);
        }
    std::printf("%.3f %.1f %zu %zu\n", seconds, PeakMiB(), curves, rows);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--time") == 0) return TimeOne(argv[2]);
    if (argc > 1 && std::strcmp(argv[1], "--peak") == 0) {
        const std::string& path = SampleFile();
        const double before = PeakMiB();
        CConsolePlatform platform;
        CTarvikDoc doc(platform);
        const int ok = ImportLas(doc, path);
        constexpr double kMiB = 1024.0 * 1024.0;
        const double floats = double(kSampleCurves) * kSampleRows * sizeof(float) / kMiB;
        const double target = floats + 50e6 / kMiB; // the float data and 50 MB more
        std::printf("import %s: peak resident %.1f MiB (before %.1f MiB); float data %.1f MiB; "
                    "target %.1f MiB\n",
                    ok ? "ok" : "FAILED", PeakMiB(), before, floats, target);
        return ok ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
