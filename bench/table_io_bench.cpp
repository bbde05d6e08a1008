// Reading and writing table files: a 50 MB table of numeric rows is read from disk
// into kdManager and written back through the writer helper.
#include "base/FileIO.h"
#include "base/TableWriter.h"
#include "base/TextParse.h"
#include "base/kdManager.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
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
            for (const kRow& r : t.rows) {
                std::string& o = w.Out();
                for (size_t i = 0; i < r.fields.size(); ++i) {
                    if (i) o.push_back(';');
                    o.append(r.fields[i]);
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
    for (const kRow& r : m.CurrentTable()->rows)
        for (const std::string& f : r.fields) {
            float v = 0;
            ScanFloat(f, v);
            values.push_back(v);
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

} // namespace

BENCHMARK_MAIN();
