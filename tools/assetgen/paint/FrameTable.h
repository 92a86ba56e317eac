#pragma once
// Named rectangles in a picture strip, as the sprites' frame lists store them.

#include <cstdint>
#include <string>
#include <vector>

namespace assetpaint {

struct FrameEntry {
    std::string name;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

using FrameTable = std::vector<FrameEntry>;

// The 80 leaf frames: leaf 1..5, strip positions 0..15, left to right at y = 0.
FrameTable LeafFrameTable();
// The three logo frames "ster", "etiket" and "bar".
FrameTable LogoFrameTable();

// The name of a leaf frame: "blad" + leaf + "_" + its suffix; fails with base::EListError
// outside leaf 1..5 and position 0..15.
std::string LeafFrameName(int leafNumber, int position);

// The width and height a strip needs to hold the frames.
int32_t StripWidth(const FrameTable& frames);
int32_t StripHeight(const FrameTable& frames);

}  // namespace assetpaint
