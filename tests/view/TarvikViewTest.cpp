#include "doc/TarvikDoc.h"
#include "gfx/RecordingSurface.h"
#include "support/ScriptedPlatform.h"
#include "tracks/DataTrack.h"
#include "tracks/LogTrack.h"
#include "view/TarvikView.h"

#include <gtest/gtest.h>

namespace {

struct ViewFixture : ::testing::Test {
    CScriptedPlatform platform;
    CTarvikDoc doc{platform};
    CTarvikView view{doc};
    CRecordingSurface dc;

    template <typename T = CLogTrack> T& Add(float width, int overlay = 0) {
        auto t = std::make_unique<T>();
        t->width = width;
        t->overlay = overlay;
        doc.BindToDepthAxis(*t, kMeters);
        doc.tracks.push_back(std::move(t));
        return static_cast<T&>(*doc.tracks.back());
    }
};

} // namespace

TEST_F(ViewFixture, OverlaysTakeNoWidthAndWidthsRoundToPixels) {
    // Two tracks of 1.5 in and an overlay: 4 in with the margins; the overlay shares
    // its host's rectangle.
    view.SetResolution(96, 96);
    Add(1.5f);
    Add(1.5f);
    Add(1.5f, 1);
    view.RecalcLayout();
    EXPECT_FLOAT_EQ(doc.docWidth, 4.0f);
    view.DrawPage(dc, view.PageRect());
    EXPECT_EQ(doc.tracks[2]->rect, doc.tracks[1]->rect);
    EXPECT_EQ(doc.tracks[1]->overlayCount, 1);

    // An overlay in first position is an ordinary track; 1.5 in at 83 dpi is 124.5
    // pixels: 125.
    doc.tracks[0]->overlay = 1;
    view.SetResolution(83, 83);
    view.RecalcLayout();
    view.DrawPage(dc, view.PageRect());
    EXPECT_EQ(doc.tracks[0]->overlayPosition, 0);
    EXPECT_EQ(doc.tracks[0]->rect.Width(), 125);
}

TEST_F(ViewFixture, MarkersAreDrawnOnTheTracksBelowThePlotTop) {
    view.SetResolution(96, 96);
    CLogTrack& log = Add(1.5f);
    Add<CDataTrack>(1.5f);
    doc.EnsureDepthAxisTrack(kMeters);
    doc.meterAxis.min = 1000;
    doc.meterAxis.max = 2000;
    doc.markers.push_back({1000, 1000, 0xFF}); // exactly at the plot top: not drawn
    doc.markers.push_back({1500, 1600, 0xFF});
    view.RecalcLayout();
    view.DrawPage(dc, view.PageRect());
    // One marker line on the log and the data track each, none on the ruler; inside
    // the track's frame.
    const int y = doc.meterAxis.ValueToPixel(1500);
    size_t markerLines = 0, onLog = 0;
    for (const auto* op : dc.OfKind(CRecordedOp::Line)) {
        if (op->pen.style != PS_DOT || op->pen.colour != MakeRGB(240, 100, 100)) continue;
        ++markerLines;
        onLog += op->points[0] == CPoint{log.rect.left + 1, y} && op->points[1] == CPoint{log.rect.right - 1, y};
    }
    EXPECT_EQ(markerLines, 2u);
    EXPECT_EQ(onLog, 1u);
}

TEST(Printing, SheetCountAndMapping) {
    CPrinterPage letter{3300, 2550, 150, 300}; // 11 in with 0.5 in offsets: 10 in printable
    EXPECT_EQ(PrintPageCount(0.5f, 9, CPrinterPage{}), 1); // no printer figures

    const CRect page{0, 0, 384, 2064}; // 4 x 21.5 in at 96 dpi
    const CSheetMapping m = SheetMapping(2, page, 21.5f, letter);
    // 10 in of the 21.5 in page per sheet: 2064 * 3000 / 6450 = 960 page pixels.
    EXPECT_EQ(m.windowOrigin, (CPoint{0, 960}));
    EXPECT_EQ(m.windowExtent, (CSize{384, 2064}));
    EXPECT_EQ(m.viewportExtent, (CSize{2550, 6450}));
}
