#pragma once
// The walks that lay out a leaf's flight so that its wind sequence passes exactly through its
// target: backwards from a landing point until the start lies outside the screen widened by
// 100 pixels, and forwards from a lifted leaf until it has left that area.

#include <cstdint>
#include <string>
#include <vector>

namespace scene {

inline constexpr int32_t kScreenMargin = 100;

struct StepOffset {
    int32_t dx = 0;
    int32_t dy = 0;
};

struct WalkArea {
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    // True exactly when x > -100, y > -100, x < width + 100 and y < height + 100.
    bool InBounds(int32_t x, int32_t y) const;
};

// From the landing position (x, y), steps are taken off backwards, starting with the last,
// once and then while the position is in bounds; returns the step to start playing from and moves
// (x, y) to the start position. Fails with base::Exception naming the sequence when it never
// leaves.
int32_t WalkBack(const std::vector<StepOffset>& steps, const WalkArea& area, int32_t& x, int32_t& y,
                 const std::string& sequenceName);

// From (x, y) at step k, the steps are added forwards while in bounds; (x, y) becomes the
// target outside the area. Fails like WalkBack.
void WalkForward(const std::vector<StepOffset>& steps, const WalkArea& area, int32_t k, int32_t& x,
                 int32_t& y, const std::string& sequenceName);

}  // namespace scene
