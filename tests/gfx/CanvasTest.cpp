// Canvas state and its two copy calls.

#include <gtest/gtest.h>

#include "TestBitmaps.h"
#include "gfx/Bitmap.h"

namespace gfx {
namespace {

TEST(Canvas, ColourSettersReturnThePreviousColour) {
    Bitmap bitmap(2, 2);
    Canvas& canvas = bitmap.GetCanvas();
    EXPECT_EQ(canvas.SetBackgroundColour(0x0000FF), kWhite);
    EXPECT_EQ(canvas.SetBackgroundColour(kBlack), 0x0000FFu);
    EXPECT_EQ(canvas.SetTextColour(0x123456), kBlack);
    EXPECT_EQ(canvas.TextColour(), 0x123456u);
    EXPECT_EQ(canvas.SelectPalette(7, true), 0u);
    EXPECT_EQ(canvas.SelectPalette(0, true), 7u);
}

TEST(Canvas, ClipBoxIsTheBitmapOrTheClipInsideIt) {
    Bitmap bitmap(10, 6);
    Canvas& canvas = bitmap.GetCanvas();
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 10, 6}));
    canvas.SetClipRect(Rect{-5, 2, 4, 20});
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 2, 4, 6}));
    canvas.SetClipRect(std::nullopt);
    EXPECT_EQ(canvas.ClipBox(), (Rect{0, 0, 10, 6}));
}

TEST(Canvas, CopyRectWithExchangedEdgesMirrors) {
    Bitmap source = test::ColourFromRows({"000001 000002 000003"});
    Bitmap dest(5, 1);
    // Left and right exchanged: origin 4, extent -3, covering columns 2 .. 4.
    dest.GetCanvas().CopyRect(Rect{4, 0, 1, 1}, source.GetCanvas(), Rect{0, 0, 3, 1});
    EXPECT_EQ(test::Difference(test::ColourFromRows({"ffffff ffffff 000003 000002 000001"}), dest),
              "");
}

TEST(Canvas, DrawCopiesTheWholeSourceWithTheCopyMode) {
    Bitmap source = test::ColourFromRows({"00ff00 ff00ff"});
    Bitmap dest = test::ColourFromRows({"0f0f0f 0f0f0f 0f0f0f"});
    dest.GetCanvas().SetCopyMode(Rop::SrcPaint);
    dest.GetCanvas().Draw(1, 0, source);
    EXPECT_EQ(test::Difference(test::ColourFromRows({"0f0f0f 0fff0f ff0fff"}), dest), "");
}

}  // namespace
}  // namespace gfx
