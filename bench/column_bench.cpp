// Lithology columns and formation tops: loading a track of 100,000 layers and one of
// 10,000 tops from a document's tables, and drawing a screen page of each through
// the Qt surface onto a 1000 x 1000 image; and, on the same pixels, a log track of
// the drawing benchmark's page, for the cost per pixel.
#include "BigPage.h"
#include "base/TableWriter.h"
#include "base/kdManager.h"
#include "platform/QtSurface.h"
#include "tracks/LithTrack.h"
#include "tracks/StratTrack.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>


namespace {

constexpr int kLayers = 100000;
constexpr int kTops = 10000;

CLithArray& Library() {
    static CLithArray lib = [] {
        CLithArray l;
        l.LoadFrom(LithLibraryFolders());
        return l;
    }();
    return lib;
}

// Tables as a saved document holds them: depths every 0.5 m (layers) or 5 m (tops).
const std::string& Tables() {
    static const std::string text = [] {
        CLithTrack lith;
        CStratTrack strat;
        const int kinds = std::max<int>(1, static_cast<int>(Library().size()));
        for (int i = 0; i < kLayers; ++i) lith.InsertLayer(i * 0.5f, i % kinds);
        for (int i = 0; i < kTops; ++i)
            strat.InsertTop(i * 5.0f, "Fm " + std::to_string(i), MakeRGB(i % 256, 200, 180));
        std::string out;
        CTableWriter w(out);
        lith.SaveData(w, "Layers");
        strat.SaveData(w, "Tops");
        return out;
    }();
    return text;
}

void BM_LoadLithTrack(benchmark::State& state) {
    kdManager in;
    in.Read(Tables(), "bench");
    for (auto _ : state) {
        CLithTrack t;
        t.LoadData(in, "Layers");
        benchmark::DoNotOptimize(t.Layers().data());
    }
}
BENCHMARK(BM_LoadLithTrack)->Unit(benchmark::kMillisecond);

void BM_LoadStratTrack(benchmark::State& state) {
    kdManager in;
    in.Read(Tables(), "bench");
    for (auto _ : state) {
        CStratTrack t;
        t.LoadData(in, "Tops");
        benchmark::DoNotOptimize(t.Tops().data());
    }
}
BENCHMARK(BM_LoadStratTrack)->Unit(benchmark::kMillisecond);

// A 1000-pixel window of 150 m halfway down: 300 layers or 30 tops on the page, the
// rest above or below it.
template <class Track> void DrawOnPage(benchmark::State& state, Track& track, CTrackVAxis& depth) {
    track.depthAxis = &depth;
    track.rect = {10, 0, 200, 1000};
    QImage image(1000, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        CQtSurface dc(painter);
        track.Draw(dc);
    }
}

template <class Track> void DrawScreen(benchmark::State& state, const char* table) {
    kdManager in;
    in.Read(Tables(), "bench");
    Track track;
    track.LoadData(in, table);
    if constexpr (std::is_same_v<Track, CLithTrack>) track.library = &Library();
    CTrackVAxis depth;
    depth.Init(kAxisLinearV, 25000, 25150, 50, "Depth (m)");
    DrawOnPage(state, track, depth);
}

void BM_DrawLithScreen(benchmark::State& state) { DrawScreen<CLithTrack>(state, "Layers"); }
BENCHMARK(BM_DrawLithScreen)->Unit(benchmark::kMillisecond);

void BM_DrawStratScreen(benchmark::State& state) { DrawScreen<CStratTrack>(state, "Tops"); }
BENCHMARK(BM_DrawStratScreen)->Unit(benchmark::kMillisecond);

// Track 0 of the drawing benchmark's page on the pixels above, the whole log in the
// window; filled (1) or not (0).
void BM_DrawLogScreen(benchmark::State& state) {
    const std::unique_ptr<CLogTrack> track = BigPageLog(0);
    track->colorFill = state.range(0) != 0;
    CTrackVAxis depth;
    depth.Init(kAxisLinearV, 0, kBigPageSamples * kBigPageStep, 20000, "Depth (m)");
    DrawOnPage(state, *track, depth);
}
BENCHMARK(BM_DrawLogScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
