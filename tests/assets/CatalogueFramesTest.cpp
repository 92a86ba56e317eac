// The two sprites' frame lists as the main window loads them.

#include <array>
#include <string>

#include "CatalogueFixture.h"
#include "framework/Color.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace assets::testing {
namespace {

struct LeafFrame {
    const char* suffix;
    int16_t width;
    int16_t height;
};

// By strip position (rows) and leaf 1 to 5 (columns).
constexpr std::array<std::array<LeafFrame, 5>, 16> kLeafFrames{{
    {{{"30", 141, 104}, {"30", 93, 136}, {"30", 142, 191}, {"30", 109, 145}, {"30", 221, 215}}},
    {{{"02", 139, 98}, {"02", 85, 139}, {"02", 148, 163}, {"02", 111, 152}, {"02", 220, 211}}},
    {{{"04", 136, 100}, {"04", 82, 136}, {"04", 145, 141}, {"04", 109, 158}, {"04", 224, 215}}},
    {{{"06", 133, 106}, {"06", 76, 138}, {"06", 127, 114}, {"06", 110, 161}, {"06", 224, 217}}},
    {{{"08", 131, 111}, {"08", 70, 139}, {"08", 100, 100}, {"08", 110, 158}, {"08", 219, 216}}},
    {{{"10", 105, 114}, {"10", 60, 139}, {"10", 89, 128}, {"10", 114, 150}, {"10", 219, 214}}},
    {{{"12", 102, 101}, {"12", 68, 136}, {"12", 93, 114}, {"11", 94, 159}, {"12", 217, 214}}},
    {{{"14", 144, 109}, {"14", 97, 113}, {"14", 157, 95}, {"14", 50, 141}, {"14", 189, 188}}},
    {{{"16", 180, 76}, {"16", 115, 74}, {"16", 134, 151}, {"15", 84, 123}, {"16", 155, 165}}},
    {{{"18", 163, 55}, {"19", 96, 93}, {"18", 58, 158}, {"18", 103, 127}, {"18", 88, 164}}},
    {{{"20", 116, 80}, {"20", 87, 88}, {"20", 146, 114}, {"20", 109, 143}, {"20", 153, 177}}},
    {{{"22", 44, 104}, {"22", 42, 98}, {"22", 202, 112}, {"22", 112, 145}, {"22", 175, 186}}},
    {{{"24", 46, 109}, {"24", 56, 90}, {"24", 185, 95}, {"24", 95, 141}, {"24", 190, 198}}},
    {{{"26", 89, 107}, {"26", 98, 74}, {"26", 125, 164}, {"26", 88, 142}, {"26", 205, 205}}},
    {{{"28", 121, 105}, {"28", 101, 96}, {"28", 113, 199}, {"28", 91, 142}, {"28", 218, 210}}},
    {{{"", 140, 98}, {"", 86, 138}, {"", 144, 167}, {"", 113, 145}, {"", 216, 211}}},
}};

constexpr gfx::Pixel kTransparentMark = gfx::kWhite;  // mask bit 1

const sprites::TFrameList& Leaves() {
    return CatalogueTest::Component<sprites::TSprite>("spriteBladeren").FrameList();
}
const sprites::TFrameList& Logos() {
    return CatalogueTest::Component<sprites::TSprite>("spriteLogos").FrameList();
}

TEST_F(CatalogueTest, EveryLeafFrameHasItsNameAndSizeAndFollowsTheOneBefore) {
    const sprites::TFrameList& leaves = Leaves();
    ASSERT_EQ(leaves.Count(), 80);
    int32_t x = 0;
    for (int leaf = 1; leaf <= 5; ++leaf) {
        for (int position = 0; position < 16; ++position) {
            const LeafFrame& wanted = kLeafFrames[size_t(position)][size_t(leaf - 1)];
            const sprites::TFrame& frame = leaves.Items((leaf - 1) * 16 + position);
            const std::string name = "blad" + std::to_string(leaf) + "_" + wanted.suffix;
            EXPECT_EQ(frame.Name(), name);
            EXPECT_EQ(frame.Width(), wanted.width) << name;
            EXPECT_EQ(frame.Height(), wanted.height) << name;
            EXPECT_EQ(frame.X(), x) << name;
            EXPECT_EQ(frame.Y(), 0) << name;
            x += wanted.width;
        }
    }
    EXPECT_EQ(x, 10085);
    EXPECT_EQ(leaves.Image().Width(), 10085);
    EXPECT_EQ(leaves.Image().Height(), 217);
}

TEST_F(CatalogueTest, LeafFramesAreFoundByTheirExactNames) {
    const sprites::TFrameList& leaves = Leaves();
    EXPECT_EQ(leaves.IndexOf("blad5_"), 79);
    EXPECT_EQ(leaves.IndexOf("blad2_19"), 25);
    EXPECT_EQ(leaves.IndexOf("blad4_11"), 54);
    EXPECT_EQ(leaves.IndexOf("blad2_18"), -1);
    EXPECT_EQ(leaves.IndexOf("BLAD1_30"), -1);
    const sprites::TFrame& first = leaves.Items(leaves.IndexOf("blad1_30"));
    EXPECT_EQ(first.X(), 0);
    EXPECT_EQ(first.Width(), 141);
    EXPECT_EQ(first.Height(), 104);
}

TEST_F(CatalogueTest, LogoFramesLieAtTheirRectangles) {
    const sprites::TFrameList& logos = Logos();
    ASSERT_EQ(logos.Count(), 3);
    EXPECT_EQ(logos.IndexOf("ster"), 0);
    const std::array<gfx::Rect, 3> rects{gfx::Rect{0, 0, 357, 350}, gfx::Rect{357, 0, 626, 335},
                                         gfx::Rect{626, 0, 1122, 186}};
    const std::array<const char*, 3> names{"ster", "etiket", "bar"};
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(logos.Items(i).Name(), names[size_t(i)]);
        EXPECT_EQ(logos.Items(i).SourceRect(), rects[size_t(i)]) << names[size_t(i)];
    }
    EXPECT_EQ(logos.Items(logos.IndexOf("bar")).X(), 626);
    EXPECT_EQ(logos.Image().Width(), 1122);
    EXPECT_EQ(logos.Image().Height(), 350);
}

