// The scene's set-up and the operations that write into the stage's background: the shuffled
// grid at creation, the desktop snapshot at the first showing, stamping a landed leaf and
// lifting one out again.

#include <exception>

#include "base/Random.h"
#include "framework/Application.h"
#include "gfx/Raster.h"
#include "platform/platform.h"
#include "scene/Grid.h"
#include "scene/MainForm.h"
#include "scene/StageBackground.h"
#include "sprites/TempBitmap.h"

namespace scene {

namespace {

void CopyBlock(gfx::Bitmap& dest, int32_t x, int32_t y, int32_t width, int32_t height,
               const gfx::Bitmap& source, int32_t sourceX, int32_t sourceY) {
    gfx::BitBlt(dest.GetCanvas(), x, y, width, height, &source.GetCanvas(), sourceX, sourceY,
                gfx::Rop::SrcCopy);
}

}  // namespace

std::string TfrmMain::RandomWindSequence() {
    return "WAAI" + std::to_string(base::Random(5) + 1);
}

// Every grid point goes into PosList at a random place. Per cell the prototype is given a
// random wind sequence first (only its state changes), then the insertion index is drawn.
void TfrmMain::BuildGrid() {
    ForEachGridPoint(ScreenWidth(), ScreenHeight(), [this](int32_t x, int32_t y) {
        spriteBladeren->SetSequence(RandomWindSequence());
        spriteBladeren->SetCurrentFrame(spriteBladeren->CurrentSequence()->Items(0).FrameName());
        PosList.Insert(base::Random(PosList.Count() + 1), std::make_unique<TPos>(x, y));
    });
}

void TfrmMain::FormShow(framework::TComponent& /*sender*/) {
    if (!firstShow_) {
        return;
    }
    firstShow_ = false;
    StartScene();
}

// The stage takes the screen's size and a picture of the desktop as it was; then the timers
// start the leaves. Without a picture (the system refused one) the leaves fall on black, and
// the failure is reported once they have started.
void TfrmMain::StartScene() {
    sbStage->SetBounds(0, 0, ScreenWidth(), ScreenHeight());
    gfx::Bitmap& background = Background();
    background.SetWidth(ScreenWidth());
    background.SetHeight(ScreenHeight());
    background.GetCanvas().RealizePalette();
    if (framework::HasApplication()) {
        framework::Application().ProcessMessages();
    }
    std::exception_ptr pictureFailure;
    try {
        const gfx::Bitmap desktop = platform::CaptureScreen();
        CopyBlock(background, 0, 0, ScreenWidth(), ScreenHeight(), desktop, 0, 0);
    } catch (...) {
        background.Fill(gfx::kBlack);
        pictureFailure = std::current_exception();
    }
    Phase = phCover;
    timerNextLeaf->SetEnabled(true);
    timerBuildBackground->SetEnabled(true);
    if (pictureFailure) {
        std::rethrow_exception(pictureFailure);
    }
}

gfx::Bitmap& TfrmMain::Background() {
    return sbStage->Picture().Bitmap();
}

bool TfrmMain::IsOnMask(const gfx::Bitmap& mask, int32_t x, int32_t y) const {
    return scene::IsOnMask(mask, ScreenWidth(), ScreenHeight(), x, y);
}

// Through the scratch bitmap, so a stamp allocates nothing.
void TfrmMain::StampLeaf(const sprites::TSprite& sprite) {
    gfx::Bitmap& temp = *sprites::TempBitmap();
    gfx::Bitmap& background = Background();
    const int32_t x = sprite.GetX();
    const int32_t y = sprite.GetY();
    const int32_t w = sprite.GetWidth();
    const int32_t h = sprite.GetHeight();
    CopyBlock(temp, 0, 0, w, h, background, x, y);
    sprite.DrawFrameTransparent(temp.GetCanvas(), 0, 0);
    CopyBlock(background, x, y, w, h, temp, 0, 0);
}

// The patch under the lifted leaf is rebuilt from the tile, the logo centred on the screen
// and the remaining landed leaves in landing order, then copied into the background.
std::unique_ptr<TLeafPos> TfrmMain::LiftLeaf(int32_t index) {
    if (LeafPosList.Empty()) {
        return nullptr;
    }
    std::unique_ptr<TLeafPos> lifted = LeafPosList.Extract(index);
    spriteBladeren->SetCurrentFrame(lifted->FrameName);
    gfx::Bitmap work(spriteBladeren->GetWidth(), spriteBladeren->GetHeight());
    TileBitmap(work, bmpBack->Picture().Bitmap());
    spriteLogos->SetFrameIndex(LogoIndex);
    spriteLogos->DrawFrameOpaque(work.GetCanvas(),
                                 (Width() - spriteLogos->GetWidth()) / 2 - lifted->X,
                                 (Height() - spriteLogos->GetHeight()) / 2 - lifted->Y);
    for (int32_t i = 0; i < LeafPosList.Count(); ++i) {
        const TLeafPos& other = LeafPosList.Items(i);
        spriteBladeren->SetCurrentFrame(other.FrameName);
        spriteBladeren->DrawFrameTransparent(work.GetCanvas(), other.X - lifted->X,
                                             other.Y - lifted->Y);
    }
    CopyBlock(Background(), lifted->X, lifted->Y, work.Width(), work.Height(), work, 0, 0);
    return lifted;
}

}  // namespace scene
