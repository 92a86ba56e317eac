// The end of a flight: every move of a live leaf is counted for the load ratio, and a leaf
// reported within 10 pixels of its target is retired: landed (stamped into the background
// and recorded) while covering, simply gone while revealing.

#include <cstdlib>

#include "base/Exceptions.h"
#include "scene/MainForm.h"

namespace scene {

namespace {

constexpr int32_t kArrivalDistance = 10;

}  // namespace

// The position reported is the one proposed; the distance is measured from where the sprite
// is before the move. X and Y are left as they are.
void TfrmMain::spriteBladerenMove(sprites::TSprite& sender, int32_t& /*x*/, int32_t& /*y*/) {
    if (sender.Tag() == 0) {
        return;  // the prototype, or a leaf not yet launched or being retired
    }
    ++MoveCount;
    TLeaf* leaf = LeafList.FindBySprite(sender);
    if (leaf == nullptr) {
        throw base::Exception("Leaf bestaat niet");
    }
    const int32_t distance =
        std::abs(leaf->TargetX - sender.GetX()) + std::abs(leaf->TargetY - sender.GetY());
    if (distance < kArrivalDistance) {
        RetireLeaf(*leaf);
    }
}

void TfrmMain::RetireLeaf(TLeaf& leaf) {
    std::unique_ptr<TLeaf> retired = LeafList.Remove(leaf);
    sprites::TSprite& sprite = *leaf.Sprite;
    if (Phase == phCover) {
        StampLeaf(sprite);
        LeafPosList.Add(std::make_unique<TLeafPos>(leaf.TargetX, leaf.TargetY, sprite.GetWidth(),
                                                   sprite.GetHeight(), sprite.CurrentFrame(),
                                                   sprite.GetSequenceName()));
    }
    sprite.SetTag(0);
    sprite.SetVisible(false);  // the box redraws the area from the background
    // `retired` goes here: the leaf releases its sprite, which destroys itself at its next tick.
}

}  // namespace scene
