// The enhanced-metafile surface: records written as the format lays them out, little
// endian, each a multiple of four bytes.
#include "exchange/EmfSurface.h"

#include "gfx/DrawHelpers.h"

#include "gfx/PlatformServices.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

enum : uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_EOF = 14,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_STRETCHDIBITS = 81,
    EMR_CREATEDIBPATTERNBRUSHPT = 94,
};
constexpr uint32_t kSrcCopy = 0x00CC0020;
constexpr uint32_t kSignature = 0x464D4520; // " EMF"
constexpr uint32_t kNullBrush = 0x80000005;
constexpr uint32_t kNullPen = 0x80000008;
constexpr uint32_t kRgnCopy = 5;
constexpr uint32_t kAlternate = 1;
constexpr uint32_t kCompatible = 1; // graphics mode of text
// Slots of the object table: pens 1 and 2, brushes 3 and 4, fonts 5 and 6.
constexpr uint32_t kPenSlots = 1, kBrushSlots = 3, kFontSlots = 5, kHandles = 7;
constexpr size_t kHeaderSize = 108;
constexpr size_t kLogFontPanose = 320;
// A metafile counts its bytes in 32 bits; we stop well before.
constexpr size_t kMaxBytes = size_t{1} << 31;
// Long polylines go in pieces that share their end points.
constexpr size_t kPolylinePiece = 1 << 20;

// Windows-1252 for 0x80-0x9F; its five holes keep their own code points.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// One character of document text: its code point and the bytes it came from.
struct CChar {
    char32_t code;
    size_t start;
    size_t length;
};

// The length of the UTF-8 sequence at i, or 0 when it is not one.
size_t Utf8At(std::string_view s, size_t i, char32_t& code) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned c = b(i);
    if (c < 0x80) return code = c, 1;
    size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    char32_t v = c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        v = (v << 6) | (b(i + k) & 0x3F);
    }
    const char32_t least = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
    if (v < least || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
    code = v;
    return n;
}

// Document text is 8-bit: valid UTF-8 is read as UTF-8, anything else as Windows-1252.
std::vector<CChar> DecodeText(std::string_view s) {
    std::vector<CChar> chars;
    chars.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        char32_t code = 0;
        const size_t n = Utf8At(s, i, code);
        if (n == 0) {
            chars.clear();
            for (size_t k = 0; k < s.size(); ++k) {
                const auto c = static_cast<unsigned char>(s[k]);
                const char32_t code1252 = c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c;
                chars.push_back({code1252, k, 1});
            }
            return chars;
        }
        chars.push_back({code, i, n});
        i += n;
    }
    return chars;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

int ClampInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

CEmfSurface::CEmfSurface(IPlatformServices& services, const CRect& pageRect, float x, float y,
                         std::string text)
    : platform(services), page(pageRect), resX(x > 0 ? x : 96.0f), resY(y > 0 ? y : 96.0f),
      description(std::move(text)) {
    // Hundredths of a millimetre: the screen's millimetres per pixel times 100.
    const auto hundredths = [](int v, float res) { return SaturatePixels(v * 2540.0 / res); };
    frame = {hundredths(page.left, resX), hundredths(page.top, resY), hundredths(page.right, resX),
             hundredths(page.bottom, resY)};
    data.reserve(1 << 16);
    Simple(EMR_SETPOLYFILLMODE, kAlternate);
}

// --- records ---

bool CEmfSurface::Room(size_t bytes) {
    if (overflow || data.size() + bytes > kMaxBytes) overflow = true;
    return !overflow;
}

size_t CEmfSurface::Begin(uint32_t type) {
    const size_t start = data.size();
    Put(type);
    Put(0); // the size, once known
    return start;
}

void CEmfSurface::Put(uint32_t v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16),
                                static_cast<unsigned char>(v >> 24)};
    data.insert(data.end(), b, b + 4);
}

void CEmfSurface::PutRect(const CRect& r) {
    PutI(r.left), PutI(r.top), PutI(r.right), PutI(r.bottom);
}

