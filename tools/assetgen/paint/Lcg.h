#pragma once
// A small linear congruential generator with a fixed seed, so that every run paints the same
// bytes (no clock, no system entropy).

#include <cstdint>

namespace assetpaint {

class Lcg {
  public:
    explicit Lcg(uint32_t seed) : state_(seed) {}

    uint32_t Next() {
        state_ = state_ * 1664525U + 1013904223U;
        return state_;
    }
    // A number in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0F; }
    // A number in [low, high).
    float Range(float low, float high) { return low + (high - low) * Unit(); }

  private:
    uint32_t state_;
};

}  // namespace assetpaint
