#pragma once
// The clipping step of a block transfer: which destination columns (or rows) a copy touches
// and which source column (or row) each one reads, after clipping to both bitmaps.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gfx::raster {

// One axis of a transfer: origins and signed extents as the caller gave them, and the
// half-open ranges of valid destination and source coordinates.
struct AxisRequest {
    int64_t destOrigin = 0;
    int64_t destExtent = 0;
    int64_t sourceOrigin = 0;
    int64_t sourceExtent = 0;
    int32_t destLow = 0;
    int32_t destHigh = 0;
    int32_t sourceLow = 0;
    int32_t sourceHigh = 0;
    bool hasSource = true;
};

// The clipped mapping: destination coordinates destStart .. destStart + count - 1, in
// ascending order. Unscaled, the source of destStart + i is sourceStart + step * i; scaled,
// it is table[i].
struct AxisMap {
    int32_t destStart = 0;
    int32_t count = 0;
    int32_t sourceStart = 0;
    int32_t step = 1;
    std::vector<int32_t> table;

    bool Empty() const { return count <= 0; }
    bool Scaled() const { return !table.empty(); }
    // Source coordinates ascend one by one with the destination: the row-wise fast path.
    bool Forward() const { return !Scaled() && step == 1; }
    int32_t SourceAt(int32_t i) const {
        return Scaled() ? table[static_cast<size_t>(i)] : sourceStart + step * i;
    }
    int32_t SourceMin() const;
    int32_t SourceMax() const;
    // The source coordinate of every destination coordinate, for the per-pixel kernels.
    std::vector<int32_t> SourceTable() const;
};

AxisMap MapAxis(const AxisRequest& request);

// Products of two extents reach 2^63 at the extremes (extents up to 2^31). Offsets and extents
// are never negative here, so the products are taken in unsigned 64-bit arithmetic, which
// every target has (32-bit ones included), and fit.
inline uint64_t Wide(int64_t value) {
    return static_cast<uint64_t>(value);
}

// Nearest-pixel mapping: the source offset read by destination offset k when n destination
// pixels show m source pixels (pixel centres mapped); k >= 0, n > 0, m >= 0.
inline int64_t ScaledOffset(int64_t k, int64_t n, int64_t m) {
    return static_cast<int64_t>((2 * Wide(k) + 1) * Wide(m) / (2 * Wide(n)));
}

}  // namespace gfx::raster
