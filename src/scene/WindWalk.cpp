#include "scene/WindWalk.h"

#include "base/Exceptions.h"

namespace scene {

namespace {

// Far more passes than any flight across a 32767-pixel stage needs; a sequence whose moves
// cancel out would otherwise walk for ever.
constexpr int64_t kMaxPasses = 4096;

[[noreturn]] void NeverLeaves(const std::string& sequenceName) {
    throw base::Exception("Wind sequence " + sequenceName + " never leaves the screen");
}

}  // namespace

bool WalkArea::InBounds(int32_t x, int32_t y) const {
    return x > -kScreenMargin && y > -kScreenMargin && x < screenWidth + kScreenMargin &&
           y < screenHeight + kScreenMargin;
}

int32_t WalkBack(const std::vector<StepOffset>& steps, const WalkArea& area, int32_t& x, int32_t& y,
                 const std::string& sequenceName) {
    const auto count = static_cast<int32_t>(steps.size());
    int32_t k = 0;
    // At least one step: a leaf started at step k moves by step k at once, so a target that is
    // out of bounds already (a wide first frame at the screen's edge) is reached from the last
    // step, showing the first frame, as every other target is.
    for (int64_t taken = 0; taken == 0 || area.InBounds(x, y); ++taken) {
        if (count == 0 || taken > kMaxPasses * count) {
            NeverLeaves(sequenceName);
        }
        k = k - 1 < 0 ? count - 1 : k - 1;
        x -= steps[static_cast<size_t>(k)].dx;
        y -= steps[static_cast<size_t>(k)].dy;
    }
    return k;
}

void WalkForward(const std::vector<StepOffset>& steps, const WalkArea& area, int32_t k, int32_t& x,
                 int32_t& y, const std::string& sequenceName) {
    const auto count = static_cast<int32_t>(steps.size());
    for (int64_t taken = 0; area.InBounds(x, y); ++taken) {
        if (count == 0 || k < 0 || k >= count || taken > kMaxPasses * count) {
            NeverLeaves(sequenceName);
        }
        x += steps[static_cast<size_t>(k)].dx;
        y += steps[static_cast<size_t>(k)].dy;
        k = k + 1 == count ? 0 : k + 1;
    }
}

}  // namespace scene