void CEmfSurface::End(size_t start) {
    while ((data.size() - start) % 4 != 0)
        data.push_back(0);
    const auto size = static_cast<uint32_t>(data.size() - start);
    for (int k = 0; k < 4; ++k)
        data[start + 4 + static_cast<size_t>(k)] = static_cast<unsigned char>(size >> (8 * k));
    ++records;
}

void CEmfSurface::Simple(uint32_t type, uint32_t value) {
    if (!Room(12)) return;
    const size_t r = Begin(type);
    Put(value);
    End(r);
}

// --- device-context state ---

void CEmfSurface::SelectCreated(uint32_t& current, uint32_t first) {
    // Created in the slot not in use, selected, and only then the old one deleted.
    const uint32_t next = current == first ? first + 1 : first;
    Simple(EMR_SELECTOBJECT, next);
    if (current != 0) Simple(EMR_DELETEOBJECT, current);
    current = next;
}

void CEmfSurface::UsePen() {
    // As on a device context, wide pens are always solid.
    CPen want = Pen();
    if (want.width > 1 && want.style != PS_NULL) want.style = PS_SOLID;
    if (pen && *pen == want) return;
    pen = want;
    if (want.style == PS_NULL) {
        Simple(EMR_SELECTOBJECT, kNullPen);
        if (penSlot != 0) Simple(EMR_DELETEOBJECT, penSlot);
        penSlot = 0;
        return;
    }
    if (!Room(28)) return;
    const uint32_t slot = penSlot == kPenSlots ? kPenSlots + 1 : kPenSlots;
    const size_t r = Begin(EMR_CREATEPEN);
    Put(slot);
    Put(static_cast<uint32_t>(want.style));
    PutI(std::max(want.width, 0));
    PutI(0);
    Put(want.colour & 0xFFFFFF);
    End(r);
    SelectCreated(penSlot, kPenSlots);
}

void CEmfSurface::UseBrush(const CBrush& b) {
    const bool fills = b.kind == CBrush::Solid || (b.kind == CBrush::Pattern && b.pattern);
    const bool same =
        brush && brush->kind == b.kind &&
        (b.kind == CBrush::Null || (b.kind == CBrush::Solid && brush->colour == b.colour) ||
         (b.kind == CBrush::Pattern && brush->pattern == b.pattern));
    if (same) return;
    brush = b;
    if (!fills) {
        Simple(EMR_SELECTOBJECT, kNullBrush);
        if (brushSlot != 0) Simple(EMR_DELETEOBJECT, brushSlot);
        brushSlot = 0;
        return;
    }
    const uint32_t slot = brushSlot == kBrushSlots ? kBrushSlots + 1 : kBrushSlots;
    if (b.kind == CBrush::Solid) {
        if (!Room(24)) return;
        const size_t r = Begin(EMR_CREATEBRUSHINDIRECT);
        Put(slot);
        Put(0); // BS_SOLID
        Put(b.colour & 0xFFFFFF);
        Put(0);
        End(r);
    } else {
        // The 16 x 16 tile as a packed bitmap of 24 bits, rows bottom-up.
        constexpr uint32_t kBmi = 40, kBits = 16 * 48, kFixed = 32;
        if (!Room(kFixed + kBmi + kBits)) return;
        const size_t r = Begin(EMR_CREATEDIBPATTERNBRUSHPT);
        Put(slot);
        Put(0); // DIB_RGB_COLORS
        Put(kFixed), Put(kBmi), Put(kFixed + kBmi), Put(kBits);
        Put(40), PutI(16), PutI(16), Put(1 | (24u << 16)), Put(0), Put(kBits), Put(0), Put(0),
            Put(0), Put(0);
        for (int y = 15; y >= 0; --y)
            for (int x = 0; x < 16; ++x) {
                const ColourRef c = (*b.pattern)[static_cast<size_t>(y * 16 + x)];
                data.push_back(static_cast<unsigned char>(BlueOf(c)));
                data.push_back(static_cast<unsigned char>(GreenOf(c)));
                data.push_back(static_cast<unsigned char>(RedOf(c)));
            }
        End(r);
    }
    SelectCreated(brushSlot, kBrushSlots);
}

