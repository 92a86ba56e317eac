#pragma once
// How the spawn timer keeps the number of leaves in flight within what the machine animates:
// the load ratio compares the moves the flying leaves reported with one move per leaf every
// 47 ms; above 0.83 the interval shrinks by 5 %, below 0.71 it grows by 5 %.

#include <cstdint>

#include "base/Real48.h"

namespace scene {

inline constexpr uint32_t kMoveIntervalMs = 47;

// moveCount / ((elapsed div 47) * leafCount), held as a 6-byte real; 1.0 without leaves in
// flight. A divisor of 0 (less than 47 ms since the last spawn) counts as no load either, 1.0,
// rather than dividing by zero.
base::Real48 LoadRatio(int32_t moveCount, uint32_t elapsedMs, int32_t leafCount);

// The next spawn interval for the ratio: the products are taken in extended precision and
// rounded to the nearest integer, halves to even (110 -> 104, 1010 -> 1060).
uint32_t AdaptInterval(uint32_t interval, const base::Real48& ratio);

}  // namespace scene
