#include <gtest/gtest.h>

#include "AssetPaint.h"
#include "DistanceField.h"
#include "LogoStrip.h"
#include "Masks.h"
#include "base/Exceptions.h"
#include "gfx/Bmp.h"

namespace assetpaint {
namespace {

const std::array<gfx::Bitmap, 3>& Masks() {
    static const std::array<gfx::Bitmap, 3> masks = PaintMasks();
    return masks;
}

TEST(MaskTest, MasksHaveTheExactCountAndBoxAndAreStoredWhiteFirst) {
    for (size_t i = 0; i < 3; ++i) {
        const gfx::Bitmap& mask = Masks()[i];
        ASSERT_TRUE(mask.Monochrome());
        ASSERT_EQ(mask.Width(), 600);
        ASSERT_EQ(mask.Height(), 400);
        size_t black = 0;
        PixelBox box{600, 400, -1, -1};
        for (int32_t y = 0; y < 400; ++y) {
            for (int32_t x = 0; x < 600; ++x) {
                if (mask.GetPixel(x, y) == gfx::kBlack) {
                    ++black;
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                           std::max(box.bottom, y)};
                }
            }
        }
        const MaskTarget& target = MaskTargets()[i];
        EXPECT_EQ(black, target.blackPixels) << i;
        EXPECT_EQ(box.left, target.box.left) << i;
        EXPECT_EQ(box.right, target.box.right) << i;
        EXPECT_EQ(box.top, target.box.top) << i;
        EXPECT_EQ(box.bottom, target.box.bottom) << i;
        // Stored with white first and black second, byte for byte again when read back.
        const std::vector<uint8_t> file = gfx::WriteBmp(mask);
        ASSERT_EQ(file.size(), 30462U);
        EXPECT_EQ(file[28], 1);
        const std::vector<uint8_t> table(file.begin() + 54, file.begin() + 62);
        EXPECT_EQ(table, (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 0, 0}));
        EXPECT_EQ(gfx::WriteBmp(gfx::ReadBmp(file)), file);
    }
}

TEST(MaskTest, BlackAreaFollowsTheLogoWithAMargin) {
    const IndexedStrip logos = PaintLogoStripPixels();
    for (size_t i = 0; i < 3; ++i) {
        const IndexedImage shape = LogoShape(logos, i);
        const std::vector<float> distance = SquaredDistances(shape.Pixels(), 600, 400);
        size_t uncovered = 0;
        size_t far = 0;
        size_t near = 0;
        for (int32_t y = 0; y < 400; ++y) {
            for (int32_t x = 0; x < 600; ++x) {
                const bool black = Masks()[i].GetPixel(x, y) == gfx::kBlack;
                const float d = distance[static_cast<size_t>(y * 600 + x)];
                uncovered += (shape.At(x, y) == 1 && !black) ? 1U : 0U;
                far += (black && d > 50.0F * 50.0F) ? 1U : 0U;
                near += (!black && d < 12.0F * 12.0F) ? 1U : 0U;
            }
        }
        EXPECT_EQ(uncovered, 0U) << i;  // the whole logo lies on its mask
        EXPECT_EQ(far, 0U) << i;        // the margin stays under 50 pixels
        EXPECT_EQ(near, 0U) << i;       // and over 12 pixels
    }
    EXPECT_THROW(PaintMaskPixels(logos, 3), base::EListError);
}

}  // namespace
}  // namespace assetpaint
