// Writing the page to a picture file without a window, for `tarvik --export`.
#pragma once

#include "gfx/PlatformServices.h"
#include "platform/PageRender.h"

#include <string>

class CTarvikDoc;

// What a picture asks of a platform without a window: text measured and the page
// drawn as the screen does. Nobody is asked anything.
class CExportServices : public IPlatformServices {
  public:
    void Message(const std::string&, MsgIcon) override {}
    bool AskOkCancel(const std::string&) override { return true; }
    CSize MeasureText(const CFontDesc& font, std::string_view text) override {
        return measure.Measure(font, text);
    }
    bool RenderPixels(const PageDrawing& draw, double scale, unsigned char* pixels, int width,
                      int height) override {
        return RenderPagePixels(draw, scale, pixels, width, height);
    }

  private:
    CQtTextMeasure measure;
};

// Draws the document's page into a file as Save Image as does, with the screen
// taken as 96 pixels per inch and the drawing enlarged by dpi / 96. The extension
// picks the format through the core's table: ".bmp", ".jpg", ".png" and ".tif"
// (bitmaps), ".emf" (metafile), ".svg" and ".pdf" (vector). Needs a
// QGuiApplication. False with a reason when nothing could be written.
bool ExportPage(CTarvikDoc& doc, const std::string& path, int dpi, std::string& error);