// Loading prepared each frame for its list's colour: the mask marks exactly those pixels.
TEST_F(CatalogueTest, LogoMasksMarkTheBlackPixelsOfTheLabelAndTheBarOnly) {
    const sprites::TFrameList& logos = Logos();
    EXPECT_EQ(logos.TransparentColor(), framework::clBlack);
    const std::array<size_t, 3> transparent{0, 14678, 35242};
    for (int32_t i = 0; i < 3; ++i) {
        const gfx::Rect r = logos.Items(i).SourceRect();
        EXPECT_EQ(CountPixels(logos.Mask(), r, kTransparentMark), transparent[size_t(i)]);
        EXPECT_EQ(CountPixels(logos.Image(), r, gfx::kBlack), transparent[size_t(i)]);
    }
}

TEST_F(CatalogueTest, LeafMasksMarkTheBlueSurroundWhichLoadingTurnedBlack) {
    const sprites::TFrameList& leaves = Leaves();
    EXPECT_EQ(leaves.TransparentColor(), 0x00FF0000u);
    EXPECT_EQ(CountPixels(leaves.Image(), gfx::MakePixel(0, 0, 255)), 0u);
    for (int32_t i = 0; i < leaves.Count(); ++i) {
        const sprites::TFrame& frame = leaves.Items(i);
        const gfx::Rect r = frame.SourceRect();
        const size_t marked = CountPixels(leaves.Mask(), r, kTransparentMark);
        EXPECT_GT(marked, 0u) << frame.Name();
        EXPECT_LT(marked, size_t(r.Width() * r.Height())) << frame.Name();
        EXPECT_GE(CountPixels(leaves.Image(), r, gfx::kBlack), marked) << frame.Name();
    }
}

TEST_F(CatalogueTest, SpritesCarryTheirStoredSettings) {
    auto& stage = Component<sprites::TSpriteBox>("sbStage");
    for (const char* name : {"spriteLogos", "spriteBladeren"}) {
        auto& sprite = Component<sprites::TSprite>(name);
        EXPECT_EQ(sprite.About(), "1.1e");
        EXPECT_EQ(sprite.StoredVersion(), "1.1e");
        EXPECT_EQ(sprite.SpriteBox(), &stage);
        EXPECT_EQ(sprite.HitTest(), sprites::THitTest::htNone);
        EXPECT_EQ(sprite.Plotmode(), sprites::TPlotMode{});
        EXPECT_EQ(sprite.FrameIndex(), 0);
        EXPECT_FALSE(sprite.MirrorX());
        EXPECT_FALSE(sprite.MirrorY());
        EXPECT_FALSE(sprite.Visible());
        EXPECT_FALSE(sprite.Timer().Enabled());
    }
    EXPECT_EQ(Component<sprites::TSprite>("spriteLogos").CurrentFrame(), "ster");
    EXPECT_EQ(Component<sprites::TSprite>("spriteBladeren").CurrentFrame(), "blad1_30");
    EXPECT_EQ(stage.SpriteCount(), 2);
}

}  // namespace
}  // namespace assets::testing
