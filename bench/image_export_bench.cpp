// Pictures of the page and pasted tables: the demo well rendered at 300 dpi through
// the Qt surface, written by each bitmap writer, drawn into a metafile; and a
// spreadsheet table of 100,000 rows pasted as new tracks.
#include "BigPage.h"
#include "doc/TarvikDoc.h"
#include "exchange/BmpWriter.h"
#include "exchange/ClipboardTable.h"
#include "exchange/DibImage.h"
#include "exchange/ImageFormats.h"
#include "exchange/JpegWriter.h"
#include "exchange/PngWriter.h"
#include "exchange/TiffWriter.h"
#include "platform/Export.h"
#include "platform/PageRender.h"
#include "view/ImageExport.h"
#include "view/TarvikView.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Measures and renders as `tarvik --export` does; tells what went wrong and answers
// the clipboard from a string.
class CBenchPlatform : public CExportServices {
  public:
    void Message(const std::string& text, MsgIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    std::optional<std::string> GetClipboardText() override { return clipboard; }
    std::string clipboard;
};

struct Demo {
    CBenchPlatform platform;
    CTarvikDoc doc{platform};
    CTarvikView view{doc};
    CDIBImage image;

    Demo() {
        if (!doc.OnOpenDocument(TARVIK_SOURCE_DIR "/data/demo.tvk")) std::abort();
        view.SetResolution(96, 96);
        std::string error;
        if (!RenderPageBitmap(view, platform, 300.0 / 96.0, image, error)) std::abort();
    }
};

Demo& TheDemo() {
    static Demo demo;
    return demo;
}

// The 20 x 1,000,000-sample page written by `tarvik --export` to each format; the
// file's size is reported beside the time.
void BM_ExportBigPage(benchmark::State& state, const char* extension, int dpi) {
    static CBigPage<CBenchPlatform> page;
    const std::string path = (std::filesystem::temp_directory_path() /
                              (std::string("tarvik-bench-page") + extension)).string();
    std::string error;
    for (auto _ : state)
        if (!ExportPage(page.doc, path, dpi, error)) state.SkipWithError(error.c_str());
    std::error_code ec;
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path, ec)) / 1e6;
    if (!std::getenv("TARVIK_BENCH_KEEP")) std::filesystem::remove(path, ec);
}
BENCHMARK_CAPTURE(BM_ExportBigPage, png_300dpi, ".png", 300)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportBigPage, emf, ".emf", 96)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportBigPage, svg, ".svg", 96)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportBigPage, pdf, ".pdf", 96)->Unit(benchmark::kMillisecond);

void BM_RenderPage300(benchmark::State& state) {
    Demo& d = TheDemo();
    CDIBImage image;
    std::string error;
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderPageBitmap(d.view, d.platform, 300.0 / 96.0, image, error));
    state.SetLabel(std::to_string(image.Width()) + " x " + std::to_string(image.Height()));
}
BENCHMARK(BM_RenderPage300)->Unit(benchmark::kMillisecond);

void Write(benchmark::State& state, ImageWriter writer, const char* name) {
    const CDIBImage& image = TheDemo().image;
    const std::string path = std::string("/tmp/tarvik-bench-") + name;
    std::string error;
    for (auto _ : state)
        if (WriteImageFile(path, writer, image, &error) != WriteResult::Written)
            state.SkipWithError(error.c_str());
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f) {
        std::fseek(f, 0, SEEK_END);
        state.counters["MB"] = static_cast<double>(std::ftell(f)) / 1e6;
        std::fclose(f);
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(image.ImageSize()));
}
void BM_WriteBmp(benchmark::State& s) {
    Write(s, WriteBmp, "x.bmp");
}
void BM_WriteJpeg(benchmark::State& s) {
    Write(s, WriteJpeg, "x.jpg");
}
void BM_WritePng(benchmark::State& s) {
    Write(s, WritePng, "x.png");
}
void BM_WriteTiff(benchmark::State& s) {
    Write(s, WriteTiff, "x.tif");
}
BENCHMARK(BM_WriteBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTiff)->Unit(benchmark::kMillisecond);

void BM_PageMetafile(benchmark::State& state) {
    Demo& d = TheDemo();
    std::string emf, error;
    for (auto _ : state)
        benchmark::DoNotOptimize(MakePageMetafile(d.view, d.platform, emf, error));
    state.counters["KB"] = static_cast<double>(emf.size()) / 1e3;
}
BENCHMARK(BM_PageMetafile)->Unit(benchmark::kMillisecond);

// Depth and five values a row, as a spreadsheet copies them.
std::string Table(int rows) {
    std::string text = "Depth (m)\tGR\tRT\tNPHI\tRHOB\tDT\r\n";
    char line[128];
    for (int i = 0; i < rows; ++i) {
        std::snprintf(line, sizeof line, "%.2f\t%.3f\t%.3f\t%.4f\t%.3f\t%.2f\r\n", 1000 + i * 0.1,
                      50 + (i * 37 % 100) * 0.5, 2 + (i % 13) * 0.25, 0.2 + (i % 7) * 0.01,
                      2.3 + (i % 11) * 0.02, 80 + (i % 17) * 1.5);
        text += line;
    }
    return text;
}

void BM_PasteTable(benchmark::State& state) {
    CBenchPlatform platform;
    platform.clipboard = Table(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CTarvikDoc doc(platform);
        if (OnPasteTable(doc) != 1) state.SkipWithError("paste failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(platform.clipboard.size()));
}
BENCHMARK(BM_PasteTable)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