CFontDesc CEmfSurface::ResolvedFont() const {
    CFontDesc f = Font();
    f.height = FontHeight(f);
    f.pointTenths = 0;
    // A height of 0 is drawn as the screen draws it: a cell of 16.
    if (f.height == 0) f.height = 16;
    // The screen draws a font without a face in Arial's metrics; a reader would pick
    // a default of its own.
    if (f.face.find_first_not_of(' ') == std::string::npos) f.face = "Arial";
    if (f.weight <= 0) f.weight = 400;
    f.weight = std::min(f.weight, 1000);
    return f;
}

void CEmfSurface::UseFont() {
    const CFontDesc want = ResolvedFont();
    if (font && *font == want) return;
    font = want;
    if (!Room(12 + kLogFontPanose)) return;
    const uint32_t slot = fontSlot == kFontSlots ? kFontSlots + 1 : kFontSlots;
    const size_t r = Begin(EMR_EXTCREATEFONTINDIRECTW);
    Put(slot);
    const size_t logFont = data.size();
    PutI(want.height);
    PutI(0); // average width: the face's own
    PutI(want.escapement % 3600);
    PutI(want.escapement % 3600); // the characters turn with the line
    PutI(want.weight);
    // Italic, underline, strike-out, character set (default), precisions, quality, pitch.
    data.push_back(want.italic ? 1 : 0);
    data.push_back(0);
    data.push_back(0);
    data.push_back(1);
    data.insert(data.end(), 4, 0);
    std::u16string face;
    for (const CChar& c : DecodeText(want.face))
        AppendUtf16(face, c.code);
    face.resize(std::min<size_t>(face.size(), 31));
    for (size_t i = 0; i < 32; ++i) {
        const char16_t u = i < face.size() ? face[i] : 0;
        data.push_back(static_cast<unsigned char>(u));
        data.push_back(static_cast<unsigned char>(u >> 8));
    }
    // The rest of the panose form (full name, style, version...) is left empty.
    data.resize(logFont + kLogFontPanose, 0);
    End(r);
    SelectCreated(fontSlot, kFontSlots);
}

void CEmfSurface::UseBkMode(int mode) {
    if (bkMode == mode) return;
    bkMode = mode;
    Simple(EMR_SETBKMODE, static_cast<uint32_t>(mode));
}

void CEmfSurface::UseTextColour() {
    if (textColour == TextColor()) return;
    textColour = TextColor();
    Simple(EMR_SETTEXTCOLOR, TextColor() & 0xFFFFFF);
}

void CEmfSurface::UseBkColour() {
    if (bkColour == BkColor()) return;
    bkColour = BkColor();
    Simple(EMR_SETBKCOLOR, BkColor() & 0xFFFFFF);
}

void CEmfSurface::UseTextAlign() {
    if (textAlign == TextAlign()) return;
    textAlign = TextAlign();
    Simple(EMR_SETTEXTALIGN, TextAlign());
}

// --- drawing ---

void CEmfSurface::Poly(uint32_t type16, uint32_t type32, const CPoint* points, size_t count) {
    long long l = points[0].x, t = points[0].y, r = l, b = t;
    for (size_t i = 1; i < count; ++i) {
        l = std::min<long long>(l, points[i].x), r = std::max<long long>(r, points[i].x);
        t = std::min<long long>(t, points[i].y), b = std::max<long long>(b, points[i].y);
    }
    const bool small = l >= INT16_MIN && r <= INT16_MAX && t >= INT16_MIN && b <= INT16_MAX;
    if (!Room(28 + count * (small ? 4 : 8))) return;
    const size_t rec = Begin(small ? type16 : type32);
    PutRect({ClampInt(l), ClampInt(t), ClampInt(r), ClampInt(b)});
    Put(static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        if (small) {
            Put((static_cast<uint32_t>(points[i].x) & 0xFFFF) |
                (static_cast<uint32_t>(points[i].y) << 16));
        } else {
            PutI(points[i].x);
            PutI(points[i].y);
        }
    }
    End(rec);
}

