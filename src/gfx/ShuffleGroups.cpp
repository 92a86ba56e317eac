#include "gfx/ShuffleGroups.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <type_traits>

namespace gfx::raster {

namespace {

template <class Group>
constexpr int32_t kLanesOf = static_cast<int32_t>(std::size(Group{}.pick));

// Where a group finds its mask bits: a byte and each lane's shift from its top, or a word of
// eight bytes and each lane's bit in it (read little-endian, pixel p from the word's first bit
// is its bit p ^ 7). The word starts at the byte of the group's first span pixel, or where the
// row ends sooner, at its last eight bytes.
void PlaceMaskBits(ShuffleGroup& group, const StretchedSpan& span) {
    const int32_t bit = span.first + group.start;
    group.maskByte = bit >> 3;
    for (int32_t k = 0; k < kLanesOf<ShuffleGroup>; ++k) {
        group.maskShift[k] = (bit & 7) + group.pick[k];
    }
}

void PlaceMaskBits(WideShuffleGroup& group, const StretchedSpan& span) {
    const int32_t bit = span.first + group.start;
    group.maskByte = std::min(bit >> 3, span.maskBytes - 8);
    for (int32_t k = 0; k < kLanesOf<WideShuffleGroup>; ++k) {
        group.maskBit[k] = static_cast<uint8_t>((bit + group.pick[k] - 8 * group.maskByte) ^ 7);
    }
}

// The group of the destination pixels from `from` on, or none when their places spread over
// the span pixels of two registers or more.
template <class Group>
std::optional<Group> GroupAt(const StretchedSpan& span, int32_t from) {
    constexpr int32_t lanes = kLanesOf<Group>;
    const auto places = span.places.begin() + from;
    const auto [low, high] = std::minmax_element(places, places + lanes);
    if (*high - *low >= 2 * lanes) {
        return std::nullopt;
    }
    Group group;
    using Pick = std::remove_reference_t<decltype(group.pick[0])>;  // bytes in the wide groups
    group.start = std::min(*low, span.spanCount - 2 * lanes);       // the pixels stay in the span
    for (int32_t k = 0; k < lanes; ++k) {
        group.pick[k] = static_cast<Pick>(places[k] - group.start);
    }
    PlaceMaskBits(group, span);
    return group;
}

// The whole groups of a row, then the one of its last pixels.
template <class Group>
std::vector<Group> GroupsOf(const StretchedSpan& span) {
    constexpr int32_t lanes = kLanesOf<Group>;
    const auto count = static_cast<int32_t>(span.places.size());
    if (count < lanes || span.spanCount < 2 * lanes) {
        return {};
    }
    const int32_t full = count / lanes;
    std::vector<Group> groups;
    groups.reserve(static_cast<size_t>(full) + 1);
    for (int32_t g = 0; g <= full; ++g) {
        const std::optional<Group> group =
            GroupAt<Group>(span, g < full ? lanes * g : count - lanes);
        if (!group) {
            return {};
        }
        groups.push_back(*group);
    }
    return groups;
}

}  // namespace

std::vector<ShuffleGroup> ShuffleGroupsOf(const StretchedSpan& span) {
    return GroupsOf<ShuffleGroup>(span);
}

std::vector<WideShuffleGroup> WideShuffleGroupsOf(const StretchedSpan& span) {
    if (span.maskBytes < 8) {
        return {};
    }
    return GroupsOf<WideShuffleGroup>(span);
}

}  // namespace gfx::raster
