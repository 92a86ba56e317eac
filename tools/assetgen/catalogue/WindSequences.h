#pragma once
// The five wind sequences of the leaf sprite: "WAAI" + n blows leaf n along its path. Each has
// 16 steps of 0.1 s; a step's move is applied when the sprite leaves it.

#include <array>
#include <cstdint>
#include <string>

namespace assetgen {

inline constexpr int kWindSteps = 16;
inline constexpr double kWindStepTime = 0.1;

struct WindMove {
    int16_t dx = 0;
    int16_t dy = 0;
};

struct WindSequence {
    int leaf = 0;  // 1 to 5
    std::array<WindMove, kWindSteps> moves;
};

// In the stored list order: WAAI4, WAAI1, WAAI2, WAAI3, WAAI5.
const std::array<WindSequence, 5>& WindSequences();

std::string WindSequenceName(const WindSequence& sequence);

// The strip position a step shows: step 0 the leaf's last frame (15), steps 1 to 14 their own
// position, step 15 the first frame (0). A step outside 0 .. 15 fails with base::EListError.
int StripPositionOfStep(int step);

}  // namespace assetgen