void CEmfSurface::Polyline(const CPoint* points, size_t count) {
    if (count == 0) return;
    MoveTo(points[count - 1].x, points[count - 1].y);
    if (count < 2 || Pen().style == PS_NULL) return;
    // A dense curve keeps a few points a row, as the printer draws it.
    if (RowsCollapse(Pen(), false)) points = CollapseRows(points, count, collapsed);
    // Styled lines leave their gaps alone, as they do on the screen.
    UseBkMode(BK_TRANSPARENT);
    UsePen();
    for (size_t s = 0; s + 1 < count; s += kPolylinePiece)
        Poly(EMR_POLYLINE16, EMR_POLYLINE, points + s, std::min(kPolylinePiece + 1, count - s));
}

void CEmfSurface::DrawLine(CPoint from, CPoint to) {
    const CPoint pts[2] = {from, to};
    Polyline(pts, 2);
}

bool CEmfSurface::Paints() const {
    return Pen().style != PS_NULL || Brush().kind == CBrush::Solid ||
           (Brush().kind == CBrush::Pattern && Brush().pattern);
}

void CEmfSurface::Polygon(const CPoint* points, size_t count) {
    if (count < 2 || !Paints()) return;
    if (RowsCollapse(Pen(), true)) points = CollapseRows(points, count, collapsed);
    UseBkMode(BK_TRANSPARENT);
    UsePen();
    UseBrush(Brush());
    Poly(EMR_POLYGON16, EMR_POLYGON, points, count);
}

// Readers differ in how far they follow pattern brushes; a bitmap of the tiles every
// reader shows. Tiles line up with the logical origin, as on the screen.
void CEmfSurface::PatternFill(const CRect& area) {
    const CRect box = area.Intersect(ClipBox());
    if (box.IsEmpty()) return;
    const CPatternTile& tile = *Brush().pattern;
    // A 16 x 16 tile has at most 256 colours: one byte a pixel.
    std::vector<ColourRef> colours;
    std::array<unsigned char, 256> index{};
    for (size_t i = 0; i < tile.size(); ++i) {
        const ColourRef c = tile[i] & 0xFFFFFF;
        const auto at = std::find(colours.begin(), colours.end(), c);
        index[i] = static_cast<unsigned char>(at - colours.begin());
        if (at == colours.end()) colours.push_back(c);
    }
    const size_t w = static_cast<size_t>(box.Width()), h = static_cast<size_t>(box.Height());
    const size_t rowBytes = (w + 3) & ~size_t{3};
    const size_t bmi = 40 + 4 * colours.size();
    if (h > kMaxBytes / rowBytes || !Room(80 + bmi + rowBytes * h)) return;
    const size_t r = Begin(EMR_STRETCHDIBITS);
    PutRect({box.left, box.top, box.right - 1, box.bottom - 1});
    PutI(box.left), PutI(box.top), PutI(0), PutI(0), PutI(box.Width()), PutI(box.Height());
    Put(80), Put(static_cast<uint32_t>(bmi));
    Put(static_cast<uint32_t>(80 + bmi)), Put(static_cast<uint32_t>(rowBytes * h));
    Put(0); // DIB_RGB_COLORS
    Put(kSrcCopy);
    PutI(box.Width()), PutI(box.Height());
    Put(40), PutI(box.Width()), PutI(box.Height()), Put(1 | (8u << 16)), Put(0);
    Put(static_cast<uint32_t>(rowBytes * h)), Put(0), Put(0);
    Put(static_cast<uint32_t>(colours.size())), Put(0);
    for (const ColourRef c : colours)
        Put(BlueOf(c) | GreenOf(c) << 8 | RedOf(c) << 16);
    const auto wrap = [](long long v) { return static_cast<size_t>(((v % 16) + 16) % 16); };
    for (size_t row = h; row-- > 0;) { // bottom-up
        const size_t ty = wrap(static_cast<long long>(box.top) + static_cast<long long>(row));
        const size_t start = data.size();
        for (size_t x = 0; x < w; ++x)
            data.push_back(index[ty * 16 + wrap(static_cast<long long>(box.left) +
                                                static_cast<long long>(x))]);
        data.resize(start + rowBytes, 0);
    }
    End(r);
}

