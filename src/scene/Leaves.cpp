#include "scene/Leaves.h"

namespace scene {

TLeaf* TLeafList::FindBySprite(const sprites::TSprite& sprite) const {
    for (int32_t i = 0; i < Count(); ++i) {
        if (Items(i).Sprite == &sprite) {
            return &Items(i);
        }
    }
    return nullptr;
}

}  // namespace scene
