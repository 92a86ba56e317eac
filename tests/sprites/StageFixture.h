#pragma once
// A stage for sprite tests on the headless backend: a shown 320 x 240 form with a sprite box
// over all of it, whose background has a different colour at every pixel, and sprites with
// three frames (transparent colour clBlue): "a" 40 x 30 of kColourA with its top-left 5 x 5
// transparent, "b" 40 x 30 of kColourB with its bottom-right 5 x 5 transparent, "c" 20 x 10
// of kColourC; and the sequence "S3": a (dx 1, 0.1 s), b (dx 2, dy 1, 0.2 s), c (dx 4, 0.3 s).

#include <functional>
#include <memory>
#include <vector>

#include "SpriteTestSupport.h"
#include "framework/Form.h"
#include "platform/headless/HeadlessBackend.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace sprites::test {

inline constexpr gfx::Pixel kColourA = 0x00C03010;
inline constexpr gfx::Pixel kColourB = 0x0020B040;
inline constexpr gfx::Pixel kColourC = 0x00E0E020;
inline constexpr gfx::Pixel kRed = 0x00FF0000;

gfx::Pixel BackgroundPixel(int32_t x, int32_t y);

class StageTest : public ::testing::Test {
  protected:
    StageTest();

    // An invisible sprite of the form with the three frames and "S3", on the box or not.
    TSprite& MakeSprite(bool onBox = true);
    // Replaces the sprite's sequences with "S3" and these.
    void LoadSequences(TSprite& sprite, const std::vector<SequenceData>& extra = {});
    // Shows the sprite with frame `name` at (x, y), then forgets what was presented.
    void Place(TSprite& sprite, const char* name, int32_t x, int32_t y);
    void PaintScreen(gfx::Pixel colour);

    gfx::Pixel Screen(int32_t x, int32_t y) const { return surface_.GetPixel(x, y); }
    std::vector<gfx::Rect> Presented() const;
    // True when every pixel of r on the screen is `colour` (background: the bare picture).
    bool Shows(const gfx::Rect& r, gfx::Pixel colour) const;
    bool ShowsBackground(const gfx::Rect& r) const;
    // True when every pixel of r on the screen is what `want` gives for its place.
    bool Every(const gfx::Rect& r, const std::function<gfx::Pixel(int32_t, int32_t)>& want) const;

    platform::headless::HeadlessBackend backend_;
    framework::TComponent root_{nullptr};
    framework::TForm* form_;
    TSpriteBox* box_;
    const gfx::Bitmap& surface_;
    std::unique_ptr<TFrameList> frames_;
};

}  // namespace sprites::test
