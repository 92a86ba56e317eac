#include "TestForm.h"

#include "sprites/SpriteClasses.h"
#include "sprites/SpriteTypes.h"

namespace assets::testing {

using namespace framework;

TfrmTest::TfrmTest(TComponent* owner, std::span<const uint8_t> description)
    : TForm(owner, "TfrmMain") {
    for (const char* name : {"FormCreate", "FormShow", "FormDestroy", "timerNextLeafTimer"}) {
        DefineHandler<TNotifyEvent>(name, [this, name](TComponent&) { calls.push_back(name); });
    }
    DefineHandler<TKeyEvent>("FormKeyDown", [this](TComponent&, uint16_t&, TShiftState) {
        calls.push_back("FormKeyDown");
    });
    DefineHandler<TMouseEvent>("FormMouseDown",
                               [this](TComponent&, TMouseButton, TShiftState, int32_t, int32_t) {
                                   calls.push_back("FormMouseDown");
                               });
    DefineHandler<TMouseMoveEvent>(
        "FormMouseMove",
        [this](TComponent&, TShiftState, int32_t, int32_t) { calls.push_back("FormMouseMove"); });
    DefineHandler<TCloseQueryEvent>(
        "FormCloseQuery", [this](TComponent&, bool&) { calls.push_back("FormCloseQuery"); });
    DefineHandler<sprites::TOnMoveEvent>(
        "spriteBladerenMove",
        [this](sprites::TSprite&, int32_t&, int32_t&) { calls.push_back("spriteBladerenMove"); });
    sprites::ReadSpriteForm(*this, description);
}

}  // namespace assets::testing
