// Reading and writing table files: a 50 MB table of numeric rows is read from disk
// into kdManager and written back through the writer helper; and a document of 20
// log tracks of 500,000 samples (86 MB, made in /tmp on first use) opened and saved
// end to end through CTarvikDoc.
//   table_io_bench --peak FILE          opens FILE once as File > Open does and
//                                       prints the peak resident memory
//   table_io_bench --make-document      makes the 86 MB document and prints its path
#include "BenchFiles.h"
#include "base/FileIO.h"
#include "base/TableWriter.h"
#include "base/TextParse.h"
#include "base/kdManager.h"
#include "doc/TarvikDoc.h"
#include "exchange/OpenFile.h"
#include "gfx/ConsolePlatform.h"
#include "tracks/LogTrack.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr size_t kTargetBytes = 50u << 20;

const std::string& SampleFile() {
    static const std::string path = [] {
        std::string text = "TABLE=Data\nDELIMITER=;\nCOLUMNS=[depth;GR;RHOB;NPHI;DT]\n";
        text.reserve(kTargetBytes + 100);
        unsigned seed = 12345;
        for (int i = 0; text.size() < kTargetBytes; ++i) {
            AppendFixed(text, 1000.0 + i * 0.1524, 4);
            for (int c = 0; c < 4; ++c) {
                seed = seed * 1103515245u + 12345u;
                text.push_back(';');
                AppendFixed(text, (seed >> 8) % 200000 / 1000.0, 4);
            }
            text.push_back('\n');
        }
        text += "END\n\n";
        std::string p = "/tmp/tarvik_bench_table.tvk";
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        return p;
    }();
    return path;
}

size_t FileSize(const std::string& path) {
    std::string text, why;
    ReadWholeFile(path, text, why);
    return text.size();
}

