#pragma once
// A stage for sprite tests on the headless backend: a shown 320 x 240 form with a sprite box
// over all of it, whose background has a different colour at every pixel, and sprites with
// three frames (transparent colour clBlue):
//   "a" 40 x 30 of kColourA, its top-left 5 x 5 transparent,
//   "b" 40 x 30 of kColourB, its bottom-right 5 x 5 transparent,
//   "c" 20 x 10 of kColourC,
// and the sequence "S3": a (dx 1, 0.1 s), b (dx 2, dy 1, 0.2 s), c (dx 4, 0.3 s).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/Component.h"
#include "framework/Form.h"
#include "gfx/Bitmap.h"
#include "gfx/Pixel.h"
#include "gfx/Rect.h"
#include "platform/headless/HeadlessBackend.h"
#include "sprites/FrameList.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace sprites::stage {

inline constexpr gfx::Pixel kColourA = 0x00C03010;
inline constexpr gfx::Pixel kColourB = 0x0020B040;
inline constexpr gfx::Pixel kColourC = 0x00E0E020;
inline constexpr int32_t kStageWidth = 320;
inline constexpr int32_t kStageHeight = 240;

// Runs `action` and expects it to fail with E carrying exactly `message`.
template <class E, class Action>
void ExpectFailure(Action&& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no failure, wanted: " << message;
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

struct StepSpec {
    std::string frame;
    int16_t dx = 0;
    int16_t dy = 0;
    int16_t dz = 0;
    double time = 0.1;
};
struct SequenceSpec {
    std::string name;
    std::vector<StepSpec> steps;
};

// The stored form of a sequence list, its steps with DZ or without.
std::vector<uint8_t> SequenceListBytes(const std::vector<SequenceSpec>& sequences, bool withDZ);

// The background picture's pixel at (x, y).
gfx::Pixel BackgroundPixel(int32_t x, int32_t y);

class StageTest : public ::testing::Test {
  protected:
    StageTest();

    // A sprite of the form on the box with the three frames and "S3", invisible.
    TSprite& MakeSprite();
    // A sprite of the form, not on a box.
    TSprite& MakeLooseSprite();
    // Replaces the sprite's sequences with "S3" and these.
    void LoadSequences(TSprite& sprite, const std::vector<SequenceSpec>& extra = {});
    // Shows the sprite with frame `name` at (x, y), then forgets what was presented.
    void Place(TSprite& sprite, const char* name, int32_t x, int32_t y);

    gfx::Pixel Screen(int32_t x, int32_t y) const;
    std::vector<gfx::Rect> PresentedRects() const;
    // True when the screen shows the bare background everywhere in r.
    bool ShowsBackground(const gfx::Rect& r) const;
    // True when every pixel of r on the screen is `colour`.
    bool Shows(const gfx::Rect& r, gfx::Pixel colour) const;

    platform::headless::HeadlessBackend backend_;
    framework::TComponent root_{nullptr};
    framework::TForm* form_ = nullptr;
    TSpriteBox* box_ = nullptr;
    std::unique_ptr<TFrameList> frames_;
};

}  // namespace sprites::stage
