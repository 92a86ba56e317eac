#include "gfx/RasterPlan.h"

#include <algorithm>
#include <array>

namespace gfx::raster {

namespace {

struct Range {
    int64_t low = 0;   // inclusive
    int64_t high = 0;  // exclusive
    bool Empty() const { return high <= low; }
};

Range Intersect(Range a, Range b) {
    return {std::max(a.low, b.low), std::min(a.high, b.high)};
}

// Offsets k in 0 .. n - 1 for which origin + direction * k lies in [low, high).
Range OffsetsInside(int64_t origin, int64_t direction, int64_t n, int64_t low, int64_t high) {
    const Range inside = direction > 0 ? Range{low - origin, high - origin}
                                       : Range{origin - high + 1, origin - low + 1};
    return Intersect(inside, {0, n});
}

// The smallest destination offset whose scaled source offset is at least o (0 <= o <= m):
// the ceiling of (2 n o - m) / 2 m, and 0 when that is not positive.
int64_t FirstOffsetReaching(int64_t o, int64_t n, int64_t m) {
    const uint64_t reach = 2 * Wide(n) * Wide(o);
    if (reach <= Wide(m)) {
        return 0;
    }
    const uint64_t divisor = 2 * Wide(m);
    return static_cast<int64_t>((reach - Wide(m) + divisor - 1) / divisor);
}

int64_t Sign(int64_t value) {
    return value < 0 ? -1 : 1;
}

// Destination offsets whose source lies inside the source range.
Range OffsetsWithSource(const AxisRequest& r, int64_t n, int64_t m) {
    const Range sourceOffsets =
        OffsetsInside(r.sourceOrigin, Sign(r.sourceExtent), m, r.sourceLow, r.sourceHigh);
    if (n == m) {
        return sourceOffsets;
    }
    if (sourceOffsets.Empty()) {
        return {};
    }
    return {FirstOffsetReaching(sourceOffsets.low, n, m),
            std::min(n, FirstOffsetReaching(sourceOffsets.high, n, m))};
}

// The sources origin + direction * ScaledOffset(k, n, m) for k = first, first + 1, ... into
// `sources`, without a wide division per step: the quotient and remainder of (2k + 1) m / 2n
// grow by those of 2m / 2n, the direction taken into the quotient's steps. The table is
// filled kLanes entries at a time, each lane stepping kLanes entries on, so that the lanes'
// steps do not wait for each other.
void FillScaledSources(std::vector<int32_t>& sources, int64_t first, int64_t n, int64_t m,
                       int64_t origin, int64_t direction) {
    constexpr size_t kLanes = 4;
    const int64_t divisor = 2 * n;
    // Entry k's source and remainder for the first kLanes entries, stepped one by one.
    std::array<int64_t, kLanes> source{};
    std::array<int64_t, kLanes> remainder{};
    source[0] = origin + direction * ScaledOffset(first, n, m);
    remainder[0] = static_cast<int64_t>((2 * Wide(first) + 1) * Wide(m) % Wide(divisor));
    const int64_t remainderStep = 2 * (m % n);
    const int64_t sourceStep = direction * (m / n);
    for (size_t lane = 1; lane < kLanes; ++lane) {
        const bool carry = remainder[lane - 1] + remainderStep >= divisor;
        remainder[lane] = remainder[lane - 1] + remainderStep - (carry ? divisor : 0);
        source[lane] = source[lane - 1] + sourceStep + (carry ? direction : 0);
    }
    // kLanes entries on: (2k + 1 + 2 kLanes) m / 2n, so the quotient and remainder of
    // 2 kLanes m / 2n are added (the product fits: m is at most 2^31).
    const uint64_t blockStep = 2 * kLanes * Wide(m);
    const auto blockRemainder = static_cast<int64_t>(blockStep % Wide(divisor));
    const int64_t blockSource = direction * static_cast<int64_t>(blockStep / Wide(divisor));
    const size_t size = sources.size();
    size_t i = 0;
    for (; i + kLanes <= size; i += kLanes) {
        for (size_t lane = 0; lane < kLanes; ++lane) {
            sources[i + lane] = static_cast<int32_t>(source[lane]);
            const bool carry = remainder[lane] + blockRemainder >= divisor;
            remainder[lane] += blockRemainder - (carry ? divisor : 0);
            source[lane] += blockSource + (carry ? direction : 0);
        }
    }
    for (size_t lane = 0; i + lane < size; ++lane) {
        sources[i + lane] = static_cast<int32_t>(source[lane]);
    }
}

void FillSource(AxisMap& map, const AxisRequest& r, Range k, int64_t n, int64_t m) {
    const int64_t destDirection = Sign(r.destExtent);
    const int64_t sourceDirection = Sign(r.sourceExtent);
    // Destination ascends with k, or descends (mirrored destination): first k of the walk.
    const int64_t firstK = destDirection > 0 ? k.low : k.high - 1;
    if (n == m) {
        map.sourceStart = static_cast<int32_t>(r.sourceOrigin + sourceDirection * firstK);
        map.step = static_cast<int32_t>(sourceDirection * destDirection);
        return;
    }
    // The sources in the order of k, reversed for a mirrored destination (which walks k
    // downwards).
    map.table.resize(static_cast<size_t>(map.count));
    FillScaledSources(map.table, k.low, n, m, r.sourceOrigin, sourceDirection);
    if (destDirection < 0) {
        std::reverse(map.table.begin(), map.table.end());
    }
}

}  // namespace

// A table ascends or descends (FillSource walks the offsets in order), so its extremes are its
// ends.
int32_t AxisMap::SourceMin() const {
    if (Scaled()) {
        return std::min(table.front(), table.back());
    }
    return step > 0 ? sourceStart : sourceStart + step * (count - 1);
}

int32_t AxisMap::SourceMax() const {
    if (Scaled()) {
        return std::max(table.front(), table.back());
    }
    return step > 0 ? sourceStart + step * (count - 1) : sourceStart;
}

std::vector<int32_t> AxisMap::SourceTable() const {
    if (Scaled()) {
        return table;
    }
    std::vector<int32_t> result(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        result[static_cast<size_t>(i)] = sourceStart + step * i;
    }
    return result;
}

AxisMap MapAxis(const AxisRequest& r) {
    AxisMap map;
    const int64_t n = r.destExtent < 0 ? -r.destExtent : r.destExtent;
    const int64_t m = r.sourceExtent < 0 ? -r.sourceExtent : r.sourceExtent;
    if (n == 0 || (r.hasSource && m == 0)) {
        return map;
    }
    Range k = OffsetsInside(r.destOrigin, Sign(r.destExtent), n, r.destLow, r.destHigh);
    if (r.hasSource) {
        k = Intersect(k, OffsetsWithSource(r, n, m));
    }
    if (k.Empty()) {
        return map;
    }
    map.count = static_cast<int32_t>(k.high - k.low);
    const int64_t firstDest = r.destExtent > 0 ? r.destOrigin + k.low : r.destOrigin - (k.high - 1);
    map.destStart = static_cast<int32_t>(firstDest);
    if (r.hasSource) {
        FillSource(map, r, k, n, m);
    }
    return map;
}

}  // namespace gfx::raster
