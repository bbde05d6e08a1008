// The metafile surface, read back record by record as a reader of the format would.
#include "exchange/EmfSurface.h"

#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

struct CRecord {
    uint32_t type;
    std::string_view body; // the whole record
    unsigned Byte(size_t at) const { return static_cast<unsigned char>(body[at]); }
    uint32_t U(size_t at) const { return Byte(at) | Byte(at + 1) << 8 | Byte(at + 2) << 16 | Byte(at + 3) << 24; }
    int32_t I(size_t at) const { return static_cast<int32_t>(U(at)); }
    std::u16string Utf16(size_t at, size_t units) const {
        std::u16string s;
        for (size_t i = 0; i < units; ++i)
            s.push_back(static_cast<char16_t>(Byte(at + 2 * i) | Byte(at + 2 * i + 1) << 8));
        return s;
    }
};

// Splits a metafile into records; fails the test on a record that does not fit.
std::vector<CRecord> Records(const std::string& emf) {
    std::vector<CRecord> out;
    size_t at = 0;
    while (at + 8 <= emf.size()) {
        CRecord r{0, std::string_view(emf).substr(at, 8)};
        const uint32_t size = r.U(4);
        EXPECT_EQ(size % 4, 0u) << "record at " << at;
        if (size < 8 || at + size > emf.size()) {
            ADD_FAILURE() << "record at " << at << " runs past the end";
            break;
        }
        r.type = r.U(0);
        r.body = std::string_view(emf).substr(at, size);
        out.push_back(r);
        at += size;
    }
    EXPECT_EQ(at, emf.size());
    return out;
}

std::vector<CRecord> OfType(const std::vector<CRecord>& all, uint32_t type) {
    std::vector<CRecord> out;
    for (const CRecord& r : all)
        if (r.type == type) out.push_back(r);
    return out;
}

// Text measured at 7 units a byte and 13 high.
class CMeasuringPlatform : public CScriptedPlatform {
  public:
    CSize MeasureText(const CFontDesc&, std::string_view text) override {
        return {static_cast<int>(text.size()) * 7, 13};
    }
};

} // namespace

TEST(EmfSurface, HeaderObjectsAndEnd) {
    CMeasuringPlatform platform;
    CEmfSurface dc(platform, {0, 0, 960, 480}, 80.0f, 100.0f, "Pelorin");
    dc.SelectPen({PS_DASH, 3, MakeRGB(1, 2, 3)}); // wide: drawn solid
    dc.MoveTo(0, 0);
    dc.LineTo(10, 10);
    dc.SelectPen({PS_NULL, 0, 0});
    dc.SelectBrush(CBrush::SolidBrush(MakeRGB(9, 8, 7)));
    dc.Rectangle(1, 2, 3, 4);
    auto tile = std::make_shared<CPatternTile>();
    tile->fill(MakeRGB(255, 0, 0));
    dc.SelectBrush(CBrush::PatternBrush(tile));
    dc.Ellipse(5, 6, 7, 8);
    dc.Rectangle(100, 100, 120, 110); // patterns in rectangles go as bitmaps
    dc.SelectPen({PS_DOT, 0, 0});
    const CPoint far[3] = {{0, 0}, {70000, 5}, {0, 9}};
    dc.Polyline(far, 3);
    dc.SelectBrush(CBrush::NullBrush());
    dc.SelectPen({PS_NULL, 0, 0});
    dc.Rectangle(0, 0, 50, 50); // leaves no mark: not recorded
    std::string emf, error;
    ASSERT_TRUE(dc.Finish(emf, error)) << error;

    const std::vector<CRecord> all = Records(emf);
    ASSERT_GE(all.size(), 3u);
    const CRecord& h = all.front();
    ASSERT_EQ(h.type, 1u);
    // The " EMF" at 40 is ImageExportTest's.
    EXPECT_EQ(h.U(48), emf.size());
    EXPECT_EQ(h.U(52), all.size());
    EXPECT_EQ(h.U(56) & 0xFFFF, 7u);
    // The frame: 960 x 480 pixels at 80 and 100 an inch are 304.8 x 121.92 mm.
    EXPECT_EQ(h.I(32), 30480);
    EXPECT_EQ(h.I(36), 12192);
    EXPECT_EQ(h.Utf16(h.U(64), h.U(60)), std::u16string(u"Pelorin\0\0", 9));
    // The reference screen maps pixels to millimetres as the frame does.
    EXPECT_NEAR(h.U(72) / double(h.U(80)), 80 / 25.4, 0.01);
    EXPECT_NEAR(h.U(76) / double(h.U(84)), 100 / 25.4, 0.01);
    EXPECT_EQ(all.back().type, 14u);
    EXPECT_EQ(all.back().U(16), 20u);

    const auto pens = OfType(all, 38);
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[0].U(12), static_cast<uint32_t>(PS_SOLID));
    EXPECT_EQ(pens[1].U(12), static_cast<uint32_t>(PS_DOT));
    EXPECT_EQ(OfType(all, 39).front().U(16), MakeRGB(9, 8, 7));
    const auto pattern = OfType(all, 94);
    ASSERT_EQ(pattern.size(), 1u);
    EXPECT_EQ(pattern[0].U(28), 16u * 16u * 3u);
    EXPECT_EQ(pattern[0].Byte(pattern[0].U(24) + 2), 255u); // red
    const auto bitmaps = OfType(all, 81);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0].I(72), 20);                             // width
    EXPECT_EQ(bitmaps[0].U(bitmaps[0].U(48) + 14) & 0xFFFF, 8u); // bits a pixel
    EXPECT_EQ(bitmaps[0].U(bitmaps[0].U(48) + 32), 1u);          // one colour: the tile's red
    // Only the solid rectangle: the pattern one has no outline with the null pen.
    EXPECT_EQ(OfType(all, 43).size(), 1u);
    // Coordinates past 16 bits go into the 32-bit polyline; the short line into the 16-bit one.
    EXPECT_EQ(OfType(all, 4).size(), 1u);
    EXPECT_EQ(OfType(all, 87).size(), 1u);
    // The dotted line leaves its gaps alone.
    EXPECT_EQ(OfType(all, 18).front().U(8), static_cast<uint32_t>(BK_TRANSPARENT));

    // Objects are selected once made (or stock), and deleted only when not selected.
    std::set<uint32_t> made;
    std::map<uint32_t, uint32_t> selected; // slot pair -> selected index
    for (const CRecord& r : all) {
        if (r.type == 38 || r.type == 39 || r.type == 94 || r.type == 82) made.insert(r.U(8));
        if (r.type == 37 && !(r.U(8) & 0x80000000u)) {
            EXPECT_TRUE(made.count(r.U(8))) << r.U(8);
            selected[(r.U(8) - 1) / 2] = r.U(8);
        }
        if (r.type == 37 && (r.U(8) & 0x80000000u))
            selected[r.U(8) == 0x80000008u ? 0 : 1] = r.U(8);
        if (r.type == 40) {
            EXPECT_TRUE(made.count(r.U(8)));
            EXPECT_NE(selected[(r.U(8) - 1) / 2], r.U(8));
            made.erase(r.U(8));
        }
        for (const uint32_t i : made) EXPECT_LT(i, 7u);
    }
}

