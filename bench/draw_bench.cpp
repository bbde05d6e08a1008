// Drawing a page of 20 log tracks of 1,000,000 samples each through the Qt surface
// onto a 1000 x 1000 image, as the screen draws it (about one sample per pixel of
// height) and as a printer does (every sample).
#include "BigPage.h"
#include "platform/QtSurface.h"
#include "gfx/ConsolePlatform.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using Page = CBigPage<CConsolePlatform>;

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
