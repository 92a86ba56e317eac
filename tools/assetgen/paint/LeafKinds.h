#pragma once
// The five leaf kind of the saver as flat drawings in leaf space: the blade outline, the
// veins and the stem, with the stem's end at the origin side and the tip towards +y.

#include <vector>

#include "Geometry.h"
#include "Rgb.h"

namespace assetpaint {

enum class LeafKind { Oak, Birch, Chestnut, Beech, Maple };

struct Vein {
    Polyline path;
    float width = 1.0F;  // in pixels of a leaf about 150 pixels across
};

// What a colour function knows about one point of the blade.
struct LeafSample {
    Vec2 leaf;             // the point in leaf space
    float inside = 0.0F;   // pixels from the edge, relative to the leaf size (0 at the edge)
    float patches = 0.0F;  // slow noise in [0, 1], for blotches
    float grain = 0.0F;    // fine noise in [0, 1], for texture
};

struct LeafDrawing {
    LeafKind kind = LeafKind::Oak;
    Polyline outline;  // closed
    std::vector<Vein> veins;
    Polyline stem;
    float stemWidth = 2.5F;
    Rgb stemColour;
    Rgb veinColour;
    float veinStrength = 0.5F;  // how far a vein pixel moves towards veinColour
    Rgb (*colour)(const LeafSample&) = nullptr;
};

// The kind of leaf 1 to 5 of the strip; another number fails with base::EListError.
LeafKind KindOfLeaf(int leafNumber);
const LeafDrawing& DrawingOf(LeafKind kind);

// The front colours of each kind.
Rgb OakColour(const LeafSample& sample);
Rgb BirchColour(const LeafSample& sample);
Rgb ChestnutColour(const LeafSample& sample);
Rgb BeechColour(const LeafSample& sample);
Rgb MapleColour(const LeafSample& sample);

}  // namespace assetpaint
