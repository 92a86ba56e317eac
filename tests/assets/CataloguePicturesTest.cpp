// The main window's own settings, its stage, hidden images and timers as it loads them.

#include <array>
#include <string>
#include <vector>

#include "CatalogueFixture.h"
#include "framework/Image.h"
#include "framework/Timer.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace assets::testing {
namespace {

constexpr gfx::Pixel kTileGreen = gfx::MakePixel(0, 127, 0);
constexpr gfx::Pixel kTileGrey = gfx::MakePixel(128, 128, 128);
constexpr gfx::Pixel kTileMoss = gfx::MakePixel(85, 95, 85);

const gfx::Bitmap& PictureOf(const std::string& name) {
    return CatalogueTest::Component<framework::TImage>(name).Picture().Bitmap();
}

TEST_F(CatalogueTest, ComponentsAreMadeInStoredOrder) {
    const std::vector<std::string> names{"sbStage",       "bmpBack",        "imgMaskStar",
                                         "imgMaskEtiket", "imgMaskBar",     "timerNextLeaf",
                                         "spriteLogos",   "spriteBladeren", "timerBuildBackground"};
    const std::vector<std::string> classes{"TSpriteBox", "TImage",  "TImage",  "TImage", "TImage",
                                           "TTimer",     "TSprite", "TSprite", "TTimer"};
    ASSERT_EQ(Form().ComponentCount(), int(names.size()));
    for (int i = 0; i < Form().ComponentCount(); ++i) {
        EXPECT_EQ(Form().Components(i)->Name(), names[size_t(i)]);
        EXPECT_EQ(Form().Components(i)->ClassName(), classes[size_t(i)]);
    }
    EXPECT_EQ(Form().Name(), "frmMain");
    EXPECT_EQ(Form().BorderStyle(), framework::bsNone);
}

TEST_F(CatalogueTest, EventsAreBoundToTheFormsHandlers) {
    Form().calls.clear();
    framework::TComponent& self = Form();
    uint16_t key = 0;
    bool canClose = true;
    int32_t x = 0;
    int32_t y = 0;
    Form().OnCreate(self);
    Form().OnShow(self);
    Form().OnDestroy(self);
    Form().OnKeyDown(self, key, 0);
    Form().OnMouseDown(self, framework::mbLeft, 0, 1, 2);
    Form().OnMouseMove(self, 0, 1, 2);
    Form().OnCloseQuery(self, canClose);
    auto& stage = Component<sprites::TSpriteBox>("sbStage");
    stage.OnMouseDown(stage, framework::mbLeft, 0, 1, 2);
    stage.OnMouseMove(stage, 0, 1, 2);
    auto& timer = Component<framework::TTimer>("timerNextLeaf");
    timer.OnTimer(timer);
    auto& leaves = Component<sprites::TSprite>("spriteBladeren");
    leaves.OnMove(leaves, x, y);
    EXPECT_EQ(Form().calls, (std::vector<std::string>{
                                "FormCreate", "FormShow", "FormDestroy", "FormKeyDown",
                                "FormMouseDown", "FormMouseMove", "FormCloseQuery", "FormMouseDown",
                                "FormMouseMove", "timerNextLeafTimer", "spriteBladerenMove"}));
    EXPECT_FALSE(Component<framework::TTimer>("timerBuildBackground").OnTimer);
    EXPECT_FALSE(Component<sprites::TSprite>("spriteLogos").OnMove);
    EXPECT_FALSE(leaves.OnMove3D || leaves.OnHit || leaves.OnFinishSequence);
}

TEST_F(CatalogueTest, BothTimersAreDisabledWithTheirIntervals) {
    EXPECT_FALSE(Component<framework::TTimer>("timerNextLeaf").Enabled());
    EXPECT_EQ(Component<framework::TTimer>("timerNextLeaf").Interval(), 1000u);
    EXPECT_FALSE(Component<framework::TTimer>("timerBuildBackground").Enabled());
    EXPECT_EQ(Component<framework::TTimer>("timerBuildBackground").Interval(), 80u);
}

TEST_F(CatalogueTest, TheStageFillsTheFormWithoutProjection) {
    auto& stage = Component<sprites::TSpriteBox>("sbStage");
    EXPECT_EQ(stage.Align(), framework::alClient);
    EXPECT_TRUE(stage.Visible());
    EXPECT_FALSE(stage.ThreeD().Enabled());
    EXPECT_EQ(stage.ThreeD().XDis(), 0);
    EXPECT_EQ(stage.ThreeD().YDis(), 0);
    EXPECT_EQ(stage.ThreeD().ZDis(), 0);
    EXPECT_EQ(stage.ThreeD().DiaF(), 0);
    for (const char* name : {"bmpBack", "imgMaskStar", "imgMaskEtiket", "imgMaskBar"}) {
        EXPECT_FALSE(Component<framework::TImage>(name).Visible()) << name;
    }
}

TEST_F(CatalogueTest, TheTileIsGreenWithFiveFlecks) {
    for (const char* name : {"sbStage", "bmpBack"}) {
        const gfx::Bitmap& tile = PictureOf(name);
        ASSERT_EQ(tile.Width(), 100) << name;
        ASSERT_EQ(tile.Height(), 100) << name;
        EXPECT_EQ(tile.StoredDepth(), 8) << name;
        ASSERT_EQ(tile.ColourTable().size(), 256u) << name;
        EXPECT_EQ(tile.ColourTable()[218], kTileGreen) << name;
        EXPECT_EQ(CountPixels(tile, kTileGreen), 9995u) << name;
        EXPECT_EQ(CountPixels(tile, kTileGrey), 3u) << name;
        EXPECT_EQ(CountPixels(tile, kTileMoss), 2u) << name;
    }
}

TEST_F(CatalogueTest, EachMaskIsBlackOverItsLogosArea) {
    struct MaskExpectation {
        const char* name;
        size_t black;
        gfx::Rect area;
    };
    const std::array<MaskExpectation, 3> masks{{{"imgMaskStar", 92098, {85, 0, 504, 393}},
                                                {"imgMaskEtiket", 114757, {142, 7, 456, 388}},
                                                {"imgMaskBar", 122015, {20, 73, 578, 327}}}};
    for (const MaskExpectation& expected : masks) {
        const gfx::Bitmap& mask = PictureOf(expected.name);
        ASSERT_EQ(mask.Width(), 600) << expected.name;
        ASSERT_EQ(mask.Height(), 400) << expected.name;
        EXPECT_TRUE(mask.Monochrome()) << expected.name;
        EXPECT_EQ(mask.ColourTable(), (std::vector<gfx::Pixel>{gfx::kWhite, gfx::kBlack}));
        EXPECT_EQ(CountPixels(mask, gfx::kBlack), expected.black) << expected.name;
        EXPECT_EQ(AreaOf(mask, gfx::kBlack), expected.area) << expected.name;
    }
}

}  // namespace
}  // namespace assets::testing
