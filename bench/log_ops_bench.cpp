// The log operations on long curves: smoothing 1,000,000 samples over 1000 points,
// the two-track operations and the sum of selected tracks at two sizes each, to
// show they grow linearly with the samples.
#include "doc/TarvikDoc.h"
#include "gfx/ConsolePlatform.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"
#include "view/LogOperations.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

// Samples every 0.1 m from 1000 m, a null every 997th.
std::unique_ptr<CLogTrack> MakeLog(int n, unsigned seed, float start = 1000.0f) {
    auto log = std::make_unique<CLogTrack>();
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(0.0f, 200.0f);
    log->values.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        log->values[static_cast<size_t>(i)] = i % 997 == 3 ? -999.25f : value(random);
    log->count = n;
    log->nullvalue = -999.25f;
    log->startdepth = start;
    log->depthstep = 0.1f;
    log->stopdepth = start + static_cast<float>(n - 1) * 0.1f;
    return log;
}

// Points every 0.1 m (A) or 0.15 m (B), so B is read between its points.
std::unique_ptr<CDataTrack> MakeData(int n, float step, unsigned seed) {
    auto data = std::make_unique<CDataTrack>();
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(1.0f, 200.0f);
    for (int i = 0; i < n; ++i)
        data->AppendPoint(value(random), 1000.0f + static_cast<float>(i) * step);
    return data;
}

void BM_Smooth(benchmark::State& state) {
    const auto log = MakeLog(static_cast<int>(state.range(0)), 1);
    for (auto _ : state) {
        log->Smooth(static_cast<int>(state.range(1)));
        benchmark::DoNotOptimize(log->values.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Smooth)->Args({1000000, 1000})->Args({1000000, 9})->Unit(benchmark::kMillisecond);

struct CDocWith {
    CConsolePlatform platform;
    CTarvikDoc doc{platform};
};

void BM_CombineLogTracks(benchmark::State& state) {
    CDocWith d;
    const int n = static_cast<int>(state.range(0));
    d.doc.tracks.push_back(MakeLog(n, 1));
    d.doc.tracks.push_back(MakeLog(n, 2, 1000.5f));
    auto& a = static_cast<CLogTrack&>(*d.doc.tracks[0]);
    auto& b = static_cast<CLogTrack&>(*d.doc.tracks[1]);
    for (auto _ : state) {
        CombineLogTracks(d.doc, a, b, kTwoTrackRatio, "ratio");
        d.doc.tracks.pop_back();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_CombineLogTracks)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_CombineDataTracks(benchmark::State& state) {
    CDocWith d;
    const int n = static_cast<int>(state.range(0));
    d.doc.tracks.push_back(MakeData(n, 0.1f, 1));
    d.doc.tracks.push_back(MakeData(n, 0.15f, 2));
    auto& a = static_cast<CDataTrack&>(*d.doc.tracks[0]);
    auto& b = static_cast<CDataTrack&>(*d.doc.tracks[1]);
    for (auto _ : state) {
        CombineDataTracks(d.doc, a, b, kTwoTrackAdd, "sum");
        d.doc.tracks.pop_back();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_CombineDataTracks)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SumSelectedLogs(benchmark::State& state) {
    CDocWith d;
    const int n = static_cast<int>(state.range(0));
    for (unsigned k = 0; k < 3; ++k) {
        d.doc.tracks.push_back(MakeLog(n, k, 1000.0f + 0.1f * static_cast<float>(k)));
        d.doc.tracks.back()->selected = 1;
    }
    for (auto _ : state) {
        SumSelected(d.doc);
        d.doc.tracks.pop_back();
    }
    state.SetItemsProcessed(state.iterations() * n * 3);
}
BENCHMARK(BM_SumSelectedLogs)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SumSelectedData(benchmark::State& state) {
    CDocWith d;
    const int n = static_cast<int>(state.range(0));
    for (unsigned k = 0; k < 3; ++k) {
        d.doc.tracks.push_back(MakeData(n, 0.1f, k));
        d.doc.tracks.back()->selected = 1;
    }
    for (auto _ : state) {
        SumSelected(d.doc);
        d.doc.tracks.pop_back();
    }
    state.SetItemsProcessed(state.iterations() * n * 3);
}
BENCHMARK(BM_SumSelectedData)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
