// Drawing operations shared by the tracks, the axes and the page: fonts, measured,
// rotated and fitted text, rectangle outlines, clipping to a track and the 22 plot
// symbols.
#pragma once

#include "gfx/DrawSurface.h"

#include <string>
#include <string_view>
#include <vector>

// Replaces the font description with one of the given face, height and italic flag,
// weight 400 and everything else zero.
void MakeFont(CFontDesc& font, const std::string& face, int height, bool italic);
// Width of the text in the selected font.
int TextWidth(CDrawSurface& dc, std::string_view text);
// Height of "Blank" in the selected font: the line height of tracks and axes.
int TextHeight(CDrawSurface& dc);
// The text at (x, y) with the selected font turned to read upward.
void DrawRotatedText(CDrawSurface& dc, int x, int y, std::string_view text);
// The text shrunk (down to a height of 6) until it fits the box, horizontally in a
// box wider than tall, else reading upward.
void DrawFittedText(CDrawSurface& dc, const CRect& box, std::string_view text);
// The four sides of the rectangle with the current pen.
void DrawRectOutline(CDrawSurface& dc, const CRect& r);

// The one global of the program: track clipping is off until a track turns it on.
void SetTrackClipping(int flag);
bool TrackClipping();
void ClipToTrack(CDrawSurface& dc, const CRect& r);
void RemoveTrackClip(CDrawSurface& dc);

// Plot symbol id of half-size s centred on (x, y): outlined with the current pen,
// filled with the current brush. Ids from 22 up wrap round modulo 22; a negative id
// draws the circle of id 0.
void DrawSymbol(CDrawSurface& dc, int id, int s, int x, int y);

// Consecutive points on one pixel row reduced to the first, the extreme two and the
// last of them, which a solid line or a fill draws the same; count becomes the new
// number of points, which live in out.
const CPoint* CollapseRows(const CPoint* points, size_t& count, std::vector<CPoint>& out);
inline constexpr int kSymbolCount = 22;
