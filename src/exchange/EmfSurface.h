// An enhanced metafile as a drawing surface: the page drawn into it becomes the
// metafile's records (pens, brushes, fonts, lines, shapes, text, clipping), which
// Copy puts on the clipboard and Save Image as writes to a ".emf" file. One logical
// unit is one pixel of the screen the page was laid out for.
#pragma once

#include "gfx/DrawSurface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class IPlatformServices;

class CEmfSurface : public CDrawSurface {
  public:
    // page: the picture's extent in logical units; resX, resY: the screen's pixels per
    // inch, which fix the picture's size in millimetres. Text is measured by the
    // platform, as the screen measures it.
    CEmfSurface(IPlatformServices& platform, const CRect& page, float resX, float resY,
                std::string description);

    // The metafile: its header, the records drawn so far and the end record. False
    // with the reason when the drawing grew past what a metafile can hold.
    bool Finish(std::string& out, std::string& error);
    // The picture's extent in hundredths of a millimetre.
    const CRect& Frame() const { return frame; }

    using CDrawSurface::Polygon;
    using CDrawSurface::Polyline;
    void Polyline(const CPoint* points, size_t count) override;
    void Polygon(const CPoint* points, size_t count) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void TextOut(int x, int y, std::string_view text) override;
    CSize GetTextExtent(std::string_view text) override;
    void SetClipRect(const CRect& r) override;
    void RemoveClip() override;
    CRect ClipBox() const override;

  protected:
    void DrawLine(CPoint from, CPoint to) override;

  private:
    // One record: Begin gives its start, the fields follow, End pads it to four bytes
    // and writes its size.
    size_t Begin(uint32_t type);
    void Put(uint32_t v);
    void PutI(int32_t v) { Put(static_cast<uint32_t>(v)); }
    void PutRect(const CRect& r);
    void End(size_t start);
    void Simple(uint32_t type, uint32_t value);
    bool Room(size_t bytes); // false once the metafile would pass its limit

    // The device context of the reader follows these; each is written only when the
    // drawing needs a value other than the one the reader already has.
    void UsePen();
    void UseBrush(const CBrush& b);
    void UseFont();
    void UseBkMode(int mode);
    void UseTextColour();
    void UseBkColour();
    void UseTextAlign();
    void SelectCreated(uint32_t& current, uint32_t first);
    CFontDesc ResolvedFont() const;
    // The area filled with the selected pattern, as a bitmap.
    void PatternFill(const CRect& area);
    // Whether a shape with the selected pen and brush leaves a mark.
    bool Paints() const;
    void Poly(uint32_t type16, uint32_t type32, const CPoint* points, size_t count);

    IPlatformServices& platform;
    CRect page;
    std::vector<CPoint> collapsed; // a dense polyline, a few points a row
    CRect frame;
    float resX;
    float resY;
    std::string description;

    std::vector<unsigned char> data;
    uint32_t records = 0;
    bool overflow = false;

    // Each kind of object takes one of two table slots in turn: the new one is
    // created and selected before the old one is deleted.
    uint32_t penSlot = 0; // 0: a stock object is selected
    uint32_t brushSlot = 0;
    uint32_t fontSlot = 0;
    std::optional<CPen> pen;
    std::optional<CBrush> brush;
    std::optional<CFontDesc> font;
    std::optional<int> bkMode;
    std::optional<ColourRef> textColour;
    std::optional<ColourRef> bkColour;
    std::optional<unsigned> textAlign;
    std::optional<CRect> clip;
};
