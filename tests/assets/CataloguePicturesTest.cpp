// The main window's own settings, its stage, hidden images and timers as it loads them.

#include <string>
#include <vector>

#include "CatalogueFixture.h"
#include "framework/Image.h"
#include "framework/Timer.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace assets::testing {
namespace {

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

TEST_F(CatalogueTest, TheStageFillsTheFormAndTheRestIsHiddenOrStopped) {
    auto& stage = Component<sprites::TSpriteBox>("sbStage");
    EXPECT_EQ(stage.Align(), framework::alClient);
    EXPECT_TRUE(stage.Visible());
    EXPECT_FALSE(stage.ThreeD().Enabled());
    for (const char* name : {"bmpBack", "imgMaskStar", "imgMaskEtiket", "imgMaskBar"}) {
        EXPECT_FALSE(Component<framework::TImage>(name).Visible()) << name;
    }
    for (const char* name : {"timerNextLeaf", "timerBuildBackground"}) {
        EXPECT_FALSE(Component<framework::TTimer>(name).Enabled()) << name;
    }
}

// The tile keeps its stored 8-bit form and colour table; the masks are monochrome, stored
// white first. (The pixels are the generator's, checked in tests/assetgen; that the stage and
// bmpBack hold the same tile, in StoredFormTest.)
TEST_F(CatalogueTest, PicturesKeepTheirStoredForm) {
    const gfx::Bitmap& tile = PictureOf("sbStage");
    EXPECT_EQ(tile.StoredDepth(), 8);
    EXPECT_EQ(tile.ColourTable().size(), 256u);
    for (const char* name : {"imgMaskStar", "imgMaskEtiket", "imgMaskBar"}) {
        const gfx::Bitmap& mask = PictureOf(name);
        EXPECT_EQ(mask.Width(), 600) << name;
        EXPECT_EQ(mask.Height(), 400) << name;
        EXPECT_TRUE(mask.Monochrome()) << name;
        EXPECT_EQ(mask.ColourTable(), (std::vector<gfx::Pixel>{gfx::kWhite, gfx::kBlack}));
        EXPECT_GT(CountPixels(mask, gfx::kBlack), 0u) << name;
    }
}

}  // namespace
}  // namespace assets::testing
