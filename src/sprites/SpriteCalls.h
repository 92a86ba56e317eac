#pragma once

#include "sprites/Sprite.h"

namespace sprites {

// Counts the sprite's own calls that run handlers (MoveTo, CheckHit, a tick). A handler may
// start a tick inside them (PlaySequence), and a sprite released there must outlive the calls
// further out that still use it: only the outermost tick destroys it.
class TSprite::CallInProgress {
  public:
    explicit CallInProgress(TSprite& sprite) : sprite_(&sprite) { ++sprite.callsInProgress_; }
    ~CallInProgress() {
        if (sprite_ != nullptr) {
            --sprite_->callsInProgress_;
        }
    }
    CallInProgress(const CallInProgress&) = delete;
    CallInProgress& operator=(const CallInProgress&) = delete;

    bool Outermost() const { return sprite_->callsInProgress_ == 1; }
    // The sprite is about to be destroyed: nothing of it is touched afterwards.
    void Forget() { sprite_ = nullptr; }

  private:
    TSprite* sprite_;
};

}  // namespace sprites
