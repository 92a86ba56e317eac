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

inline gfx::Pixel BackgroundPixel(int32_t x, int32_t y) {
    return gfx::MakePixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                          static_cast<uint8_t>(x / 256 + 100));
}

class StageTest : public ::testing::Test {
  protected:
    StageTest() {
        box_->SetParent(form_);
        box_->SetBounds(0, 0, 320, 240);
        auto picture = std::make_unique<gfx::Bitmap>(320, 240);
        for (int32_t y = 0; y < 240; ++y) {
            for (int32_t x = 0; x < 320; ++x) {
                picture->SetPixel(x, y, BackgroundPixel(x, y));
            }
        }
        box_->Picture().SetBitmap(std::move(picture));
        form_->Show();
        backend_.RunFor(0);
        backend_.ClearPresented();
    }

    // An invisible sprite of the form with the three frames and "S3", on the box or not.
    TSprite& MakeSprite(bool onBox = true) {
        auto* sprite = framework::NewComponent<TSprite>(*form_);
        sprite->SetFrameList(*frames_);
        LoadSequences(*sprite);
        sprite->SetSpriteBox(onBox ? box_ : nullptr);
        return *sprite;
    }
    // Replaces the sprite's sequences with "S3" and these.
    void LoadSequences(TSprite& sprite, const std::vector<SequenceData>& extra = {}) {
        std::vector<SequenceData> sequences = {
            {"S3", {{"a", 1, 0, 0, 0.1}, {"b", 2, 1, 0, 0.2}, {"c", 4, 0, 0, 0.3}}}};
        sequences.insert(sequences.end(), extra.begin(), extra.end());
        base::MemoryStream steps(SequenceListBytes(sequences, true));
        sprite.SequenceList().ReadData(steps);
    }
    // Shows the sprite with frame `name` at (x, y), then forgets what was presented.
    void Place(TSprite& sprite, const char* name, int32_t x, int32_t y) {
        sprite.SetCurrentFrame(name);
        sprite.SetX(x);
        sprite.SetY(y);
        sprite.SetVisible(true);
        backend_.ClearPresented();
    }
    // A new sprite on the box at depth z, placed so.
    TSprite& Placed(const char* name, int32_t x, int32_t y, int32_t z = 0) {
        TSprite& sprite = MakeSprite();
        sprite.SetZ(z);
        Place(sprite, name, x, y);
        return sprite;
    }
    void PaintScreen(gfx::Pixel colour) {
        form_->Canvas().FillRect({0, 0, 320, 240}, framework::PixelToColor(colour));
        backend_.ClearPresented();
    }

    gfx::Pixel Screen(int32_t x, int32_t y) const { return surface_.GetPixel(x, y); }
    std::vector<gfx::Rect> Presented() const {
        std::vector<gfx::Rect> rects;
        for (const auto& presented : backend_.Presented()) {
            rects.push_back(presented.rect);
        }
        return rects;
    }
    // True when every pixel of r on the screen is what `want` gives for its place.
    bool Every(const gfx::Rect& r, const std::function<gfx::Pixel(int32_t, int32_t)>& want) const {
        for (int32_t y = r.top; y < r.bottom; ++y) {
            for (int32_t x = r.left; x < r.right; ++x) {
                if (Screen(x, y) != want(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }
    bool Shows(const gfx::Rect& r, gfx::Pixel colour) const {
        return Every(r, [colour](int32_t, int32_t) { return colour; });
    }
    bool ShowsBackground(const gfx::Rect& r) const { return Every(r, BackgroundPixel); }

    platform::headless::HeadlessBackend backend_;
    framework::TComponent root_{nullptr};
    framework::TForm* form_ = MakeForm(root_);
    TSpriteBox* box_ = framework::NewComponent<TSpriteBox>(*form_);
    const gfx::Bitmap& surface_ = form_->Canvas().Target();
    std::unique_ptr<TFrameList> frames_ =
        LoadList(framework::clBlue,
                 {{"a", 0, 0, 40, 30}, {"b", 40, 0, 40, 30}, {"c", 80, 0, 20, 10}}, Strip());

  private:
    static framework::TForm* MakeForm(framework::TComponent& root) {
        auto* form = framework::NewComponent<framework::TForm>(root);
        form->SetBounds(0, 0, 320, 240);
        return form;
    }
    static gfx::Bitmap Strip() {
        constexpr gfx::Pixel kBlue = 0x000000FF;
        std::vector<std::vector<gfx::Pixel>> rows(30, std::vector<gfx::Pixel>(100, kBlue));
        for (size_t y = 0; y < 30; ++y) {
            for (size_t x = 0; x < 40; ++x) {
                rows[y][x] = (x < 5 && y < 5) ? kBlue : kColourA;
                rows[y][40 + x] = (x >= 35 && y >= 25) ? kBlue : kColourB;
                rows[y][80 + x / 2] = y < 10 ? kColourC : kBlue;
            }
        }
        return EightBitStrip(rows);
    }
};

}  // namespace sprites::test
