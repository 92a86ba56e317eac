#include "base/MemoryStream.h"

#include <gtest/gtest.h>

#include "base/Exceptions.h"

namespace base {
namespace {

TEST(MemoryStreamTest, WritesAndReadsLittleEndian) {
    MemoryStream stream;
    stream.WriteI16(-2);
    stream.WriteU32(0x12345678u);
    stream.WriteU8(7);
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12, 7}));
    stream.Seek(0);
    EXPECT_EQ(stream.ReadI16(), -2);
    EXPECT_EQ(stream.ReadU32(), 0x12345678u);
    EXPECT_EQ(stream.ReadU8(), 7);
    EXPECT_EQ(stream.Remaining(), 0u);
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

TEST(MemoryStreamTest, WriteInsideOverwritesAndPastTheEndGrows) {
    MemoryStream stream(std::vector<uint8_t>{1, 2, 3});
    stream.Seek(2);
    stream.WriteU16(0xBBAA);
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{1, 2, 0xAA, 0xBB}));
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
}

}  // namespace
}  // namespace base
