#pragma once
// TfrmMain: the saver window and the leaves scene it hosts. The window covers the primary
// screen, borderless and on top, with the pointer hidden; any key, button or movement away
// from the first reported position ends the saver after the password check. Inside it the
// stage sbStage shows the desktop snapshot, leaves fly in on wind paths and land on a grid
// until the screen is covered, then the leaves over a logo are blown away, and so on.
//
// The window's components and their pictures, frames and sequences come from its stored form
// description; the handlers below are bound to their events by name.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Timer.h"
#include "scene/Leaves.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace scene {

enum TPhase : uint8_t { phReveal = 0, phCover = 1 };

inline constexpr const char* kSaverCaption = "Vellamor Autumn";

// Tells the system whether a saver is running. The saver window announces itself when it is
// made and withdraws when it ends; the program withdraws for it when its mode fails.
void AnnounceSaverRunning(bool running);

class TfrmMain : public framework::TForm {
  public:
    // Asked before the saver ends: true lets it end. Without one the saver ends at once.
    using PasswordCheck = std::function<bool(platform::HWND parent)>;

    // Reads the description into the new form; FormCreate runs from AfterConstruction.
    TfrmMain(framework::TComponent* owner, std::span<const uint8_t> description,
             PasswordCheck verifyPassword = {});

    std::string ClassName() const override { return "TfrmMain"; }

    // Event handlers, bound by the form description.
    void FormCreate(framework::TComponent& sender);
    void FormShow(framework::TComponent& sender);
    void FormDestroy(framework::TComponent& sender);
    void FormKeyDown(framework::TComponent& sender, uint16_t& key, framework::TShiftState shift);
    void FormMouseDown(framework::TComponent& sender, framework::TMouseButton button,
                       framework::TShiftState shift, int32_t x, int32_t y);
    void FormMouseMove(framework::TComponent& sender, framework::TShiftState shift, int32_t x,
                       int32_t y);
    void FormCloseQuery(framework::TComponent& sender, bool& canClose);
    void timerNextLeafTimer(framework::TComponent& sender);
    void spriteBladerenMove(sprites::TSprite& sender, int32_t& x, int32_t& y);

    // The only road to the end of the saver.
    void EndSaver();

    // Scene operations.
    static std::string RandomWindSequence();
    void StampLeaf(const sprites::TSprite& sprite);
    std::unique_ptr<TLeafPos> LiftLeaf(int32_t index);
    bool IsOnMask(const gfx::Bitmap& mask, int32_t x, int32_t y) const;
    void SetPhase(TPhase value);
    int32_t FindRevealCandidate() const;
    int32_t FlyingLeafCount() const { return LeafList.Count(); }
    void RetireLeaf(TLeaf& leaf);

    // Window-level state.
    bool MouseSeen = false;
    int32_t MouseX = 0;
    int32_t MouseY = 0;

    // Scene state.
    uint32_t LastTick = 0;
    int32_t MoveCount = 0;
    int32_t LogoIndex = 0;
    TPhase Phase = phReveal;
    TLeafList LeafList;
    TLeafPosList LeafPosList;
    TPosList PosList;
    std::array<const gfx::Bitmap*, 3> Masks{};

    // The stored components.
    sprites::TSpriteBox* sbStage = nullptr;
    framework::TImage* bmpBack = nullptr;
    framework::TImage* imgMaskStar = nullptr;
    framework::TImage* imgMaskEtiket = nullptr;
    framework::TImage* imgMaskBar = nullptr;
    framework::TTimer* timerNextLeaf = nullptr;
    sprites::TSprite* spriteLogos = nullptr;
    sprites::TSprite* spriteBladeren = nullptr;
    framework::TTimer* timerBuildBackground = nullptr;

  protected:
    void WndProc(framework::TMessage& message) override;

  private:
    void DefineHandlers();
    void FindComponents();
    void BuildGrid();
    void StartScene();
    gfx::Bitmap& Background();
    int32_t ScreenWidth() const { return Width(); }
    int32_t ScreenHeight() const { return Height(); }

    // The spawn tick's parts.
    bool DecidePhase();
    int32_t RevealSource() const;
    // Each places the leaf, sets its target and returns its play request ("WAAI3:12").
    std::string LaunchCoverLeaf(TLeaf& leaf);
    std::string LaunchRevealLeaf(TLeaf& leaf);
    void AdaptSpawnInterval(const base::Real48& ratio);

    PasswordCheck verifyPassword_;
    bool firstShow_ = true;  // the scene starts at the first showing only
};

}  // namespace scene
