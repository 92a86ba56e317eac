#include "base/Real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/Exceptions.h"

namespace base {
namespace {

using Bytes = std::array<uint8_t, 6>;

TEST(Real48Test, EncodesTheStoredForms) {
    EXPECT_EQ(Real48::FromDouble(0.1).bytes, (Bytes{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}));
    EXPECT_EQ(Real48::FromDouble(1.0).bytes, (Bytes{0x81, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Real48::FromDouble(0.0).bytes, (Bytes{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Real48::FromDouble(-2.0).bytes, (Bytes{0x82, 0, 0, 0, 0, 0x80}));
}

TEST(Real48Test, DecodesExactlyAndRoundTrips) {
    EXPECT_EQ((Real48{Bytes{0x81, 0, 0, 0, 0, 0}}.ToDouble()), 1.0);
    EXPECT_EQ((Real48{Bytes{0, 0xFF, 0xFF, 0, 0, 0}}.ToDouble()), 0.0);  // exponent 0 is zero
    const double tenth = Real48{Bytes{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}}.ToDouble();
    EXPECT_NEAR(tenth, 0.1, 1e-12);
    for (double v : {0.1, 0.25, -3.75, 1e-30, 1.5e38, 123456.789}) {
        const Real48 r = Real48::FromDouble(v);
        EXPECT_EQ(Real48::FromDouble(r.ToDouble()), r) << v;
        EXPECT_NEAR(r.ToDouble(), v, std::abs(v) * 1e-11) << v;
    }
}

TEST(Real48Test, ValuesOutsideTheFormFailOrBecomeZero) {
    EXPECT_THROW(Real48::FromDouble(1e39), EOverflow);
    EXPECT_THROW(Real48::FromDouble(std::numeric_limits<double>::infinity()), EOverflow);
    EXPECT_THROW(Real48::FromDouble(std::nan("")), EOverflow);
    EXPECT_EQ(Real48::FromDouble(1e-45).bytes, (Bytes{0, 0, 0, 0, 0, 0}));
}

TEST(Real48Test, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(0.5L), 0);
    EXPECT_EQ(RoundHalfEven(1.5L), 2);
    EXPECT_EQ(RoundHalfEven(2.5L), 2);
    EXPECT_EQ(RoundHalfEven(-2.5L), -2);
    EXPECT_EQ(RoundHalfEven(2.500001L), 3);
    // 0.1 as stored, times 1000, is a hair above 100 and rounds to 100.
    const long double tenth = Real48::FromDouble(0.1).ToDouble();
    EXPECT_EQ(RoundHalfEven(tenth * 1000.0L), 100);
}

}  // namespace
}  // namespace base
