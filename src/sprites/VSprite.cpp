#include "sprites/VSprite.h"

namespace sprites {

bool TVSprite::IntersectsRect(const gfx::Rect& r) const {
    return gfx::RectsIntersect(GetBoundsRect(), r);
}

gfx::Rect TVSprite::GetBoundsRect() const {
    const int32_t left = GetLeft();
    const int32_t top = GetTop();
    return {left, top, left + GetWidth(), top + GetHeight()};
}

}  // namespace sprites
