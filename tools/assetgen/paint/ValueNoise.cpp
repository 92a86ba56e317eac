#include "ValueNoise.h"

#include <cmath>

namespace assetpaint {

namespace {

float Smooth(float t) {
    return t * t * (3.0F - 2.0F * t);
}

}  // namespace

float ValueNoise::Lattice(int32_t x, int32_t y) const {
    uint32_t h =
        seed_ ^ (static_cast<uint32_t>(x) * 0x8DA6B343U) ^ (static_cast<uint32_t>(y) * 0xD8163841U);
    h ^= h >> 13;
    h *= 0x5BD1E995U;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFU) / 65535.0F;
}

float ValueNoise::At(float x, float y) const {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<int32_t>(fx);
    const auto iy = static_cast<int32_t>(fy);
    const float tx = Smooth(x - fx);
    const float ty = Smooth(y - fy);
    const float top = Lattice(ix, iy) + (Lattice(ix + 1, iy) - Lattice(ix, iy)) * tx;
    const float bottom = Lattice(ix, iy + 1) + (Lattice(ix + 1, iy + 1) - Lattice(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

float ValueNoise::Fractal(float x, float y, int octaves) const {
    float sum = 0.0F;
    float weight = 1.0F;
    float total = 0.0F;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += At(x, y) * weight;
        total += weight;
        weight *= 0.5F;
        x = x * 2.0F + 17.3F;
        y = y * 2.0F + 5.1F;
    }
    return total > 0.0F ? sum / total : 0.0F;
}

}  // namespace assetpaint
