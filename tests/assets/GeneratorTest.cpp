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

TEST(GeneratorTest, IconsAreBlackWhereTheirMaskIsWhite) {
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
    }
}

TEST(GeneratorTest, TheFiveLeafIconsDiffer) {
    const std::vector<platform::Icon> icons = ProgramIcons();
    ASSERT_EQ(icons.size(), 6u);
    for (size_t a = 1; a < icons.size(); ++a) {
        for (size_t b = a + 1; b < icons.size(); ++b) {
            bool differ = false;
            for (int32_t y = 0; y < 32 && !differ; ++y) {
                for (int32_t x = 0; x < 32 && !differ; ++x) {
                    differ = icons[a].image.GetPixel(x, y) != icons[b].image.GetPixel(x, y);
                }
            }
            EXPECT_TRUE(differ) << "leaf icons " << a << " and " << b;
        }
    }
}

}  // namespace
}  // namespace assets::testing
