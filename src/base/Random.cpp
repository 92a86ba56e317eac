#include "base/Random.h"

#include <chrono>

namespace base {

namespace {

uint32_t state = 0;

}  // namespace

uint32_t RandSeed() {
    return state;
}

void SetRandSeed(uint32_t seed) {
    state = seed;
}

int32_t Random(int32_t n) {
    state = state * 134775813u + 1u;
    if (n <= 0) {
        return 0;
    }
    return static_cast<int32_t>((uint64_t{state} * static_cast<uint32_t>(n)) >> 32);
}

uint32_t SeedFromTimeOfDay(int hours, int minutes, int seconds, int milliseconds) {
    return static_cast<uint32_t>(((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds);
}

void Randomize() {
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    const auto ms = duration_cast<milliseconds>(now).count() % (24LL * 60 * 60 * 1000);
    SetRandSeed(static_cast<uint32_t>(ms));
}

}  // namespace base
