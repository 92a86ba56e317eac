#pragma once
// The 6-byte real of the stored sequences: byte 0 the exponent (bias 129, 0 means zero),
// bytes 1..5 a 39-bit mantissa, least significant byte first, with the sign in the top bit.

#include <array>
#include <cstdint>

namespace base {

struct Real48 {
    std::array<uint8_t, 6> bytes{};

    // Exact where the value has a 6-byte form; otherwise the nearest one, ties to even.
    // Fails with EOverflow for values too large for the form, infinities and NaN.
    static Real48 FromDouble(double value);
    double ToDouble() const;

    friend bool operator==(const Real48&, const Real48&) = default;
};

// Rounds to the nearest integer, a half going to the even neighbour.
int64_t RoundHalfEven(long double value);

}  // namespace base
