// The two sprites' frame lists as the main window loads them: what the generator's tables
// hold must come out of the stored description read through the sprite toolkit.

#include <string>

#include "CatalogueFixture.h"
#include "FrameTable.h"
#include "framework/Color.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace assets::testing {
namespace {

constexpr gfx::Pixel kTransparentMark = gfx::kWhite;  // mask bit 1

const sprites::TFrameList& Leaves() {
    return CatalogueTest::Component<sprites::TSprite>("spriteBladeren").FrameList();
}
const sprites::TFrameList& Logos() {
    return CatalogueTest::Component<sprites::TSprite>("spriteLogos").FrameList();
}

void ExpectFrames(const sprites::TFrameList& list, const assetpaint::FrameTable& table) {
    ASSERT_EQ(list.Count(), static_cast<int32_t>(table.size()));
    for (int32_t i = 0; i < list.Count(); ++i) {
        const assetpaint::FrameEntry& wanted = table[static_cast<size_t>(i)];
        const sprites::TFrame& frame = list.Items(i);
        EXPECT_EQ(frame.Name(), wanted.name);
        EXPECT_EQ(frame.SourceRect(),
                  gfx::RectFromSize(wanted.x, wanted.y, wanted.width, wanted.height))
            << wanted.name;
        EXPECT_EQ(list.IndexOf(wanted.name), i) << wanted.name;
    }
    EXPECT_EQ(list.Image().Width(), assetpaint::StripWidth(table));
    EXPECT_EQ(list.Image().Height(), assetpaint::StripHeight(table));
}

TEST_F(CatalogueTest, FrameListsHoldTheGeneratorsFramesAndFindThemByExactName) {
    ExpectFrames(Leaves(), assetpaint::LeafFrameTable());
    ExpectFrames(Logos(), assetpaint::LogoFrameTable());
    EXPECT_EQ(Leaves().IndexOf("blad2_18"), -1) << "leaf 2 has 19 in that place";
    EXPECT_EQ(Leaves().IndexOf("BLAD1_30"), -1) << "frame names are exact";
}

// Loading prepared each frame for its list's colour: the mask marks exactly those pixels,
// which the picture holds in black.
TEST_F(CatalogueTest, MasksMarkThePixelsOfTheTransparentColourWhichLoadingTurnedBlack) {
    EXPECT_EQ(Logos().TransparentColor(), framework::clBlack);
    EXPECT_EQ(Leaves().TransparentColor(), 0x00FF0000u);
    EXPECT_EQ(CountPixels(Leaves().Image(), gfx::MakePixel(0, 0, 255)), 0u);
    for (const sprites::TFrameList* list : {&Leaves(), &Logos()}) {
        for (int32_t i = 0; i < list->Count(); ++i) {
            const sprites::TFrame& frame = list->Items(i);
            const gfx::Rect r = frame.SourceRect();
            const size_t marked = CountPixels(list->Mask(), r, kTransparentMark);
            EXPECT_LT(marked, size_t(r.Width() * r.Height())) << frame.Name();
            EXPECT_GE(CountPixels(list->Image(), r, gfx::kBlack), marked) << frame.Name();
            if (list == &Leaves()) {
                EXPECT_GT(marked, 0u) << "the blue surround of " << frame.Name();
            }
        }
    }
}

}  // namespace
}  // namespace assets::testing
