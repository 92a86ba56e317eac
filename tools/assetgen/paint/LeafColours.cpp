#include <algorithm>

#include "LeafKinds.h"

namespace assetpaint {

namespace {

// Ramps towards the edge: 1 well inside the blade, 0 at the rim.
float Rim(const LeafSample& s, float reach) {
    return std::clamp(s.inside / reach, 0.0F, 1.0F);
}

float Band(float value, float low, float high) {
    return std::clamp((value - low) / (high - low), 0.0F, 1.0F);
}

}  // namespace

Rgb OakColour(const LeafSample& s) {
    const Rgb russet{160, 78, 30};
    const Rgb ochre{200, 140, 48};
    const Rgb olive{150, 140, 52};
    const Rgb edge{96, 50, 22};
    Rgb c = Mix(russet, ochre, Band(s.patches, 0.35F, 0.75F));
    c = Mix(c, olive, 0.7F * Band(s.patches, 0.68F, 0.85F) * Rim(s, 0.25F));
    return Mix(edge, c, 0.35F + 0.65F * Rim(s, 0.12F));
}

Rgb BirchColour(const LeafSample& s) {
    const Rgb gold{240, 190, 38};
    const Rgb lemon{250, 225, 90};
    const Rgb amber{225, 140, 30};
    const Rgb spot{150, 95, 35};
    Rgb c = Mix(gold, lemon, Band(s.patches, 0.3F, 0.7F) * Rim(s, 0.2F));
    c = Mix(amber, c, 0.45F + 0.55F * Rim(s, 0.1F));
    return Mix(c, spot, 0.8F * Band(s.grain * s.patches, 0.55F, 0.62F));
}

Rgb ChestnutColour(const LeafSample& s) {
    const Rgb amber{225, 165, 40};
    const Rgb green{175, 165, 55};
    const Rgb brown{135, 78, 28};
    Rgb c = Mix(amber, green, 0.6F * Band(s.patches, 0.62F, 0.85F) * Rim(s, 0.3F));
    const float browning = Band(Rim(s, 0.22F) + 0.35F * s.patches, 0.25F, 0.9F);
    return Mix(brown, c, browning);
}

Rgb BeechColour(const LeafSample& s) {
    const Rgb copper{210, 102, 30};
    const Rgb amber{232, 150, 45};
    const Rgb brown{150, 70, 26};
    Rgb c = Mix(copper, amber, Band(s.patches, 0.4F, 0.8F) * Rim(s, 0.25F));
    return Mix(brown, c, 0.3F + 0.7F * Rim(s, 0.1F));
}

Rgb MapleColour(const LeafSample& s) {
    const Rgb scarlet{218, 42, 18};
    const Rgb crimson{160, 18, 14};
    const Rgb orange{242, 135, 28};
    const Rgb yellow{250, 195, 50};
    Rgb c = Mix(crimson, scarlet, Rim(s, 0.1F));
    const float heart = Band(Rim(s, 0.4F) + 0.5F * s.patches, 0.7F, 1.35F);
    c = Mix(c, orange, heart);
    return Mix(c, yellow, 0.6F * Band(heart, 0.75F, 1.0F));
}

}  // namespace assetpaint
