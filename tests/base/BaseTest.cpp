// The base layer: memory streams, stored names, the random generator and 6-byte reals.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "base/Name.h"
#include "base/Random.h"
#include "base/Real48.h"

namespace base {
namespace {

TEST(MemoryStreamTest, LittleEndianAndWritesOverwriteInsideAndGrowPastTheEnd) {
    MemoryStream stream;
    stream.WriteI16(-2);
    stream.WriteU32(0x12345678u);
    stream.WriteU8(7);
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12, 7}));
    stream.Seek(0);
    EXPECT_EQ(stream.ReadI16(), -2);
    EXPECT_EQ(stream.ReadU32(), 0x12345678u);
    stream.WriteU16(0xBBAA);
    EXPECT_EQ(stream.Bytes(),
              (std::vector<uint8_t>{0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12, 0xAA, 0xBB}));
}

TEST(MemoryStreamTest, ReadPastTheEndFailsAndKeepsThePosition) {
    MemoryStream stream(std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(stream.ReadU16(), 0x0201);
    try {
        stream.ReadU32();
        FAIL() << "a read past the end must fail";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error: 4 bytes wanted at 2, 1 left");
    }
    EXPECT_EQ(stream.Position(), 2u);
    EXPECT_THROW(stream.ReadBytes(2), EReadError);
    EXPECT_THROW(stream.Seek(4), EReadError);
}

TEST(MemoryStreamTest, AReadingStreamReadsTheCallersBytesAndCopiesThemOnlyToWrite) {
    std::vector<uint8_t> stored{1, 2, 3, 4};
    MemoryStream stream = MemoryStream::Reading(stored);
    EXPECT_EQ(stream.Contents().data(), stored.data());
    EXPECT_EQ(stream.ReadU16(), 0x0201);
    EXPECT_THROW(stream.ReadU32(), EReadError);
    stream.WriteU8(9);
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{1, 2, 9, 4}));
    EXPECT_EQ(stored, (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(MemoryStream::Reading({}).Remaining(), 0u);
    // A span is read where it lies; one longer than what is left fails and reads nothing.
    MemoryStream spans = MemoryStream::Reading(stored);
    EXPECT_EQ(spans.ReadSpan(3).data(), stored.data());
    EXPECT_THROW(spans.ReadSpan(2), EReadError);
    EXPECT_EQ(spans.ReadSpan(1).data(), stored.data() + 3);
}

TEST(NameTest, ReadCutsAnOverlongStoredLengthAndFailsWhenShort) {
    std::vector<uint8_t> bytes(81, 'a');
    bytes[0] = 200;
    MemoryStream stream(bytes);
    TName name;
    name.Read(stream);
    EXPECT_EQ(name.Str(), std::string(80, 'a'));
    EXPECT_EQ(stream.Position(), 81u);
    MemoryStream shortStream(std::vector<uint8_t>(80, 0));
    EXPECT_THROW(name.Read(shortStream), EReadError);
    // Letters outside a..z (here e-acute in Latin-1) keep their case.
    EXPECT_EQ(UpperCaseAZ("blad1_02\xe9"), "BLAD1_02\xe9");
}

TEST(RandomTest, KnownSequenceFromAKnownSeedStaysInRangeAndCoversIt) {
    SetRandSeed(0);
    // state 1: (1 * 100) >> 32 = 0; state 134775814: (134775814 * 100) >> 32 = 3.
    EXPECT_EQ(Random(100), 0);
    EXPECT_EQ(RandSeed(), 1u);
    EXPECT_EQ(Random(100), 3);
    EXPECT_EQ(RandSeed(), 134775814u);
    const uint32_t next = 134775814u * 134775813u + 1u;
    EXPECT_EQ(Random(5), static_cast<int32_t>((uint64_t{next} * 5) >> 32));
    int seen[5] = {};
    for (int i = 0; i < 1000; ++i) {
        const int32_t r = Random(5);
        ASSERT_TRUE(r >= 0 && r < 5) << r;
        ++seen[r];
    }
    for (int count : seen) {
        EXPECT_GT(count, 150);
    }
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(SeedFromTimeOfDay(23, 59, 59, 999), 86399999u);
    EXPECT_EQ(SeedFromTimeOfDay(1, 2, 3, 4), 3723004u);
}

using Bytes = std::array<uint8_t, 6>;

TEST(Real48Test, EncodesDecodesAndRoundTrips) {
    EXPECT_EQ(Real48::FromDouble(0.1).bytes, (Bytes{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}));
    EXPECT_EQ(Real48::FromDouble(1.0).bytes, (Bytes{0x81, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Real48::FromDouble(0.0).bytes, (Bytes{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Real48::FromDouble(-2.0).bytes, (Bytes{0x82, 0, 0, 0, 0, 0x80}));
    EXPECT_EQ((Real48{Bytes{0x81, 0, 0, 0, 0, 0}}.ToDouble()), 1.0);
    EXPECT_EQ((Real48{Bytes{0, 0xFF, 0xFF, 0, 0, 0}}.ToDouble()), 0.0);  // exponent 0 is zero
    for (double v : {0.1, 0.25, -3.75, 1e-30, 1.5e38, 123456.789}) {
        const Real48 r = Real48::FromDouble(v);
        EXPECT_EQ(Real48::FromDouble(r.ToDouble()), r) << v;
        EXPECT_NEAR(r.ToDouble(), v, std::abs(v) * 1e-11) << v;
    }
    // Values outside the form fail or become zero.
    EXPECT_THROW(Real48::FromDouble(1e39), EOverflow);
    EXPECT_THROW(Real48::FromDouble(std::numeric_limits<double>::infinity()), EOverflow);
    EXPECT_THROW(Real48::FromDouble(std::nan("")), EOverflow);
    EXPECT_EQ(Real48::FromDouble(1e-45).bytes, (Bytes{0, 0, 0, 0, 0, 0}));
}

TEST(Real48Test, RoundsHalvesToEven) {
    for (const auto& [value, rounded] : std::vector<std::pair<long double, int64_t>>{
             {0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {-2.5L, -2}, {2.500001L, 3}}) {
        EXPECT_EQ(RoundHalfEven(value), rounded) << static_cast<double>(value);
    }
    // 0.1 as stored, times 1000, is a hair above 100 and rounds to 100.
    const long double tenth = Real48::FromDouble(0.1).ToDouble();
    EXPECT_EQ(RoundHalfEven(tenth * 1000.0L), 100);
}

}  // namespace
}  // namespace base
