#pragma once
// TVSprite: the abstract base of every sprite, the interface through which the sprite box
// orders, tests and draws the sprites registered with it. It holds the visibility and the
// position (X, Y on the stage, Z as depth, larger is farther) in 16 bits each: the setters keep
// the low 16 bits of the value given and the getters sign-extend it. Size and drawing are the
// descendant's.

#include <cstdint>
#include <string>

#include "framework/Component.h"
#include "gfx/Canvas.h"
#include "gfx/CoveredRows.h"
#include "gfx/Rect.h"

namespace sprites {

// The low 16 bits of value read as a signed number.
inline constexpr int16_t Low16(int32_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu));
}

class TVSprite : public framework::TComponent {
  public:
    explicit TVSprite(framework::TComponent* owner) : TComponent(owner) {}

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value) { visible_ = value; }
    virtual void SetX(int32_t value) { x_ = Low16(value); }
    virtual void SetY(int32_t value) { y_ = Low16(value); }
    virtual void SetZ(int32_t value) { z_ = Low16(value); }
    virtual int32_t GetX() const { return x_; }
    virtual int32_t GetY() const { return y_; }
    virtual int32_t GetZ() const { return z_; }
    // Left and Top go through the virtual X and Y operations, so overrides apply to both names.
    virtual int32_t GetLeft() const { return GetX(); }
    virtual void SetLeft(int32_t value) { SetX(value); }
    virtual int32_t GetTop() const { return GetY(); }
    virtual void SetTop(int32_t value) { SetY(value); }
    // -1 for a sprite that shows no picture.
    virtual int32_t GetWidth() const = 0;
    virtual int32_t GetHeight() const = 0;
    // Draws the sprite with its top-left corner at (origin.left + x, origin.top + y).
    virtual void Draw(gfx::Canvas& canvas, int32_t x, int32_t y, const gfx::Rect& origin) = 0;
    virtual void DrawScaled(gfx::Canvas& canvas, int32_t x, int32_t y, const gfx::Rect& origin,
                            double scale) = 0;
    // Marks the pixels that Draw at (x, y), on a canvas with black as its text colour, gives
    // the sprite's own colours whatever they held (see gfx::CoveredRows); it may mark fewer.
    // An override of Draw that changes what is drawn must override this too. By default none.
    virtual void CoverOpaquePixels(gfx::CoveredRows& /*rows*/, int32_t /*x*/, int32_t /*y*/) const {
    }
    // True when the sprite's bounds and r have pixels in common.
    virtual bool IntersectsRect(const gfx::Rect& r) const;

    // (Left, Top, Left + Width, Top + Height); empty for a sprite without a picture.
    gfx::Rect GetBoundsRect() const;

    std::string ClassName() const override { return "TVSprite"; }

  private:
    bool visible_ = false;
    int16_t x_ = 0;
    int16_t y_ = 0;
    int16_t z_ = 0;
};

}  // namespace sprites
