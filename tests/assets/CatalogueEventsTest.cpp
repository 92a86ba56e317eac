// The main window's events as it loads them: bound to the handlers of the form by their stored
// names. (Its stored settings are the generator's and are exercised by tests/scene, which runs
// the same form.)

#include <string>
#include <vector>

#include "CatalogueFixture.h"
#include "framework/Timer.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace assets::testing {
namespace {

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

}  // namespace
}  // namespace assets::testing
