#pragma once
// The program's one pseudo-random generator: a linear congruential generator with a 32-bit
// state, state := state * 134775813 + 1 (mod 2^32); Random(n) = (state * n) div 2^32.

#include <cstdint>

namespace base {

uint32_t RandSeed();
void SetRandSeed(uint32_t seed);

// An integer from 0 to n - 1 (0 when n is not positive).
int32_t Random(int32_t n);

// The seed for a UTC time of day: ((hours * 60 + minutes) * 60 + seconds) * 1000 + ms.
uint32_t SeedFromTimeOfDay(int hours, int minutes, int seconds, int milliseconds);

// Seeds the generator from the current UTC time of day.
void Randomize();

}  // namespace base
