// Drawing a page of 20 log tracks of 1,000,000 samples each through the Qt surface
// onto a 1000 x 1000 image, as the screen draws it (about one sample per pixel of
// height) and as a printer does (every sample).
#include "platform/QtSurface.h"
#include "doc/TarvikDoc.h"
#include "gfx/ConsolePlatform.h"
#include "tracks/LogTrack.h"
#include "view/TarvikView.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

constexpr int kTracks = 20;
constexpr int kSamples = 1000000;

struct Page {
    CConsolePlatform platform;
    CTarvikDoc doc{platform};
    CTarvikView view{doc};

    Page() {
        doc.EnsureDepthAxisTrack(kMeters);
        const float step = 0.1524f;
        doc.meterAxis.min = 0;
        doc.meterAxis.max = kSamples * step;
        doc.meterAxis.majorUnit = 20000;
        doc.meterAxis.minorUnit = 4000;
        for (int t = 0; t < kTracks; ++t) {
            auto log = std::make_unique<CLogTrack>();
            log->width = 0.4f;
            log->hAxis.Init(kAxisLinearH, 0, 150, 50, "GR" + std::to_string(t));
            log->hAxis.majorGrids = 1;
            log->depthstep = step;
            log->nullvalue = -999.25f;
            log->colorFill = t % 2; // every other track filled
            log->values.resize(kSamples);
            unsigned seed = 1234u + static_cast<unsigned>(t);
            float wander = 75;
            for (int i = 0; i < kSamples; ++i) {
                seed = seed * 1103515245u + 12345u;
                wander += (static_cast<float>((seed >> 8) % 2001) - 1000.0f) * 0.01f;
                wander = std::clamp(wander, 5.0f, 145.0f);
                log->values[static_cast<size_t>(i)] = i % 50000 == 0 ? -999.25f : wander;
            }
            log->count = kSamples;
            doc.BindToDepthAxis(*log, kMeters);
            doc.tracks.push_back(std::move(log));
        }
        view.SetResolution(96, 96);
        doc.logHeight = 9.0f;
        view.RecalcLayout();
    }
};

Page& ThePage() {
    static Page page;
    return page;
}

void DrawOnce(Page& page, QImage& image, bool printing) {
    image.fill(Qt::white);
    QPainter painter(&image);
    CQtSurface dc(painter);
    dc.SetPrinting(printing);
    page.view.DrawPage(dc, {0, 0, 1000, 1000});
}

void BM_DrawPageScreen(benchmark::State& state) {
    Page& page = ThePage();
    QImage image(1000, 1000, QImage::Format_RGB32);
    for (auto _ : state) DrawOnce(page, image, false);
}
BENCHMARK(BM_DrawPageScreen)->Unit(benchmark::kMillisecond);

void BM_DrawPagePrint(benchmark::State& state) {
    Page& page = ThePage();
    QImage image(1000, 1000, QImage::Format_RGB32);
    for (auto _ : state) DrawOnce(page, image, true);
}
BENCHMARK(BM_DrawPagePrint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
