#include "base/Random.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(RandomTest, KnownSequenceFromAKnownSeed) {
    SetRandSeed(0);
    // state 1: (1 * 100) >> 32 = 0; state 134775814: (134775814 * 100) >> 32 = 3.
    EXPECT_EQ(Random(100), 0);
    EXPECT_EQ(RandSeed(), 1u);
    EXPECT_EQ(Random(100), 3);
    EXPECT_EQ(RandSeed(), 134775814u);
    const uint32_t next = 134775814u * 134775813u + 1u;
    EXPECT_EQ(Random(5), static_cast<int32_t>((uint64_t{next} * 5) >> 32));
}

TEST(RandomTest, StaysInRangeAndCoversIt) {
    SetRandSeed(12345);
    int seen[5] = {};
    for (int i = 0; i < 1000; ++i) {
        const int32_t r = Random(5);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 5);
        ++seen[r];
    }
    for (int count : seen) {
        EXPECT_GT(count, 150);
    }
    EXPECT_EQ(Random(0), 0);
}

TEST(RandomTest, SeedFromTimeOfDay) {
    EXPECT_EQ(SeedFromTimeOfDay(0, 0, 0, 0), 0u);
    EXPECT_EQ(SeedFromTimeOfDay(23, 59, 59, 999), 86399999u);
    EXPECT_EQ(SeedFromTimeOfDay(1, 2, 3, 4), 3723004u);
}

}  // namespace
}  // namespace base
