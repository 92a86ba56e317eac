#include "sprites/LayerCovers.h"

namespace sprites {

// From the top down: what layers i on cover is what layers i + 1 on cover, and layer i's own.
void LayerCovers::Measure(const std::vector<Layer>& layers, int32_t height) {
    covers_.resize(layers.size() + 1);
    covers_.back().Reset(height);
    for (size_t i = layers.size(); i-- > 0;) {
        covers_[i] = covers_[i + 1];
        layers[i].sprite->CoverOpaquePixels(covers_[i], layers[i].x, layers[i].y);
    }
}

}  // namespace sprites
