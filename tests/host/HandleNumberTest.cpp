#include <gtest/gtest.h>

#include <string>

#include "host/HandleNumber.h"

namespace host {
namespace {

TEST(HandleNumberTest, DecimalWithOptionalSignFitsASigned32BitInteger) {
    EXPECT_EQ(ParseHandleNumber("4660"), 4660u);
    EXPECT_EQ(ParseHandleNumber("+4660"), 4660u);
    EXPECT_EQ(ParseHandleNumber("0"), 0u);
    EXPECT_EQ(ParseHandleNumber("2147483647"), 0x7FFFFFFFu);
    EXPECT_EQ(ParseHandleNumber("-2147483648"), 0x80000000u);
    EXPECT_EQ(ParseHandleNumber("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHandleNumber("000000000000000000042"), 42u);
    EXPECT_EQ(ParseHandleNumber("2147483648"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("-2147483649"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber(std::string(400, '9')), std::nullopt);
}

TEST(HandleNumberTest, DollarHexInEitherCaseUpTo32Bits) {
    EXPECT_EQ(ParseHandleNumber("$1234"), 0x1234u);
    EXPECT_EQ(ParseHandleNumber("$abcDEF"), 0xABCDEFu);
    EXPECT_EQ(ParseHandleNumber("$FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHandleNumber("$0000000000FF"), 0xFFu);
    EXPECT_EQ(ParseHandleNumber("$100000000"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("$"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("$12g"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("-$12"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("$-12"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("0x12"), std::nullopt);
}

TEST(HandleNumberTest, LeadingBlanksAreSkippedAndNothingMayFollow) {
    EXPECT_EQ(ParseHandleNumber("   12"), 12u);
    EXPECT_EQ(ParseHandleNumber("  $1f"), 0x1Fu);
    EXPECT_EQ(ParseHandleNumber("12 "), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("12x"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("\t12"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("- 12"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber(""), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("    "), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("+"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("-"), std::nullopt);
    EXPECT_EQ(ParseHandleNumber("1\xb2"), std::nullopt);
}

}  // namespace
}  // namespace host
