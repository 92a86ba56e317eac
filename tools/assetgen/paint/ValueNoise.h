#pragma once
// Smooth value noise from a hash of the lattice point and a seed: the texture and blotches of
// the leaves, the same on every run.

#include <cstdint>

namespace assetpaint {

class ValueNoise {
  public:
    explicit ValueNoise(uint32_t seed) : seed_(seed) {}
    // Smooth noise in [0, 1] with features about one unit apart.
    float At(float x, float y) const;
    // The sum of octaves octaves, each twice as fine and half as strong; in [0, 1].
    float Fractal(float x, float y, int octaves) const;

  private:
    float Lattice(int32_t x, int32_t y) const;
    uint32_t seed_;
};

}  // namespace assetpaint
