// The generator makes the same bytes on every run (the embedded files come from another
// process, run by the build), and the icons reach the program as the backends take them.

#include <gtest/gtest.h>

#include <vector>

#include "AssetFiles.h"
#include "assets/Assets.h"

namespace assets::testing {
namespace {

std::vector<uint8_t> Copy(std::span<const uint8_t> bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(GeneratorTest, RunsAgainGiveTheEmbeddedBytes) {
    const assetgen::AssetFiles first = assetgen::GenerateAssets(false);
    const assetgen::AssetFiles second = assetgen::GenerateAssets(false);
    EXPECT_TRUE(first == second);
    EXPECT_TRUE(first.at(assetgen::kMainFormFile) == Copy(MainFormDescription()));
    EXPECT_TRUE(first.at(assetgen::kAboutFormFile) == Copy(AboutFormDescription()));
    EXPECT_EQ(first.count("leaf5.ico"), 1u);
    EXPECT_EQ(first.count("docs/assets-leafstrip.png"), 0u);
}

TEST(GeneratorTest, IconsAreBlackWhereTheirMaskIsWhiteAndTheLeavesDiffer) {
    const std::vector<platform::Icon> icons = ProgramIcons();
    ASSERT_EQ(icons.size(), size_t(kProgramIconCount));
    for (size_t i = 0; i < icons.size(); ++i) {
        const platform::Icon& icon = icons[i];
        ASSERT_EQ(icon.image.Width(), 32);
        ASSERT_EQ(icon.image.Height(), 32);
        ASSERT_TRUE(icon.mask.Monochrome());
        size_t transparent = 0;
        for (int32_t y = 0; y < 32; ++y) {
            for (int32_t x = 0; x < 32; ++x) {
                if (icon.mask.GetPixel(x, y) == gfx::kWhite) {
                    ++transparent;
                    EXPECT_EQ(icon.image.GetPixel(x, y), gfx::kBlack) << i << " " << x << "," << y;
                }
            }
        }
        EXPECT_GT(transparent, 0u) << i;
        EXPECT_LT(transparent, 32u * 32u - 128u) << "icon " << i << " shows too little";
        for (size_t other = 1; other < i; ++other) {
            bool differ = false;
            for (int32_t p = 0; p < 32 * 32 && !differ; ++p) {
                differ = icon.image.GetPixel(p % 32, p / 32) !=
                         icons[other].image.GetPixel(p % 32, p / 32);
            }
            EXPECT_TRUE(differ) << "leaf icons " << other << " and " << i << " are the same";
        }
    }
}

}  // namespace
}  // namespace assets::testing