void CEmfSurface::Rectangle(int left, int top, int right, int bottom) {
    if (!Paints()) return;
    UseBkMode(BK_TRANSPARENT);
    if (Brush().kind == CBrush::Pattern && Brush().pattern) {
        PatternFill({std::min(left, right), std::min(top, bottom), std::max(left, right),
                     std::max(top, bottom)});
        if (Pen().style == PS_NULL) return;
        UsePen();
        UseBrush(CBrush::NullBrush());
    } else {
        UsePen();
        UseBrush(Brush());
    }
    if (!Room(24)) return;
    const size_t r = Begin(EMR_RECTANGLE);
    PutRect({left, top, right, bottom});
    End(r);
}

void CEmfSurface::Ellipse(int left, int top, int right, int bottom) {
    if (!Paints()) return;
    UseBkMode(BK_TRANSPARENT);
    UsePen();
    UseBrush(Brush());
    if (!Room(24)) return;
    const size_t r = Begin(EMR_ELLIPSE);
    PutRect({left, top, right, bottom});
    End(r);
}

CSize CEmfSurface::GetTextExtent(std::string_view text) {
    if (text.empty()) return {0, platform.MeasureText(ResolvedFont(), "X").cy};
    return platform.MeasureText(ResolvedFont(), text);
}

void CEmfSurface::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    const std::vector<CChar> chars = DecodeText(text);
    // The reader places each character where the screen would: the advance of every
    // character, the last one taking up what rounding left over.
    const CFontDesc f = ResolvedFont();
    std::u16string units;
    std::vector<int32_t> dx;
    units.reserve(chars.size());
    dx.reserve(chars.size());
    long long sum = 0;
    for (const CChar& c : chars) {
        const int w = platform.MeasureText(f, text.substr(c.start, c.length)).cx;
        AppendUtf16(units, c.code);
        dx.push_back(w);
        if (units.size() > dx.size()) dx.push_back(0); // the second half of a surrogate pair
        sum += w;
    }
    const CSize whole = platform.MeasureText(f, text);
    dx.back() = ClampInt(dx.back() + (whole.cx - sum));
    if (dx.back() < 0) dx.back() = 0;

    UseBkMode(BkMode());
    if (BkMode() == BK_OPAQUE) UseBkColour();
    UseTextColour();
    UseTextAlign();
    UseFont();
    const size_t stringBytes = (units.size() * 2 + 3) & ~size_t{3};
    if (!Room(76 + stringBytes + dx.size() * 4)) return;
    const size_t r = Begin(EMR_EXTTEXTOUTW);
    // The box the text may cover, whatever its alignment and angle, within the page:
    // readers that size the picture by its records' boxes then size it as the page.
    const long long reach = static_cast<long long>(whole.cx) + whole.cy;
    const auto within = [](long long v, int lo, int hi) {
        return static_cast<int>(std::clamp<long long>(v, lo, std::max(lo, hi)));
    };
    const int right = std::max(page.left, page.right - 1), bottom = std::max(page.top, page.bottom - 1);
    PutRect({within(x - reach, page.left, right), within(y - reach, page.top, bottom),
             within(x + reach, page.left, right), within(y + reach, page.top, bottom)});
    Put(kCompatible);
    const float ex = 2540.0f / resX, ey = 2540.0f / resY;
    uint32_t bits = 0;
    std::memcpy(&bits, &ex, 4);
    Put(bits);
    std::memcpy(&bits, &ey, 4);
    Put(bits);
    PutI(x), PutI(y);
    Put(static_cast<uint32_t>(units.size()));
    Put(76); // the string follows the fixed part
    Put(0);  // no options: the rectangle is not used
    PutRect({0, 0, 0, 0});
    Put(static_cast<uint32_t>(76 + stringBytes));
    for (const char16_t u : units) {
        data.push_back(static_cast<unsigned char>(u));
        data.push_back(static_cast<unsigned char>(u >> 8));
    }
    while ((data.size() - r) % 4 != 0)
        data.push_back(0);
    for (const int32_t d : dx)
        PutI(d);
    End(r);
}

