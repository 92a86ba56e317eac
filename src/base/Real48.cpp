#include "base/Real48.h"

#include <cmath>
#include <limits>

#include "base/Exceptions.h"

namespace base {

namespace {

constexpr int kBias = 129;
constexpr int kMantissaBits = 39;

}  // namespace

Real48 Real48::FromDouble(double value) {
    if (!std::isfinite(value)) {
        throw EOverflow("Real48: value is not a finite number");
    }
    Real48 result;
    if (value == 0.0) {
        return result;
    }
    const bool negative = std::signbit(value);
    int exponent = 0;
    // |value| = fraction * 2^exponent with fraction in [0.5, 1): scale to 1.m form.
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const long double scaled =
        std::ldexp(static_cast<long double>(fraction) * 2.0L - 1.0L, kMantissaBits);
    auto mantissa = static_cast<uint64_t>(RoundHalfEven(scaled));
    int biased = exponent - 1 + kBias;
    if (mantissa >> kMantissaBits) {  // rounding carried into the hidden bit
        mantissa = 0;
        ++biased;
    }
    if (biased <= 0) {
        return result;  // too small for the form: zero
    }
    if (biased > 255) {
        throw EOverflow("Real48: value too large for a 6-byte real");
    }
    result.bytes[0] = static_cast<uint8_t>(biased);
    for (int i = 0; i < 5; ++i) {
        result.bytes[static_cast<size_t>(1 + i)] = static_cast<uint8_t>(mantissa >> (8 * i));
    }
    if (negative) {
        result.bytes[5] |= 0x80;
    }
    return result;
}

double Real48::ToDouble() const {
    if (bytes[0] == 0) {
        return 0.0;
    }
    uint64_t mantissa = 0;
    for (int i = 4; i >= 0; --i) {
        mantissa = (mantissa << 8) | bytes[static_cast<size_t>(1 + i)];
    }
    mantissa &= (uint64_t{1} << kMantissaBits) - 1;
    const double magnitude = std::ldexp(
        1.0 + std::ldexp(static_cast<double>(mantissa), -kMantissaBits), bytes[0] - kBias);
    return (bytes[5] & 0x80) ? -magnitude : magnitude;
}

// The default floating-point environment rounds to nearest, ties to even. Values beyond the
// 64-bit range saturate and NaN gives 0: casting them would be undefined (a step time of
// 10^38 seconds read from a stored sequence must not turn into a timer of 0 ms).
// rint rounds as the current mode says, which is to nearest with ties to even; unlike
// nearbyint it does not save and restore the exception flags, which makes it several times
// faster, and nothing here looks at the inexact flag it may raise.
int64_t RoundHalfEven(long double value) {
    const long double rounded = std::rint(value);
    if (std::isnan(rounded)) {
        return 0;
    }
    if (rounded >= 0x1p63L) {
        return std::numeric_limits<int64_t>::max();
    }
    if (rounded < -0x1p63L) {
        return std::numeric_limits<int64_t>::min();
    }
    return static_cast<int64_t>(rounded);
}

}  // namespace base
