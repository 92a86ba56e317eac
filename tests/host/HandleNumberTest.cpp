#include <gtest/gtest.h>

#include <string>

#include "host/HandleNumber.h"

namespace host {
namespace {

// Decimal with an optional sign that fits a signed 32-bit integer, or $hex in either case up to
// 32 bits; leading blanks are skipped and nothing may follow.
TEST(HandleNumberTest, DecimalOrDollarHexWithNothingAround) {
    EXPECT_EQ(ParseHandleNumber("+4660"), 4660u);
    EXPECT_EQ(ParseHandleNumber("0"), 0u);
    EXPECT_EQ(ParseHandleNumber("2147483647"), 0x7FFFFFFFu);
    EXPECT_EQ(ParseHandleNumber("-2147483648"), 0x80000000u);
    EXPECT_EQ(ParseHandleNumber("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHandleNumber("000000000000000000042"), 42u);
    EXPECT_EQ(ParseHandleNumber("$abcDEF"), 0xABCDEFu);
    EXPECT_EQ(ParseHandleNumber("$FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHandleNumber("$0000000000FF"), 0xFFu);
    EXPECT_EQ(ParseHandleNumber("   12"), 12u);
    EXPECT_EQ(ParseHandleNumber("  $1f"), 0x1Fu);
    for (const char* text : {"2147483648", "-2147483649", "$100000000", "$", "$12g", "-$12", "$-12",
                             "0x12", "12 ", "12x", "\t12", "- 12", "", "    ", "+", "-", "1\xb2"}) {
        EXPECT_EQ(ParseHandleNumber(text), std::nullopt) << '"' << text << '"';
    }
    EXPECT_EQ(ParseHandleNumber(std::string(400, '9')), std::nullopt);
}

}  // namespace
}  // namespace host
