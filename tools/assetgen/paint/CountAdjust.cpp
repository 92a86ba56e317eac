#include "CountAdjust.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "base/Exceptions.h"

namespace assetpaint {

namespace {

struct Candidate {
    int32_t x;
    int32_t y;
    int score;  // neighbours on the far side: higher goes first
    uint8_t refill;
};

// Counts the 8 neighbours for which test holds.
template <typename Test>
int Neighbours(const IndexedImage& p, int32_t x, int32_t y, Test test) {
    int count = 0;
    for (int32_t dy = -1; dy <= 1; ++dy) {
        for (int32_t dx = -1; dx <= 1; ++dx) {
            if ((dx != 0 || dy != 0) && p.Contains(x + dx, y + dy) && test(p.At(x + dx, y + dy))) {
                ++count;
            }
        }
    }
    return count;
}

// The index of a 4-neighbour that the ink may give a pixel back to; false if none.
bool RefillFor(const IndexedImage& p, int32_t x, int32_t y, const AdjustRules& rules, uint8_t ink,
               uint8_t& refill) {
    constexpr int32_t kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& step : kSteps) {
        const int32_t nx = x + step[0];
        const int32_t ny = y + step[1];
        if (p.Contains(nx, ny) && p.At(nx, ny) != ink && rules.exchangeable(p.At(nx, ny))) {
            refill = p.At(nx, ny);
            return true;
        }
    }
    return false;
}

std::vector<Candidate> Collect(const IndexedImage& p, uint8_t ink, bool grow,
                               const AdjustRules& rules) {
    std::vector<Candidate> found;
    const PixelBox& box = rules.limit;
    for (int32_t y = std::max(box.top, 0); y <= std::min(box.bottom, p.Height() - 1); ++y) {
        for (int32_t x = std::max(box.left, 0); x <= std::min(box.right, p.Width() - 1); ++x) {
            const uint8_t index = p.At(x, y);
            const auto isInk = [ink](uint8_t i) { return i == ink; };
            const auto notInk = [ink](uint8_t i) { return i != ink; };
            uint8_t refill = ink;
            if (grow && index != ink && rules.exchangeable(index)) {
                const int score = Neighbours(p, x, y, isInk);
                if (score > 0) {
                    found.push_back({x, y, score, ink});
                }
            } else if (!grow && index == ink && RefillFor(p, x, y, rules, ink, refill)) {
                found.push_back({x, y, Neighbours(p, x, y, notInk), refill});
            }
        }
    }
    // Corners and notches first; along an even edge, one run in reading order.
    std::stable_sort(found.begin(), found.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
    return found;
}

// Ink pixels on each border line of the box: left, right, top, bottom.
struct BorderInk {
    std::array<size_t, 4> lines{};

    static BorderInk Count(const IndexedImage& p, uint8_t ink, const PixelBox& box) {
        BorderInk border;
        for (int32_t y = box.top; y <= box.bottom; ++y) {
            border.lines[0] += p.Contains(box.left, y) && p.At(box.left, y) == ink ? 1U : 0U;
            border.lines[1] += p.Contains(box.right, y) && p.At(box.right, y) == ink ? 1U : 0U;
        }
        for (int32_t x = box.left; x <= box.right; ++x) {
            border.lines[2] += p.Contains(x, box.top) && p.At(x, box.top) == ink ? 1U : 0U;
            border.lines[3] += p.Contains(x, box.bottom) && p.At(x, box.bottom) == ink ? 1U : 0U;
        }
        return border;
    }

    // Takes the pixel off its border lines unless it is the last ink on one of them.
    bool Release(const PixelBox& box, int32_t x, int32_t y) {
        const std::array<bool, 4> on = {x == box.left, x == box.right, y == box.top,
                                        y == box.bottom};
        for (size_t i = 0; i < 4; ++i) {
            if (on[i] && lines[i] <= 1) {
                return false;
            }
        }
        for (size_t i = 0; i < 4; ++i) {
            lines[i] -= on[i] ? 1U : 0U;
        }
        return true;
    }
};

}  // namespace

void AdjustInkCount(IndexedImage& picture, uint8_t ink, size_t target, const AdjustRules& rules) {
    size_t count = picture.Count(ink);
    while (count != target) {
        const bool grow = count < target;
        const std::vector<Candidate> candidates = Collect(picture, ink, grow, rules);
        if (candidates.empty()) {
            throw base::EInvalidGraphic("AdjustInkCount: cannot reach " + std::to_string(target) +
                                        " pixels, stuck at " + std::to_string(count));
        }
        // A whole layer of the edge moves at once while more than a layer is wanted, so the
        // shapes grow or shrink evenly; the last, partial layer is taken in order.
        const size_t wanted = grow ? target - count : count - target;
        BorderInk border = BorderInk::Count(picture, ink, rules.limit);
        size_t changed = 0;
        for (size_t i = 0; i < candidates.size() && changed < wanted; ++i) {
            const Candidate& c = candidates[i];
            if (grow || border.Release(rules.limit, c.x, c.y)) {
                picture.Set(c.x, c.y, c.refill);
                ++changed;
            }
        }
        if (changed == 0) {
            throw base::EInvalidGraphic("AdjustInkCount: cannot reach " + std::to_string(target) +
                                        " pixels without leaving the box, stuck at " +
                                        std::to_string(count));
        }
        count = grow ? count + changed : count - changed;
    }
}

}  // namespace assetpaint