void BM_ReadTableFile(benchmark::State& state) {
    const std::string& path = SampleFile();
    const size_t bytes = FileSize(path);
    for (auto _ : state) {
        kdManager m;
        m.ReadFile(path);
        benchmark::DoNotOptimize(m.CurrentPage());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ReadTableFile)->Unit(benchmark::kMillisecond);

void BM_WriteTableFile(benchmark::State& state) {
    kdManager m;
    m.ReadFile(SampleFile());
    m.SelectTable("Data");
    const kTable& t = *m.CurrentTable();
    const std::string out = "/tmp/tarvik_bench_table_out.tvk";
    size_t bytes = 0;
    for (auto _ : state) {
        std::FILE* f = std::fopen(out.c_str(), "wb");
        {
            CTableWriter w(f);
            w.BeginTable(t.name);
            w.Columns({"depth", "GR", "RHOB", "NPHI", "DT"});
            for (size_t k = 0; k < t.rows.size(); ++k) {
                // The row's fields in one walk along its text.
                const kRow& r = t.rows[k];
                std::string& o = w.Out();
                std::string_view rest = r.text;
                for (int i = 0; i < r.FieldCount(); ++i) {
                    const size_t d = rest.find(r.delimiter);
                    if (i) o.push_back(';');
                    o.append(rest.substr(0, d));
                    rest = d == std::string_view::npos ? std::string_view() : rest.substr(d + 1);
                }
                o.push_back('\n');
                w.Done();
            }
            w.EndTable();
        }
        bytes = static_cast<size_t>(std::ftell(f));
        std::fclose(f);
    }
    std::remove(out.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteTableFile)->Unit(benchmark::kMillisecond);

// The same rows formatted from numbers, as the writers of sampled data do.
void BM_WriteNumericRows(benchmark::State& state) {
    kdManager m;
    m.ReadFile(SampleFile());
    m.SelectTable("Data");
    std::vector<float> values;
    const kTable& t = *m.CurrentTable();
    for (size_t k = 0; k < t.rows.size(); ++k) {
        const kRow& r = t.rows[k];
        for (int i = 0; i < r.FieldCount(); ++i) {
            float v = 0;
            ScanFloat(std::string_view(*r.Field(i)), v);
            values.push_back(v);
        }
    }
    const std::string out = "/tmp/tarvik_bench_numeric_out.tvk";
    size_t bytes = 0;
    for (auto _ : state) {
        std::FILE* f = std::fopen(out.c_str(), "wb");
        {
            CTableWriter w(f);
            w.BeginTable("Data");
            w.Columns({"depth", "GR", "RHOB", "NPHI", "DT"});
            for (size_t i = 0; i < values.size(); i += 5) {
                std::string& o = w.Out();
                for (size_t c = 0; c < 5 && i + c < values.size(); ++c) {
                    if (c) o.push_back(';');
                    AppendFixed(o, values[i + c], 4);
                }
                o.push_back('\n');
                w.Done();
            }
            w.EndTable();
        }
        bytes = static_cast<size_t>(std::ftell(f));
        std::fclose(f);
    }
    std::remove(out.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteNumericRows)->Unit(benchmark::kMillisecond);

// --- A whole document ---

constexpr int kCurves = 20;
constexpr int kSamples = 500000;

// A LAS file of 20 curves x 500,000 rows (the depth and 19 values from 0 to 200,
// "%10.4f" and "%9.4f"), imported with every curve and saved as a document, as
// "tarvik --save-as big.tvk big.las" makes it.
const std::string& DocumentFile() {
    static const std::string path = [] {
        const std::string las = "/tmp/tarvik_bench_doc.las";
        const std::string tvk = "/tmp/tarvik_bench_doc.tvk";
        WriteBenchLas(las, kCurves, kSamples, 81, "BENCH-DOC");
        CConsolePlatform platform;
        CTarvikDoc doc(platform);
        if (!OpenPath(doc, las) || !doc.OnSaveDocument(tvk)) std::fprintf(stderr, "no document\n");
        std::remove(las.c_str());
        return tvk;
    }();
    return path;
}

int LogTracks(const CTarvikDoc& doc) {
    int n = 0;
    for (const auto& t : doc.tracks)
        if (const auto* log = dynamic_cast<const CLogTrack*>(t.get()))
            n += log->count == kSamples && log->values.size() == kSamples;
    return n;
}

void BM_OpenDocument(benchmark::State& state) {
    const std::string& path = DocumentFile();
    for (auto _ : state) {
        CConsolePlatform platform;
        CTarvikDoc doc(platform);
        if (!doc.OnOpenDocument(path) || LogTracks(doc) != kCurves)
            state.SkipWithError("the document did not open whole");
    }
    state.SetBytesProcessed(state.iterations() * FileBytes(path));
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond);

// What File > Save does: formats, writes, syncs and renames over the target.
void BM_SaveDocument(benchmark::State& state) {
    const std::string& path = DocumentFile();
    CConsolePlatform platform;
    CTarvikDoc doc(platform);
    if (!doc.OnOpenDocument(path)) state.SkipWithError("the document did not open");
    const std::string out = "/tmp/tarvik_bench_doc_out.tvk";
    for (auto _ : state)
        if (!doc.OnSaveDocument(out)) state.SkipWithError("the document was not saved");
    state.SetBytesProcessed(state.iterations() * FileBytes(out));
    std::remove(out.c_str());
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);

// The same without the sync: formatting and writing into the page cache only.
void BM_StoreDocument(benchmark::State& state) {
    const std::string& path = DocumentFile();
    CConsolePlatform platform;
    CTarvikDoc doc(platform);
    if (!doc.OnOpenDocument(path)) state.SkipWithError("the document did not open");
    const std::string out = "/tmp/tarvik_bench_doc_store.tvk";
    long bytes = 0;
    for (auto _ : state) {
        std::FILE* f = std::fopen(out.c_str(), "wb");
        {
            CTableWriter w(f);
            doc.Store(w);
        }
        bytes = std::ftell(f);
        std::fclose(f);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    std::remove(out.c_str());
}
BENCHMARK(BM_StoreDocument)->Unit(benchmark::kMillisecond);

// The process's peak resident memory, in MiB.
double PeakMiB() {
    struct rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

// Opens the file once as File > Open does and prints the peak resident memory.
int PeakOpen(const char* path) {
    const double before = PeakMiB();
    CConsolePlatform platform;
    CTarvikDoc doc(platform);
    const bool ok = doc.OnOpenDocument(path);
    size_t samples = 0;
    for (const auto& t : doc.tracks)
        if (const auto* log = dynamic_cast<const CLogTrack*>(t.get())) samples += log->values.size();
    const double floats = double(samples) * sizeof(float) / (1024.0 * 1024.0);
    std::printf("open %s: peak resident %.1f MiB (before %.1f MiB); float data %.1f MiB; "
                "target %.1f MiB\n",
                ok ? "ok" : "FAILED", PeakMiB(), before, floats, floats + 50);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--peak") == 0) return PeakOpen(argv[2]);
    if (argc > 1 && std::strcmp(argv[1], "--make-document") == 0) {
        std::printf("%s\n", DocumentFile().c_str());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
