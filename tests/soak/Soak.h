#pragma once
// The soak: the saver at 1920 x 1080 on the headless backend with the virtual clock, the tick
// counter starting five minutes before it wraps. After every phase change it checks the grid
// accounting, that released sprites were destroyed, that components, bitmaps and timers stay
// flat, and (after the first cycle) that resident memory does not grow; at every slice that
// the spawn interval stays within 96 and 5249 ms.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "SaverRig.h"

namespace soak {

struct SoakOptions {
    uint64_t saverMilliseconds = 3600 * 1000;
    int32_t width = 1920;
    int32_t height = 1080;
    uint32_t seed = 20261206;
    // Resident memory may exceed its level after the first cycle by this much (allocator
    // slack); 0 leaves memory unchecked (as under the sanitizers, whose quarantine grows).
    int64_t residentSlackBytes = 4 << 20;
    // Told a line of progress now and then (may be empty).
    std::function<void(const std::string&)> progress;
};

struct SoakFigures {
    uint64_t saverMilliseconds = 0;
    double wallSeconds = 0;
    int phaseChanges = 0;
    uint32_t smallestInterval = 0;
    uint32_t largestInterval = 0;
    int64_t residentAfterFirstCycle = 0;
    int64_t residentPeak = 0;
    int64_t residentEnd = 0;
    reliability::ResourceCounts start;
    reliability::ResourceCounts end;
    std::vector<std::string> faults;  // empty when every check held

    std::string Report() const;
};

SoakFigures RunSoak(const SoakOptions& options);

}  // namespace soak
