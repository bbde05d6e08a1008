// Pictures of the page: File > Save Image as, Edit > Copy (the page as a metafile)
// and Copy high rez image, and the bitmaps and metafiles they make, which
// `tarvik --export` makes too. Bitmaps are drawn by the platform (RenderPixels) and
// written by the core's writers; metafiles are drawn by the core.
#pragma once

#include "gfx/DrawSurface.h"

#include <string>

class CDIBImage;
class CTarvikView;
class IPlatformServices;
struct CImageFormat;

// A bitmap holds the tracks and this much white to their right and below.
inline constexpr int kImageMargin = 20;

// The screen's pixels per inch as the view has them, rounded: what the resolution
// dialog proposes.
int ScreenDpi(const CTarvikView& view);
// The enlargement for a dpi: dpi / the screen's pixels per inch, never below 1.
double ImageScale(int dpi, float screenDpi);
// The bitmap of the page at a scale: the extent of the tracks (from the page origin)
// and the margin, each side multiplied by scale and truncated. Needs a laid-out view.
CSize BitmapSize(const CTarvikView& view, double scale);
// The resolution dialog's line for a dpi: the size of the bitmap it would make.
std::string BitmapSizeText(CSize base, int dpi, float screenDpi);

// The bitmap of the page at the scale, 32 bits, from the page origin whatever the
// window shows. False with the reason when it is too large or cannot be drawn.
bool RenderPageBitmap(CTarvikView& view, IPlatformServices& platform, double scale,
                      CDIBImage& image, std::string& error);
// The whole page as an enhanced metafile, its frame the page in hundredths of a
// millimetre at the view's resolution.
bool MakePageMetafile(CTarvikView& view, IPlatformServices& platform, std::string& emf,
                      std::string& error);

enum class PictureResult { Written, NoImage, CannotOpen, Failed };
// A bitmap (at the scale) or a metafile of the page in a file of the format; error
// says why it failed. A failure leaves an old file as it was.
PictureResult ExportPicture(CTarvikView& view, IPlatformServices& platform, const std::string& path,
                            const CImageFormat& format, double scale, std::string& error);

// The commands; the view's document gives the platform.
void OnSaveImageAs(CTarvikView& view);
void OnCopyPicture(CTarvikView& view);
void OnCopyHighRezImage(CTarvikView& view);
