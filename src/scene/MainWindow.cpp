// TfrmMain as a window: creation from its description, the input rules that end the saver,
// and the messages it answers itself.

#include "framework/Application.h"
#include "framework/FormReader.h"
#include "platform/platform.h"
#include "scene/MainForm.h"
#include "sprites/SpriteClasses.h"

namespace scene {

using framework::TComponent;

TfrmMain::TfrmMain(TComponent* owner, std::span<const uint8_t> description,
                   PasswordCheck verifyPassword)
    : TForm(owner, "TfrmMain"), verifyPassword_(std::move(verifyPassword)) {
    DefineHandlers();
    sprites::ReadSpriteForm(*this, description);
    FindComponents();
}

void TfrmMain::DefineHandlers() {
    using namespace framework;
    DefineHandler<TNotifyEvent>("FormCreate", [this](TComponent& s) { FormCreate(s); });
    DefineHandler<TNotifyEvent>("FormShow", [this](TComponent& s) { FormShow(s); });
    DefineHandler<TNotifyEvent>("FormDestroy", [this](TComponent& s) { FormDestroy(s); });
    DefineHandler<TKeyEvent>(
        "FormKeyDown",
        [this](TComponent& s, uint16_t& key, TShiftState shift) { FormKeyDown(s, key, shift); });
    DefineHandler<TMouseEvent>("FormMouseDown",
                               [this](TComponent& s, TMouseButton b, TShiftState sh, int32_t x,
                                      int32_t y) { FormMouseDown(s, b, sh, x, y); });
    DefineHandler<TMouseMoveEvent>("FormMouseMove",
                                   [this](TComponent& s, TShiftState sh, int32_t x, int32_t y) {
                                       FormMouseMove(s, sh, x, y);
                                   });
    DefineHandler<TCloseQueryEvent>(
        "FormCloseQuery", [this](TComponent& s, bool& canClose) { FormCloseQuery(s, canClose); });
    DefineHandler<TNotifyEvent>("timerNextLeafTimer",
                                [this](TComponent& s) { timerNextLeafTimer(s); });
    DefineHandler<sprites::TOnMoveEvent>(
        "spriteBladerenMove",
        [this](sprites::TSprite& s, int32_t& x, int32_t& y) { spriteBladerenMove(s, x, y); });
}

void TfrmMain::FindComponents() {
    sbStage = &framework::StoredComponent<sprites::TSpriteBox>(*this, "sbStage");
    bmpBack = &framework::StoredComponent<framework::TImage>(*this, "bmpBack");
    imgMaskStar = &framework::StoredComponent<framework::TImage>(*this, "imgMaskStar");
    imgMaskEtiket = &framework::StoredComponent<framework::TImage>(*this, "imgMaskEtiket");
    imgMaskBar = &framework::StoredComponent<framework::TImage>(*this, "imgMaskBar");
    timerNextLeaf = &framework::StoredComponent<framework::TTimer>(*this, "timerNextLeaf");
    spriteLogos = &framework::StoredComponent<sprites::TSprite>(*this, "spriteLogos");
    spriteBladeren = &framework::StoredComponent<sprites::TSprite>(*this, "spriteBladeren");
    timerBuildBackground =
        &framework::StoredComponent<framework::TTimer>(*this, "timerBuildBackground");
}

// The window steps of creation, with the scene's steps between them in their order.
void TfrmMain::FormCreate(TComponent& /*sender*/) {
    SetCaption(kSaverCaption);
    AnnounceSaverRunning(true);
    Masks = {&imgMaskStar->Picture().Bitmap(), &imgMaskEtiket->Picture().Bitmap(),
             &imgMaskBar->Picture().Bitmap()};
    platform::SetCursor(platform::CursorShape::None);
    SetFormStyle(framework::fsStayOnTop);
    LastTick = platform::GetTickCount();
    LeafList.Clear();
    PosList.Clear();
    LeafPosList.Clear();
    SetBounds(0, 0, platform::GetSystemMetrics(platform::SM_CXSCREEN),
              platform::GetSystemMetrics(platform::SM_CYSCREEN));
    BuildGrid();
}

void TfrmMain::FormDestroy(TComponent& /*sender*/) {
    LeafList.Clear();
    LeafPosList.Clear();
    PosList.Clear();
}

void TfrmMain::FormKeyDown(TComponent& /*sender*/, uint16_t& /*key*/,
                           framework::TShiftState /*shift*/) {
    EndSaver();
}

void TfrmMain::FormMouseDown(TComponent& /*sender*/, framework::TMouseButton /*button*/,
                             framework::TShiftState /*shift*/, int32_t /*x*/, int32_t /*y*/) {
    EndSaver();
}

// The first report only takes the reference position; any later one elsewhere, by a single
// pixel, ends the saver.
void TfrmMain::FormMouseMove(TComponent& /*sender*/, framework::TShiftState /*shift*/, int32_t x,
                             int32_t y) {
    if (!MouseSeen) {
        MouseX = x;
        MouseY = y;
        MouseSeen = true;
    }
    if (x != MouseX || y != MouseY) {
        EndSaver();
    }
}

void TfrmMain::FormCloseQuery(TComponent& /*sender*/, bool& canClose) {
    canClose = false;
}

// Input after a successful check and before the loop takes the quit request runs this again;
// every step is harmless to repeat.
void TfrmMain::EndSaver() {
    const bool mayEnd = verifyPassword_ ? verifyPassword_(Handle()) : true;
    if (!mayEnd) {
        MouseSeen = false;  // the next move only takes a new reference
        return;
    }
    AnnounceSaverRunning(false);
    timerNextLeaf->SetEnabled(false);
    timerBuildBackground->SetEnabled(false);
    platform::SetCursor(platform::CursorShape::Arrow);
    platform::PostQuitMessage(0);
}

void AnnounceSaverRunning(bool running) {
    uint32_t previous = 0;
    platform::SystemParametersInfoA(platform::SPI_SCREENSAVERRUNNING, running ? 1 : 0, &previous,
                                    0);
}

void TfrmMain::WndProc(framework::TMessage& message) {
    switch (message.Msg) {
        case platform::WM_ERASEBKGND:
            message.Result = 0;  // the stage paints the whole client area
            return;
        case platform::WM_SYSCOMMAND:
            if ((message.WParam & 0xFFF0) == platform::SC_SCREENSAVE) {
                message.Result = 1;  // no second saver from this window
                return;
            }
            break;
        default:
            break;
    }
    TForm::WndProc(message);
}

}  // namespace scene
