#include <gtest/gtest.h>

#include <string>

#include "host/CaptionFont.h"

namespace host {
namespace {

std::string Row(const gfx::Bitmap& bitmap, int32_t y) {
    std::string row;
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
        row.push_back(bitmap.GetPixel(x, y) == gfx::kBlack ? '#' : '.');
    }
    return row;
}

gfx::Bitmap Drawn(const std::string& text, const gfx::Rect& clip = {0, 0, 100, 100}) {
    gfx::Bitmap bitmap(CaptionTextWidth(text), kCaptionGlyphHeight);
    bitmap.Fill(gfx::kWhite);
    DrawCaptionText(bitmap, clip, 0, 0, text, gfx::kBlack);
    return bitmap;
}

// Lower case is drawn as capitals and unknown characters as boxes.
TEST(CaptionFontTest, OkIsDrawnDotForDot) {
    const gfx::Bitmap ok = Drawn("OK");
    EXPECT_EQ(CaptionTextWidth("OK"), 11);
    EXPECT_EQ(Row(ok, 0), ".###..#...#");
    EXPECT_EQ(Row(ok, 3), "#...#.##...");
    EXPECT_EQ(Row(ok, 6), ".###..#...#");
    const gfx::Bitmap lower = Drawn("ok");
    for (int32_t y = 0; y < kCaptionGlyphHeight; ++y) {
        EXPECT_EQ(Row(lower, y), Row(ok, y));
    }
    const gfx::Bitmap box = Drawn("\xe9");
    EXPECT_EQ(Row(box, 0), "#####");
    EXPECT_EQ(Row(box, 3), "#...#");
    EXPECT_EQ(CaptionTextWidth(""), 0);
}

TEST(CaptionFontTest, NothingIsDrawnOutsideTheClip) {
    const gfx::Bitmap clipped = Drawn("OK", {0, 0, 3, 2});
    EXPECT_EQ(Row(clipped, 0), ".##........");
    EXPECT_EQ(Row(clipped, 1), "#..........");
    EXPECT_EQ(Row(clipped, 2), "...........");
}

}  // namespace
}  // namespace host