TEST(EmfSurface, TextClipsAndMeasuring) {
    CMeasuringPlatform platform;
    CEmfSurface dc(platform, {0, 0, 500, 500}, 96.0f, 96.0f, "Pelorin");
    CFontDesc f;
    f.face = "Arial";
    f.height = -16;
    f.escapement = 900;
    dc.SelectFont(f);
    dc.SetTextAlign(TA_CENTER | TA_BASELINE);
    dc.SetBkMode(BK_OPAQUE);
    dc.SetBkColor(MakeRGB(1, 1, 1));
    dc.TextOut(10, 20, "\xC3\x98" "1");      // UTF-8
    dc.TextOut(30, 40, "\xD8" "1\x80");      // not UTF-8, so Windows-1252: O with stroke, euro sign
    dc.TextOut(30, 40, "\xF0\x9F\x98\x80"); // beyond 16 bits: a surrogate pair
    f.face = ""; // drawn in Arial's metrics on the screen, so named so
    f.height = -12;
    dc.SelectFont(f);
    dc.TextOut(1, 1, "x");
    dc.SetClipRect({5, 6, 70, 80});
    dc.RemoveClip();
    EXPECT_EQ(dc.ClipBox(), (CRect{0, 0, 500, 500}));
    std::string emf, error;
    ASSERT_TRUE(dc.Finish(emf, error)) << error;
    const std::vector<CRecord> all = Records(emf);

    const auto fonts = OfType(all, 82);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[1].Utf16(40, 6), std::u16string(u"Arial\0", 6));
    EXPECT_EQ(fonts[0].body.size(), 12u + 320u);
    EXPECT_EQ(fonts[0].I(12), -16);
    EXPECT_EQ(fonts[0].I(20), 900);
    EXPECT_EQ(fonts[0].Utf16(40, 6), std::u16string(u"Arial\0", 6));
    EXPECT_EQ(OfType(all, 22).front().U(8), TA_CENTER | TA_BASELINE);
    const auto texts = OfType(all, 84);
    ASSERT_EQ(texts.size(), 4u);
    const std::u16string expected[3] = {u"\u00D81", u"\u00D81\u20AC", u"\U0001F600"};
    for (size_t i = 0; i < 3; ++i) {
        const CRecord& t = texts[i];
        const uint32_t chars = t.U(44);
        EXPECT_EQ(t.Utf16(t.U(48), chars), expected[i]);
        // The advances add up to the width the platform measured for the whole text.
        int sum = 0;
        for (uint32_t k = 0; k < chars; ++k) sum += t.I(t.U(72) + 4 * k);
        EXPECT_EQ(sum, static_cast<int>(i < 2 ? 3 : 4) * 7) << i; // a byte is 7 wide here
    }
    const auto clips = OfType(all, 30);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].I(20), 80);
    EXPECT_EQ(OfType(all, 75).size(), 2u); // each clip change starts from none
}
