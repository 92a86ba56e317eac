#include <gtest/gtest.h>

#include "CountAdjust.h"
#include "base/Exceptions.h"

namespace assetpaint {
namespace {

AdjustRules Anywhere(const IndexedImage& image) {
    return {[](uint8_t index) { return index == 0; },
            {0, 0, image.Width() - 1, image.Height() - 1}};
}

TEST(CountAdjustTest, GrowsAndShrinksToTheExactCount) {
    for (const size_t target : {1U, 99U, 100U, 101U, 317U, 400U}) {
        IndexedImage image(30, 30, 0);
        image.FillRect(10, 10, 10, 10, 1);
        AdjustInkCount(image, 1, target, Anywhere(image));
        EXPECT_EQ(image.Count(1), target);
    }
}

TEST(CountAdjustTest, StaysInsideTheBoxAndKeepsItsBorderLines) {
    IndexedImage image(40, 40, 0);
    image.FillRect(5, 5, 30, 30, 1);
    const AdjustRules rules{[](uint8_t index) { return index == 0; }, {5, 5, 34, 34}};
    AdjustInkCount(image, 1, 500, rules);
    EXPECT_EQ(image.Count(1), 500U);
    for (int32_t i = 0; i < 40; ++i) {
        EXPECT_EQ(image.At(i, 4), 0);
        EXPECT_EQ(image.At(4, i), 0);
    }
    // The border lines of the box still carry ink.
    int top = 0;
    int left = 0;
    for (int32_t i = 5; i < 35; ++i) {
        top += image.At(i, 5);
        left += image.At(5, i);
    }
    EXPECT_GT(top, 0);
    EXPECT_GT(left, 0);
}

TEST(CountAdjustTest, GivesPixelsBackToTheirNeighbour) {
    IndexedImage image(10, 10, 3);
    image.FillRect(2, 2, 6, 6, 1);
    AdjustInkCount(image, 1, 30, {[](uint8_t index) { return index == 3; }, {0, 0, 9, 9}});
    EXPECT_EQ(image.Count(1), 30U);
    EXPECT_EQ(image.Count(3), 70U);
}

TEST(CountAdjustTest, ImpossibleCountFails) {
    IndexedImage image(5, 5, 0);
    image.Set(2, 2, 1);
    EXPECT_THROW(AdjustInkCount(image, 1, 26, Anywhere(image)), base::EInvalidGraphic);
    IndexedImage walled(5, 5, 2);
    walled.Set(2, 2, 1);
    EXPECT_THROW(AdjustInkCount(walled, 1, 3, Anywhere(walled)), base::EInvalidGraphic);
}

}  // namespace
}  // namespace assetpaint
