#include "gfx/RecordingSurface.h"
#include "gfx/DrawHelpers.h"

#include <gtest/gtest.h>

// In a print preview the page stays the outer limit of a track's clip.
TEST(DrawHelpers, TrackClippingFollowsThePreviewPage) {
    CRecordingSurface dc;
    SetTrackClipping(1);
    ClipToTrack(dc, {10, 10, 50, 50});
    EXPECT_EQ(dc.ClipBox(), (CRect{10, 10, 50, 50}));
    RemoveTrackClip(dc);
    EXPECT_EQ(dc.OfKind(CRecordedOp::Unclip).size(), 1u);

    dc.SetPrintPreview(true);
    dc.SetPageRect({0, 0, 40, 40});
    dc.SetClipRect(dc.PageRect());
    ClipToTrack(dc, {10, 10, 50, 50});
    EXPECT_EQ(dc.ClipBox(), (CRect{10, 10, 40, 40}));
    RemoveTrackClip(dc);
    EXPECT_EQ(dc.ClipBox(), (CRect{0, 0, 40, 40}));
}

// Text taller than wide turns upward (wider text and shrinking are the formation
// column's tests); the font is restored after it.
TEST(DrawHelpers, FittedTextTurnsUpward) {
    CRecordingSurface dc;
    CFontDesc f;
    MakeFont(f, "Arial", 12, false);
    dc.SelectFont(f);
    DrawFittedText(dc, {0, 0, 20, 100}, "Brent");
    EXPECT_EQ(dc.ops.back().font.escapement, 900);
    EXPECT_EQ(dc.ops.back().at, (CPoint{(12 + 20) / 2, 50}));
    EXPECT_EQ(dc.Font(), f);
}
