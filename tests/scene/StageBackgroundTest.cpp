#include "scene/StageBackground.h"

#include <gtest/gtest.h>

namespace scene {
namespace {

// The tiling itself is checked pixel for pixel under a lifted leaf (LaunchTest); here the
// empty tile, which must change nothing rather than divide by its size.
TEST(StageBackgroundTest, AnEmptyTileChangesNothing) {
    gfx::Bitmap dest(2, 1);
    dest.Fill(gfx::kWhite);
    TileBitmap(dest, gfx::Bitmap());
    EXPECT_EQ(dest.GetPixel(1, 0), gfx::kWhite);
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