void CEmfSurface::SetClipRect(const CRect& rect) {
    // Back to no clipping, then the rectangle: the pair replaces whatever clip there was.
    RemoveClip();
    clip = rect;
    if (!Room(24)) return;
    const size_t r = Begin(EMR_INTERSECTCLIPRECT);
    PutRect(rect);
    End(r);
}

void CEmfSurface::RemoveClip() {
    clip.reset();
    if (!Room(16)) return;
    const size_t r = Begin(EMR_EXTSELECTCLIPRGN);
    Put(0); // no region: with RGN_COPY, the default clip
    Put(kRgnCopy);
    End(r);
}

CRect CEmfSurface::ClipBox() const {
    if (!clip) return page;
    const CRect box = clip->Intersect(page);
    return box;
}

bool CEmfSurface::Finish(std::string& out, std::string& error) {
    std::u16string text;
    for (const CChar& c : DecodeText(description))
        AppendUtf16(text, c.code);
    // The description ends with two NULs.
    text.push_back(0);
    text.push_back(0);
    const size_t headerBytes = kHeaderSize + ((text.size() * 2 + 3) & ~size_t{3});
    const size_t total = headerBytes + data.size() + 20;
    if (overflow || total > kMaxBytes) {
        error = "the drawing is too large for a metafile";
        return false;
    }
    std::vector<unsigned char> head;
    head.reserve(headerBytes);
    const auto put = [&head](uint32_t v) {
        for (int k = 0; k < 4; ++k)
            head.push_back(static_cast<unsigned char>(v >> (8 * k)));
    };
    const auto putRect = [&put](const CRect& r) {
        put(static_cast<uint32_t>(r.left)), put(static_cast<uint32_t>(r.top));
        put(static_cast<uint32_t>(r.right)), put(static_cast<uint32_t>(r.bottom));
    };
    put(EMR_HEADER);
    put(static_cast<uint32_t>(headerBytes));
    // Bounds and frame are inclusive of both edges.
    putRect({page.left, page.top, std::max(page.left, page.right - 1),
             std::max(page.top, page.bottom - 1)});
    putRect(frame);
    put(kSignature);
    put(0x10000);
    put(static_cast<uint32_t>(total));
    put(records + 2); // with the header and the end
    put(kHandles);    // the table size in the low half, a reserved zero above it
    put(static_cast<uint32_t>(text.size()));
    put(kHeaderSize);
    put(0); // no palette
    // The reference screen: a metre of it, in pixels at the page's resolution, so the
    // reader maps pixels to millimetres as the frame does.
    put(static_cast<uint32_t>(std::lround(resX * 1000 / 25.4))),
        put(static_cast<uint32_t>(std::lround(resY * 1000 / 25.4)));
    put(1000), put(1000);
    put(0), put(0), put(0); // no pixel format, no OpenGL
    put(1000000), put(1000000);
    for (const char16_t u : text) {
        head.push_back(static_cast<unsigned char>(u));
        head.push_back(static_cast<unsigned char>(u >> 8));
    }
    head.resize(headerBytes, 0);

    out.clear();
    out.reserve(total);
    out.append(reinterpret_cast<const char*>(head.data()), head.size());
    out.append(reinterpret_cast<const char*>(data.data()), data.size());
    // The end record: no palette entries; its size repeated last.
    const uint32_t eof[5] = {EMR_EOF, 20, 0, 16, 20};
    for (const uint32_t v : eof)
        for (int k = 0; k < 4; ++k)
            out.push_back(static_cast<char>(v >> (8 * k)));
    return true;
}
