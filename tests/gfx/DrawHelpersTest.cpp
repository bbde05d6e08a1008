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

TEST(DrawHelpers, FittedTextTurnsAndShrinks) {
    CRecordingSurface dc;
    CFontDesc f;
    MakeFont(f, "Arial", 12, false);
    dc.SelectFont(f);

    DrawFittedText(dc, {0, 0, 20, 100}, "Brent"); // taller than wide: upward
    const CRecordedOp& up = dc.ops.back();
    EXPECT_EQ(up.font.escapement, 900);
    EXPECT_EQ(up.at, (CPoint{(12 + 20) / 2, 50}));
    EXPECT_EQ(dc.Font(), f); // the font is restored

    DrawFittedText(dc, {0, 0, 100, 20}, "Brent");
    EXPECT_EQ(dc.ops.back().at, (CPoint{50, (12 + 20) / 2}));

    DrawFittedText(dc, {0, 0, 30, 10}, "A very long formation name");
    EXPECT_EQ(dc.ops.back().fontHeight, 6); // shrunk as far as it goes, drawn anyway

    DrawRotatedText(dc, 5, 6, "Depth");
    EXPECT_EQ(dc.ops.back().font.escapement, 900);
    EXPECT_EQ(dc.Font().escapement, 0);
    EXPECT_EQ(TextHeight(dc), 12);
}

TEST(DrawHelpers, SymbolsAreTakenModulo22) {
    CRecordingSurface dc;
    DrawSymbol(dc, 23, 4, 100, 200); // 23 is the square of 1
    ASSERT_EQ(dc.ops.size(), 1u);
    EXPECT_EQ(dc.ops[0].kind, CRecordedOp::Rectangle);
    EXPECT_EQ(dc.ops[0].rect, (CRect{96, 196, 105, 205}));

    dc.Clear();
    DrawSymbol(dc, -3, 4, 100, 200); // a negative id is the circle
    EXPECT_EQ(dc.ops[0].kind, CRecordedOp::Ellipse);

    dc.Clear();
    DrawSymbol(dc, 8, 6, 0, 0); // t = 2
    EXPECT_EQ(dc.ops[0].points, (std::vector<CPoint>{{0, -6}, {2, -2}, {6, 0}, {2, 2}, {0, 6},
                                                     {-2, 2}, {-6, 0}, {-2, -2}}));
    dc.Clear();
    DrawSymbol(dc, 7, 4, 0, 0); // circle with a cross: an ellipse and two lines
    ASSERT_EQ(dc.ops.size(), 3u);
    EXPECT_EQ(dc.ops[1].points, (std::vector<CPoint>{{-4, 0}, {4, 0}}));
    EXPECT_EQ(dc.ops[2].points, (std::vector<CPoint>{{0, 4}, {0, -4}}));

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
