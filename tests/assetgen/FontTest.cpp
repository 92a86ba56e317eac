#include <gtest/gtest.h>

#include <string>

#include "PixelFont.h"
#include "base/Exceptions.h"

namespace assetpaint {
namespace {

size_t Ink(const TextMask& mask) {
    size_t count = 0;
    for (const uint8_t bit : mask.bits) {
        count += bit;
    }
    return count;
}

TEST(PixelFontTest, HasEveryLetterAndDigit) {
    for (char c = 'A'; c <= 'Z'; ++c) {
        EXPECT_TRUE(HasGlyph(c)) << c;
        EXPECT_TRUE(HasGlyph(static_cast<char>(c - 'A' + 'a'))) << c;
    }
    for (char c = '0'; c <= '9'; ++c) {
        EXPECT_TRUE(HasGlyph(c)) << c;
    }
    EXPECT_FALSE(HasGlyph('~'));
    EXPECT_THROW(GlyphRows('~'), base::EConvertError);
    EXPECT_THROW(SetText("a~b", 1), base::EConvertError);
}

TEST(PixelFontTest, GlyphsAreDistinct) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (size_t i = 0; i < letters.size(); ++i) {
        for (size_t j = i + 1; j < letters.size(); ++j) {
            EXPECT_NE(GlyphRows(letters[i]), GlyphRows(letters[j])) << letters[i] << letters[j];
        }
    }
}

TEST(PixelFontTest, SetsTextAtScale) {
    const TextMask one = SetText("Vellamor Autumn", 1);
    EXPECT_EQ(one.width, 15 * kGlyphAdvance - 1);
    EXPECT_EQ(one.height, kGlyphHeight);
    const TextMask two = SetText("Vellamor Autumn", 2);
    EXPECT_EQ(two.width, 2 * one.width);
    EXPECT_EQ(Ink(two), 4 * Ink(one));
    EXPECT_TRUE(one.Inked(0, 0));   // top of the V
    EXPECT_FALSE(one.Inked(0, 6));  // the V's point is in the middle
    EXPECT_THROW(SetText("x", 0), base::EConvertError);
    EXPECT_THROW(SetText("x", 65), base::EConvertError);
}

TEST(PixelFontTest, LargeTextFillsTheStepsOfDiagonals) {
    // The slash is a pure diagonal: at scale 4 the steps between its blocks are filled.
    const TextMask blocky = SetText("/", 1);
    const TextMask smooth = SetText("/", 4);
    EXPECT_GT(Ink(smooth), 16 * Ink(blocky));
    const TextMask square = SetText("-", 4);
    EXPECT_EQ(Ink(square), 16 * Ink(SetText("-", 1)));
}

}  // namespace
}  // namespace assetpaint
