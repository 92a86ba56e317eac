// TSprite's hit test. htRect reports every other visible sprite of the box whose bounds meet
// this one's; htPixel refines that to sprites that have an opaque pixel in common with it.

#include <algorithm>
#include <vector>

#include "gfx/Raster.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"
#include "sprites/SpriteCalls.h"

namespace sprites {
namespace {

// Rows of the test bitmap are a whole number of 16-pixel words.
int32_t WordAligned(int32_t width) {
    return (width + 15) / 16 * 16;
}

}  // namespace

// The box is asked anew for every sprite: a handler may change the box's list or leave it.
// Once a handler has changed the list (a depth changed re-sorts it, a sprite left it), the
// walk starts again from the top and passes over the sprites already looked at, so that each
// is looked at once. Until then it is a plain walk.
void TSprite::CheckHit() {
    CallInProgress call(*this);
    std::vector<const TVSprite*> lookedAt;  // kept once the list has changed under the walk
    bool listChanged = false;
    for (int32_t i = 0; OnHit && hitTest_ != THitTest::htNone && spriteBox_ != nullptr &&
                        i < spriteBox_->SpriteCount();
         ++i) {
        TVSprite* candidate = spriteBox_->Sprites(i);
        if (listChanged) {
            if (std::find(lookedAt.begin(), lookedAt.end(), candidate) != lookedAt.end()) {
                continue;
            }
            lookedAt.push_back(candidate);
        }
        auto* other = dynamic_cast<TSprite*>(candidate);
        if (other == nullptr || other == this || !other->Visible()) {
            continue;
        }
        const gfx::Rect common = gfx::IntersectRect(GetBoundsRect(), other->GetBoundsRect());
        if (common.IsEmpty() || (hitTest_ == THitTest::htPixel && !PixelsMeet(*other, common))) {
            continue;
        }
        if (!listChanged) {  // the walk so far, before the handler can change the list
            lookedAt.clear();
            for (int32_t j = 0; j <= i; ++j) {
                lookedAt.push_back(spriteBox_->Sprites(j));
            }
        }
        const TSpriteBox* box = spriteBox_;
        const uint64_t changes = box->ListChanges();
        TOnHitEvent handler = OnHit;
        handler(*this, *other);
        listChanged = listChanged || spriteBox_ != box || box->ListChanges() != changes;
        if (listChanged) {
            i = -1;
        }
    }
}

// Both masks are ORed over the common area into a black test bitmap: a mask bit is 1 where
// its frame is transparent, so a pixel left black is opaque in both. The frames are taken
// unmirrored. The area is scanned column by column from the left, each from the top.
bool TSprite::PixelsMeet(const TSprite& other, const gfx::Rect& common) const {
    const TFrame* mine = CurrentFrameObject();
    const TFrame* theirs = other.CurrentFrameObject();
    if (mine == nullptr || theirs == nullptr) {
        return false;
    }
    gfx::Bitmap test(WordAligned(common.Width()), common.Height(), gfx::PixelFormat::Mono);
    gfx::BitBlt(test.GetCanvas(), 0, 0, test.Width(), test.Height(), nullptr, 0, 0,
                gfx::Rop::Blackness);
    for (const auto& [sprite, frame] : {std::pair{this, mine}, std::pair{&other, theirs}}) {
        gfx::BitBlt(test.GetCanvas(), 0, 0, common.Width(), common.Height(),
                    &sprite->GetMaskBitmap()->GetCanvas(),
                    frame->X() + common.left - sprite->GetX(),
                    frame->Y() + common.top - sprite->GetY(), gfx::Rop::SrcPaint);
    }
    for (int32_t x = 0; x < common.Width(); ++x) {
        for (int32_t y = 0; y < common.Height(); ++y) {
            if (!gfx::MonoBitAt(test.MonoRow(y), x)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace sprites
