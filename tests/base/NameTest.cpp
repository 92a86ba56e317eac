#include "base/Name.h"

#include <gtest/gtest.h>

#include "base/Exceptions.h"

namespace base {
namespace {

TEST(NameTest, LongNamesAreCutTo80Characters) {
    const std::string longName(100, 'x');
    EXPECT_EQ(CutName(longName).size(), 80u);
    TName name(longName);
    EXPECT_EQ(name.length, 80);
    EXPECT_EQ(name.Str(), std::string(80, 'x'));
}

TEST(NameTest, StoredFormKeepsTheTailOfAnEarlierLongerName) {
    TName name("New Sequence");
    name.Set("WAAI4");
    MemoryStream stream;
    name.Write(stream);
    ASSERT_EQ(stream.Size(), 81u);
    const auto& b = stream.Bytes();
    EXPECT_EQ(b[0], 5);
    EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 13), "WAAI4equence");
    EXPECT_EQ(b[13], 0);
    EXPECT_EQ(name.Str(), "WAAI4");
}

TEST(NameTest, ReadCutsAnOverlongStoredLengthAndFailsWhenShort) {
    std::vector<uint8_t> bytes(81, 'a');
    bytes[0] = 200;
    MemoryStream stream(bytes);
    TName name;
    name.Read(stream);
    EXPECT_EQ(name.length, 80);
    EXPECT_EQ(stream.Position(), 81u);

    MemoryStream shortStream(std::vector<uint8_t>(80, 0));
    EXPECT_THROW(name.Read(shortStream), EReadError);
}

TEST(NameTest, CaseInsensitiveComparisonOnlyFoldsAToZ) {
    EXPECT_TRUE(SameTextAZ("waai1", "WAAI1"));
    EXPECT_FALSE(SameTextAZ("waai1", "WAAI1 "));
    // Letters outside a..z (here e-acute in Latin-1) keep their case.
    EXPECT_FALSE(SameTextAZ("\xe9", "\xc9"));
    EXPECT_EQ(UpperCaseAZ("blad1_02\xe9"), "BLAD1_02\xe9");
}

}  // namespace
}  // namespace base
