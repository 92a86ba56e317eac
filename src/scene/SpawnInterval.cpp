#include "scene/SpawnInterval.h"

namespace scene {

namespace {

constexpr long double kBusyRatio = 0.83L;
constexpr long double kIdleRatio = 0.71L;
constexpr long double kShrink = 0.95L;
constexpr long double kGrow = 1.05L;
constexpr uint32_t kShortestToShrink = 100;  // shrinks only above this
constexpr uint32_t kLongestToGrow = 5000;    // grows only below this

}  // namespace

base::Real48 LoadRatio(int32_t moveCount, uint32_t elapsedMs, int32_t leafCount) {
    const auto steps = static_cast<int32_t>(elapsedMs / kMoveIntervalMs);
    const int64_t expected = int64_t{steps} * leafCount;
    if (leafCount <= 0 || expected <= 0) {
        return base::Real48::FromDouble(1.0);
    }
    const long double ratio = static_cast<long double>(moveCount) / expected;
    return base::Real48::FromDouble(static_cast<double>(ratio));
}

uint32_t AdaptInterval(uint32_t interval, const base::Real48& ratio) {
    const long double r = ratio.ToDouble();
    if (r > kBusyRatio) {
        if (interval > kShortestToShrink) {
            return static_cast<uint32_t>(base::RoundHalfEven(interval * kShrink));
        }
    } else if (r < kIdleRatio) {
        if (interval < kLongestToGrow) {
            return static_cast<uint32_t>(base::RoundHalfEven(interval * kGrow));
        }
    }
    return interval;
}

}  // namespace scene
