// Pictures of the page: their sizes, rendering, files and clipboard.
#include "view/ImageExport.h"

#include "doc/TarvikDoc.h"
#include "exchange/DibImage.h"
#include "exchange/EmfSurface.h"
#include "exchange/ImageFormats.h"
#include "exchange/PngWriter.h"
#include "gfx/PlatformServices.h"
#include "view/TarvikView.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

const char* const kDescription = "Pelorin";
// The types of "Export Image As Type", in the order of its list.
const char* const kTypeExtensions[] = {".bmp", ".jpg", ".png", ".emf", ".tif"};

PageDrawing DrawingOf(CTarvikView& view) {
    return [&view](CDrawSurface& dc) {
        // Pictures draw every sample, as a printed page does: a spike between two
        // screen rows stays in the picture.
        dc.SetPrinting(true);
        dc.SetPageRect(view.PageRect());
        view.DrawPage(dc, view.PageRect());
    };
}

void LayOut(CTarvikView& view) {
    view.RecalcLayout();
    view.LayoutTracks();
}

// The page drawn into a bitmap of the given size.
bool Render(CTarvikView& view, IPlatformServices& platform, double scale, CSize size,
            CDIBImage& image, std::string& error) {
    if (size.cx <= 0 || size.cy <= 0 ||
        static_cast<double>(size.cx) * size.cy > static_cast<double>(CDIBImage::kMaxPixels)) {
        error = "the image would be " + std::to_string(size.cx) + " x " + std::to_string(size.cy) +
                " pixels, too large to make";
        return false;
    }
    if (!image.Create(size.cx, size.cy, 32)) {
        error = "Failed to create image. Maybe out of memory?";
        return false;
    }
    // Enlarged in steps of 1/1000, from the page origin.
    const double drawScale = std::trunc(scale * 1000.0) / 1000.0;
    if (!platform.RenderPixels(DrawingOf(view), drawScale, image.Bits(), size.cx, size.cy)) {
        image.CleanUp();
        error = "Failed to create image. Maybe out of memory?";
        return false;
    }
    image.FlipRows(); // the bitmap keeps its rows bottom-up
    image.SetDpi(scale * view.ResolutionX()); // the resolution asked for
    return true;
}

// Asks for the dpi, showing what size the bitmap will have; the enlargement chosen.
std::optional<double> AskScale(CTarvikView& view, IPlatformServices& platform) {
    const std::optional<int> dpi =
        platform.AskBitmapDpi(ScreenDpi(view), view.ResolutionX(), BitmapSize(view, 1.0));
    if (!dpi) return std::nullopt;
    return ImageScale(*dpi, view.ResolutionX());
}

} // namespace

int ScreenDpi(const CTarvikView& view) {
    return static_cast<int>(std::lround(view.ResolutionX()));
}

double ImageScale(int dpi, float screenDpi) {
    const double s = screenDpi > 0 ? dpi / static_cast<double>(screenDpi) : 1.0;
    return s > 1.0 ? s : 1.0;
}

CSize BitmapSize(const CTarvikView& view, double scale) {
    const CRect extent = view.TracksExtent();
    const auto side = [scale](int from, int to) {
        return SaturatePixels(std::trunc((static_cast<double>(to) + kImageMargin) * scale) - from);
    };
    return {side(extent.left, extent.right), side(extent.top, extent.bottom)};
}

std::string BitmapSizeText(CSize base, int dpi, float screenDpi) {
    // The size the bitmap will have, as Render makes it: never below the screen's.
    const double s = ImageScale(dpi, screenDpi);
    const auto side = [s](int v) { return static_cast<long long>(std::trunc(v * s)); };
    return "The output bitmap size is " + std::to_string(side(base.cx)) + " x " +
           std::to_string(side(base.cy));
}

bool RenderPageBitmap(CTarvikView& view, IPlatformServices& platform, double scale,
                      CDIBImage& image, std::string& error) {
    LayOut(view);
    return Render(view, platform, scale, BitmapSize(view, scale), image, error);
}

