// Stored frame and sequence lists with random damage: every read either succeeds or fails
// with one of the system's exceptions (the sanitizer build checks that nothing is read out of
// bounds and nothing leaks).

#include <gtest/gtest.h>

#include <random>

#include "SpriteTestSupport.h"
#include "sprites/SequenceList.h"

namespace sprites {
namespace {

// Reads `stored` with 1 to 4 random bytes replaced, and cut at a random length half the time.
template <class Read>
int CountFailures(const std::vector<uint8_t>& stored, Read read) {
    std::mt19937 random(20261206);
    int failures = 0;
    for (int round = 0; round < 1500; ++round) {
        std::vector<uint8_t> bytes = stored;
        for (int n = static_cast<int>(random() % 4); n >= 0; --n) {
            bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
        }
        if (random() % 2 == 0) {
            bytes.resize(random() % bytes.size());
        }
        base::MemoryStream stream(bytes);
        try {
            read(stream);
        } catch (const base::Exception&) {
            ++failures;
        }
    }
    return failures;
}

TEST(DamagedInputTest, FrameListsFailCleanly) {
    const std::vector<uint8_t> stored = test::FrameListBytes(
        {{"a", 0, 0, 2, 2}, {"b", 2, 0, 3, 1}},
        test::EightBitStrip({{1, 2, 0x0000FF, 4, 5}, {6, 0x0000FF, 8, 9, 10}}));
    const int failures = CountFailures(stored, [](base::MemoryStream& stream) {
        TFrameList list(framework::clBlue);
        list.ReadData(stream);
    });
    EXPECT_GT(failures, 500);
    EXPECT_EQ(LiveFrameCount(), 0);
}

TEST(DamagedInputTest, SequenceListsFailCleanly) {
    const std::vector<uint8_t> stored = test::SequenceListBytes(
        {{"WAAI1", {{"blad1_", -1, 0, 0}, {"blad1_02", 76, -39, 0}}}, {"WAAI2", {{"x"}}}}, true);
    test::TestSprite sprite;
    const int failures = CountFailures(stored, [&](base::MemoryStream& stream) {
        TSequenceList list(&sprite);
        list.ReadData(stream);
    });
    EXPECT_GT(failures, 500);
}

}  // namespace
}  // namespace sprites
