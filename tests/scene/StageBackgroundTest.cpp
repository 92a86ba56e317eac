#include "scene/StageBackground.h"

#include <gtest/gtest.h>

namespace scene {
namespace {

TEST(StageBackgroundTest, TilesFromTheTopLeftCornerAndClipsTheRest) {
    gfx::Bitmap tile(3, 2);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            tile.SetPixel(x, y, static_cast<gfx::Pixel>(10 * y + x + 1));
        }
    }
    gfx::Bitmap dest(7, 5);
    TileBitmap(dest, tile);
    for (int32_t y = 0; y < 5; ++y) {
        for (int32_t x = 0; x < 7; ++x) {
            EXPECT_EQ(dest.GetPixel(x, y), tile.GetPixel(x % 3, y % 2)) << x << "," << y;
        }
    }
    gfx::Bitmap small(2, 1);
    small.Fill(gfx::kWhite);
    TileBitmap(small, tile);
    EXPECT_EQ(small.GetPixel(1, 0), tile.GetPixel(1, 0));
    TileBitmap(small, gfx::Bitmap());  // an empty tile changes nothing
    EXPECT_EQ(small.GetPixel(1, 0), tile.GetPixel(1, 0));
}

TEST(StageBackgroundTest, MaskIsCentredOnTheScreen) {
    gfx::Bitmap mask(600, 400, gfx::PixelFormat::Mono);
    mask.Fill(gfx::kWhite);
    mask.SetPixel(300, 200, gfx::kBlack);  // the mask's centre
    mask.SetPixel(0, 0, gfx::kBlack);
    EXPECT_TRUE(IsOnMask(mask, 1024, 768, 512, 384));
    EXPECT_FALSE(IsOnMask(mask, 1024, 768, 513, 384));
    EXPECT_TRUE(IsOnMask(mask, 1024, 768, 212, 184));
    // More than 300 pixels left or 200 above the centre is off the mask.
    EXPECT_FALSE(IsOnMask(mask, 1024, 768, 211, 184));
    EXPECT_FALSE(IsOnMask(mask, 1024, 768, 212, 183));
    EXPECT_FALSE(IsOnMask(mask, 1024, 768, -5000, 40000));
}

}  // namespace
}  // namespace scene
