#include <gtest/gtest.h>

#include <set>

#include "AssetPaint.h"
#include "Palette.h"
#include "gfx/Bmp.h"

namespace assetpaint {
namespace {

const StripBitmap& Leaves() {
    static const StripBitmap strip = PaintLeafStrip();
    return strip;
}

struct FrameStats {
    size_t leafPixels = 0;
    int32_t left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    double red = 0, green = 0;
};

FrameStats Measure(const FrameEntry& frame) {
    FrameStats s;
    for (int32_t y = 0; y < frame.height; ++y) {
        for (int32_t x = 0; x < frame.width; ++x) {
            const gfx::Pixel p = Leaves().bitmap.GetPixel(frame.x + x, y);
            if (p == kLeafBlue) {
                continue;
            }
            ++s.leafPixels;
            s.left = std::min(s.left, x);
            s.top = std::min(s.top, y);
            s.right = std::max(s.right, x);
            s.bottom = std::max(s.bottom, y);
            s.red += gfx::RedOf(p);
            s.green += gfx::GreenOf(p);
        }
    }
    return s;
}

// The share of the common area, the two frames laid over each other by their centres, where
// one has leaf and the other not.
double ShapeDifference(const FrameEntry& a, const FrameEntry& b) {
    const int32_t width = std::min(a.width, b.width);
    const int32_t height = std::min(a.height, b.height);
    const auto leafAt = [](const FrameEntry& f, int32_t x, int32_t y) {
        return Leaves().bitmap.GetPixel(f.x + x, y) != kLeafBlue;
    };
    int32_t differing = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            differing += leafAt(a, x + (a.width - width) / 2, y + (a.height - height) / 2) !=
                         leafAt(b, x + (b.width - width) / 2, y + (b.height - height) / 2);
        }
    }
    return static_cast<double>(differing) / static_cast<double>(width * height);
}

TEST(LeafStripTest, StripHasTheStoredSizeAndTableAndRoundTripsByteForByte) {
    const gfx::Bitmap& strip = Leaves().bitmap;
    EXPECT_EQ(strip.Width(), 10085);
    EXPECT_EQ(strip.Height(), 217);
    EXPECT_EQ(strip.StoredDepth(), 8);
    ASSERT_EQ(strip.ColourTable().size(), 256U);
    EXPECT_EQ(strip.ColourTable()[252], gfx::MakePixel(0, 0, 255));
    EXPECT_EQ(Leaves().frames.size(), 80U);
    EXPECT_EQ(Leaves().frames[79].name, "blad5_");
    const std::vector<uint8_t> file = gfx::WriteBmp(strip);
    const gfx::Bitmap back = gfx::ReadBmp(file);
    EXPECT_EQ(gfx::WriteBmp(back), file);
    for (const int32_t x : {0, 140, 5000, 10084}) {
        EXPECT_EQ(back.GetPixel(x, 50), strip.GetPixel(x, 50));
    }
}

// Each frame holds only the blue surround and leaf inks, its leaf reaching near every edge,
// white below it in the strip, and differs from the next as the leaf tumbles.
TEST(LeafStripTest, EachLeafFillsItsFrameInItsInksAndChangesFromTheNext) {
    std::set<gfx::Pixel> inks;
    for (const uint8_t ink : LeafInks()) {
        inks.insert(LeafPalette()[ink]);
    }
    ASSERT_EQ(inks.count(kLeafBlue), 0U);
    const FrameTable& frames = Leaves().frames;
    for (size_t i = 0; i < frames.size(); ++i) {
        const FrameEntry& frame = frames[i];
        size_t stray = 0;
        for (int32_t y = 0; y < frame.height; ++y) {
            for (int32_t x = 0; x < frame.width; ++x) {
                const gfx::Pixel p = Leaves().bitmap.GetPixel(frame.x + x, y);
                stray += (p != kLeafBlue && inks.count(p) == 0) ? 1U : 0U;
            }
        }
        EXPECT_EQ(stray, 0U) << frame.name;
        const FrameStats s = Measure(frame);
        const size_t area = static_cast<size_t>(frame.width * frame.height);
        EXPECT_GT(s.leafPixels, area / 10) << frame.name;
        EXPECT_LT(s.leafPixels, area) << frame.name;
        EXPECT_LE(s.left, 4) << frame.name;
        EXPECT_LE(s.top, 4) << frame.name;
        EXPECT_GE(s.right, frame.width - 5) << frame.name;
        EXPECT_GE(s.bottom, frame.height - 5) << frame.name;
        for (int32_t y = frame.height; y < 217; y += 7) {
            ASSERT_EQ(Leaves().bitmap.GetPixel(frame.x + frame.width / 2, y), gfx::kWhite)
                << frame.name;
        }
        if (i + 1 < frames.size()) {  // the next pose is another leaf shape, not a copy
            EXPECT_GT(ShapeDifference(frame, frames[i + 1]), 0.02) << frame.name;
        }
    }
}

TEST(LeafStripTest, LeafKindsHaveTheirOwnColours) {
    // The maple (leaf 5) is red, the birch (leaf 2) yellow: compare green against red.
    const FrameStats maple = Measure(Leaves().frames[64]);
    const FrameStats birch = Measure(Leaves().frames[16]);
    EXPECT_LT(maple.green / maple.red, 0.5);
    EXPECT_GT(birch.green / birch.red, 0.7);
}

}  // namespace
}  // namespace assetpaint