bool MakePageMetafile(CTarvikView& view, IPlatformServices& platform, std::string& emf,
                      std::string& error) {
    LayOut(view);
    CEmfSurface surface(platform, view.PageRect(), view.ResolutionX(), view.ResolutionY(),
                        kDescription);
    DrawingOf(view)(surface);
    return surface.Finish(emf, error);
}

PictureResult ExportPicture(CTarvikView& view, IPlatformServices& platform, const std::string& path,
                            const CImageFormat& format, double scale, std::string& error) {
    WriteResult written = WriteResult::Failed;
    if (format.kind == ImageKind::Metafile) {
        std::string emf;
        if (!MakePageMetafile(view, platform, emf, error)) return PictureResult::NoImage;
        written = WriteBytesFile(path, emf, &error);
    } else if (format.kind == ImageKind::Bitmap && format.write) {
        CDIBImage image;
        if (!RenderPageBitmap(view, platform, scale, image, error)) return PictureResult::NoImage;
        written = WriteImageFile(path, format.write, image, &error);
    } else {
        error = "this picture format is not drawn here";
        return PictureResult::Failed;
    }
    if (written == WriteResult::Written) return PictureResult::Written;
    return written == WriteResult::CannotOpen ? PictureResult::CannotOpen : PictureResult::Failed;
}

void OnSaveImageAs(CTarvikView& view) {
    IPlatformServices& platform = view.Document().Platform();
    if (view.Document().tracks.empty()) return;
    const std::optional<CExportFileChoice> choice =
        platform.AskExportFileName("Export Image As Type", "Pelorin.bmp", kSaveImageTypes);
    if (!choice || choice->type < 1 || choice->type > 5) return;
    const CImageFormat* format = FindImageFormat(kTypeExtensions[choice->type - 1]);
    if (!format) return;
    LayOut(view);
    double scale = 1.0;
    if (format->kind == ImageKind::Bitmap) {
        const std::optional<double> s = AskScale(view, platform);
        if (!s) return;
        scale = *s;
    }
    std::string error;
    platform.BeginWaitCursor();
    const PictureResult result = ExportPicture(view, platform, choice->path, *format, scale, error);
    platform.EndWaitCursor();
    switch (result) {
    case PictureResult::Written:
        return;
    case PictureResult::NoImage:
        platform.Message("Failed to create image. Maybe out of memory?");
        return;
    case PictureResult::CannotOpen:
        if (choice->type == 2) { // JPEG says so in its own words
            platform.Message("JpegFile :\nCan't open " + choice->path + "\n");
            return;
        }
        break;
    case PictureResult::Failed:
        break;
    }
    // Every writer says when it failed: a picture that silently is not there is lost work.
    platform.Message("Unable to save the image " + choice->path + "\n" + error);
}

void OnCopyPicture(CTarvikView& view) {
    IPlatformServices& platform = view.Document().Platform();
    CClipboardPicture picture;
    std::string error;
    if (!MakePageMetafile(view, platform, picture.emf, error)) {
        platform.Message("Failed to copy image. Maybe out of memory?");
        return;
    }
    const CRect& page = view.PageRect();
    picture.page = {page.Width(), page.Height()};
    picture.draw = DrawingOf(view);
    // The same page as a bitmap, for programs that take no metafile.
    CDIBImage image;
    if (Render(view, platform, 1.0, picture.page, image, error))
        EncodeImage(WritePng, image, picture.png, &error);
    platform.SetClipboardPicture(picture);
}

void OnCopyHighRezImage(CTarvikView& view) {
    IPlatformServices& platform = view.Document().Platform();
    if (view.Document().tracks.empty()) return;
    LayOut(view);
    const std::optional<double> scale = AskScale(view, platform);
    if (!scale) return;
    CDIBImage image;
    std::string error;
    platform.BeginWaitCursor();
    const bool made = RenderPageBitmap(view, platform, *scale, image, error);
    platform.EndWaitCursor();
    if (!made) {
        platform.Message("Failed to copy image. Maybe out of memory?");
        return;
    }
    image.FlipRows(); // the clipboard takes the top row first
    platform.SetClipboardBitmap(image.Bits(), image.Width(), image.Height());
}
