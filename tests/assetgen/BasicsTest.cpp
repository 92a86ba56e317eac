#include <gtest/gtest.h>

#include <set>

#include "DistanceField.h"
#include "FrameTable.h"
#include "Geometry.h"
#include "IndexedImage.h"
#include "Palette.h"
#include "Quantizer.h"
#include "base/Exceptions.h"

namespace assetpaint {
namespace {

void ExpectDistinct256(const Palette& palette) {
    ASSERT_EQ(palette.size(), 256U);
    EXPECT_EQ(std::set<gfx::Pixel>(palette.begin(), palette.end()).size(), 256U);
}

TEST(PaletteTest, TablesHoldDistinctColoursAndTheFixedEntries) {
    ExpectDistinct256(LeafPalette());
    ExpectDistinct256(LogoPalette());
    EXPECT_EQ(LeafPalette()[kLeafBlueIndex], gfx::MakePixel(0, 0, 255));
    EXPECT_EQ(LeafPalette()[kWhiteIndex], gfx::kWhite);
    EXPECT_EQ(LogoPalette()[kTileGreenIndex], gfx::MakePixel(0, 127, 0));
    EXPECT_EQ(LogoPalette()[kTileGreyIndex], gfx::MakePixel(128, 128, 128));
    EXPECT_EQ(LogoPalette()[kTileMossIndex], gfx::MakePixel(85, 95, 85));
    EXPECT_EQ(LogoPalette()[kBlackIndex], gfx::kBlack);
}

TEST(PaletteTest, InksLeaveOutTheColoursWithAMeaning) {
    const std::set<uint8_t> leaf(LeafInks().begin(), LeafInks().end());
    EXPECT_EQ(leaf.count(kLeafBlueIndex), 0U);
    EXPECT_EQ(leaf.count(kWhiteIndex), 0U);
    const std::set<uint8_t> logo(LogoInks().begin(), LogoInks().end());
    for (const uint8_t reserved :
         {kBlackIndex, kWhiteIndex, kTileGreenIndex, kTileGreyIndex, kTileMossIndex}) {
        EXPECT_EQ(logo.count(reserved), 0U) << int{reserved};
    }
}

TEST(PaletteTest, BuilderNudgesRepeatsAndRefusesAnUnfinishedTable) {
    PaletteBuilder builder;
    builder.Place(0, gfx::MakePixel(10, 20, 30));
    builder.Place(1, gfx::MakePixel(10, 20, 30));
    EXPECT_THROW(builder.Place(1, gfx::kWhite), base::EInvalidGraphic);
    EXPECT_THROW(builder.Finish(), base::EInvalidGraphic);
    builder.AddRamp({{0, 0, 0}, {255, 255, 255}}, builder.FreeEntries());
    const Palette palette = builder.Finish();
    EXPECT_NE(palette[0], palette[1]);
    ExpectDistinct256(palette);
}

TEST(QuantizerTest, PicksTheNearestInkOnly) {
    const Palette palette = Vga16Palette();
    const Quantizer q(palette, {1, 9, 15});  // maroon, red, white
    EXPECT_EQ(q.Nearest({250, 5, 5}), 9);
    EXPECT_EQ(q.Nearest({120, 0, 0}), 1);
    EXPECT_EQ(q.Nearest({0, 0, 250}), 1);  // blue itself is not an ink
    EXPECT_THROW(Quantizer(palette, {}), base::EInvalidGraphic);
    EXPECT_THROW(Quantizer(palette, {16}), base::EInvalidGraphic);
}

TEST(FrameTableTest, LeafFramesFollowTheStoredLayout) {
    const FrameTable frames = LeafFrameTable();
    ASSERT_EQ(frames.size(), 80U);
    int32_t x = 0;
    for (const FrameEntry& frame : frames) {
        EXPECT_EQ(frame.x, x) << frame.name;
        EXPECT_EQ(frame.y, 0);
        x += frame.width;
    }
    EXPECT_EQ(StripWidth(frames), 10085);
    EXPECT_EQ(StripHeight(frames), 217);
    EXPECT_EQ(frames[0].name, "blad1_30");
    EXPECT_EQ(frames[0].width, 141);
    EXPECT_EQ(frames[0].height, 104);
    EXPECT_EQ(frames[15].name, "blad1_");
    EXPECT_EQ(frames[16 + 9].name, "blad2_19");
    EXPECT_EQ(frames[48 + 6].name, "blad4_11");
    EXPECT_EQ(frames[48 + 8].name, "blad4_15");
    EXPECT_EQ(frames[48 + 7].name, "blad4_14");
    EXPECT_EQ(frames[64 + 3].name, "blad5_06");
    EXPECT_EQ(frames[64 + 3].height, 217);
    EXPECT_EQ(frames[79].name, "blad5_");
    EXPECT_EQ(frames[1].name, "blad1_02");
}

TEST(FrameTableTest, BadLeafOrPositionFails) {
    EXPECT_THROW(LeafFrameName(0, 0), base::EListError);
    EXPECT_THROW(LeafFrameName(6, 0), base::EListError);
    EXPECT_THROW(LeafFrameName(1, 16), base::EListError);
    const FrameTable logos = LogoFrameTable();
    ASSERT_EQ(logos.size(), 3U);
    EXPECT_EQ(logos[2].name, "bar");
    EXPECT_EQ(logos[2].x, 626);
    EXPECT_EQ(StripWidth(logos), 1122);
    EXPECT_EQ(StripHeight(logos), 350);
}

TEST(IndexedImageTest, ReadsCheckBoundsAndDrawingClips) {
    IndexedImage image(4, 3, 7);
    EXPECT_THROW(IndexedImage(-1, 2), base::EInvalidGraphic);
    EXPECT_THROW(image.At(4, 0), base::EListError);
    EXPECT_THROW(image.At(0, -1), base::EListError);
    image.Set(10, 10, 1);
    image.FillRect(-2, -2, 4, 4, 2);
    EXPECT_EQ(image.Count(2), 4U);
    EXPECT_EQ(image.Crop(0, 0, 2, 2).Count(2), 4U);
    EXPECT_THROW(image.Crop(3, 2, 2, 2), base::EListError);
}

TEST(GeometryTest, PolygonFillCountsPixelCentres) {
    int count = 0;
    FillPolygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}}, 10, 10, [&](int32_t, int32_t) { ++count; });
    EXPECT_EQ(count, 12);
    const Affine map{2, 1, 0, 3, 5, -1};
    const Vec2 back = map.Inverse().Apply(map.Apply({0.7F, -2.0F}));
    EXPECT_NEAR(back.x, 0.7F, 1e-5F);
    EXPECT_NEAR(back.y, -2.0F, 1e-5F);
    EXPECT_THROW((Affine{1, 2, 2, 4, 0, 0}.Inverse()), base::EInvalidGraphic);
}

TEST(DistanceFieldTest, GivesExactSquaredDistances) {
    std::vector<uint8_t> cells(7 * 5, 0);
    cells[2 * 7 + 1] = 1;  // (1, 2)
    const std::vector<float> d = SquaredDistances(cells, 7, 5);
    EXPECT_EQ(d[2 * 7 + 1], 0.0F);
    EXPECT_EQ(d[2 * 7 + 6], 25.0F);
    EXPECT_EQ(d[0 * 7 + 4], 9.0F + 4.0F);
    EXPECT_EQ(d[4 * 7 + 0], 1.0F + 4.0F);
}

}  // namespace
}  // namespace assetpaint
