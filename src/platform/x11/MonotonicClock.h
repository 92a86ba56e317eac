#pragma once
// The real clock of the X backend: milliseconds of the system's monotonic clock, which does
// not jump when the time of day is set. The tick counter is its low 32 bits.

#include <cstdint>

namespace platform::x11 {

uint64_t MonotonicMilliseconds();

inline uint32_t TickCountFrom(uint64_t milliseconds) {
    return static_cast<uint32_t>(milliseconds);
}

}  // namespace platform::x11
