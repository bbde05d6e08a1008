#include "gfx/RecordingSurface.h"
#include "gfx/DrawHelpers.h"

#include <gtest/gtest.h>

TEST(DrawHelpers, TrackClippingOnlyOnceSwitchedOnAndFollowsThePreviewPage) {
    CRecordingSurface dc;
    SetTrackClipping(0);
    ClipToTrack(dc, {10, 10, 50, 50});
    EXPECT_TRUE(dc.OfKind(CRecordedOp::Clip).empty());

    SetTrackClipping(1);
    ClipToTrack(dc, {10, 10, 50, 50});
    EXPECT_EQ(dc.ClipBox(), (CRect{10, 10, 50, 50}));
    RemoveTrackClip(dc);
    EXPECT_EQ(dc.OfKind(CRecordedOp::Unclip).size(), 1u);

    // In a print preview the page stays the outer limit.
    dc.SetPrintPreview(true);
    dc.SetPageRect({0, 0, 40, 40});
    dc.SetClipRect(dc.PageRect());
    ClipToTrack(dc, {10, 10, 50, 50});
    EXPECT_EQ(dc.ClipBox(), (CRect{10, 10, 40, 40}));
    RemoveTrackClip(dc);
    EXPECT_EQ(dc.ClipBox(), (CRect{0, 0, 40, 40}));
}

// Text taller than wide turns upward, too long shrinks as far as it goes and is drawn
// anyway; the font is restored after each.
TEST(DrawHelpers, FittedTextTurnsAndShrinks) {
    CRecordingSurface dc;
    CFontDesc f;
    MakeFont(f, "Arial", 12, false);
    dc.SelectFont(f);
    DrawFittedText(dc, {0, 0, 20, 100}, "Brent");
    EXPECT_EQ(dc.ops.back().font.escapement, 900);
    EXPECT_EQ(dc.ops.back().at, (CPoint{(12 + 20) / 2, 50}));
    DrawFittedText(dc, {0, 0, 100, 20}, "Brent");
    EXPECT_EQ(dc.ops.back().font.escapement, 0);
    DrawFittedText(dc, {0, 0, 30, 10}, "A very long formation name");
    EXPECT_EQ(dc.ops.back().fontHeight, 6);
    EXPECT_EQ(dc.Font(), f);

    DrawRotatedText(dc, 5, 6, "Depth");
    EXPECT_EQ(dc.ops.back().font.escapement, 900);
    EXPECT_EQ(dc.Font().escapement, 0);
    EXPECT_EQ(TextHeight(dc), 12);
}

// Ids are taken modulo the count, a negative one is the circle, and every symbol stays
// within its size of the centre.
TEST(DrawHelpers, SymbolsAreTakenModulo22) {
    CRecordingSurface dc;
    DrawSymbol(dc, 23, 4, 100, 200); // 23 is the square of 1
    ASSERT_EQ(dc.ops.size(), 1u);
    EXPECT_EQ(dc.ops[0].kind, CRecordedOp::Rectangle);
    EXPECT_EQ(dc.ops[0].rect, (CRect{96, 196, 105, 205}));
    dc.Clear();
    DrawSymbol(dc, -3, 4, 100, 200);
    EXPECT_EQ(dc.ops[0].kind, CRecordedOp::Ellipse);

    for (int id = 0; id < kSymbolCount; ++id) {
        dc.Clear();
        DrawSymbol(dc, id, 5, 50, 50);
        EXPECT_FALSE(dc.ops.empty()) << id;
        for (const auto& op : dc.ops)
            for (const CPoint& p : op.points) {
                EXPECT_LE(std::abs(p.x - 50), 6) << id;
                EXPECT_LE(std::abs(p.y - 50), 6) << id;
            }
    }
}
