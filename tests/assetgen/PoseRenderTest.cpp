#include <gtest/gtest.h>

#include <cmath>

#include "Lcg.h"
#include "LeafPose.h"
#include "LeafRenderer.h"
#include "LeafStrip.h"
#include "ValueNoise.h"
#include "base/Exceptions.h"

namespace assetpaint {
namespace {

constexpr LeafKind kAll[] = {LeafKind::Oak, LeafKind::Birch, LeafKind::Chestnut, LeafKind::Beech,
                             LeafKind::Maple};

struct Coverage {
    size_t pixels = 0;
    double saturation = 0.0;
};

Coverage Measure(const LeafPicture& picture) {
    Coverage c;
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            if (picture.Covers(x, y)) {
                const Rgb& p = picture.ColourAt(x, y);
                ++c.pixels;
                c.saturation += std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b});
            }
        }
    }
    c.saturation /= static_cast<double>(std::max<size_t>(c.pixels, 1));
    return c;
}

LeafPicture Render(LeafKind kind, const LeafPose& pose, int32_t width, int32_t height) {
    const LeafDrawing& drawing = DrawingOf(kind);
    return RenderLeaf(drawing, pose, FitToFrame(drawing, pose, width, height, false), width,
                      height);
}

TEST(LeafPoseTest, StripPositionsPlayInSequenceOrder) {
    EXPECT_EQ(MomentOfPosition(15), 0);
    EXPECT_EQ(MomentOfPosition(1), 1);
    EXPECT_EQ(MomentOfPosition(14), 14);
    EXPECT_EQ(MomentOfPosition(0), 15);
}

TEST(LeafPoseTest, EveryLeafShowsBothSidesAndTurnsDuringItsCycle) {
    for (const LeafKind kind : kAll) {
        int backs = 0;
        float smallestTilt = 1.0F;
        for (int moment = 0; moment < 16; ++moment) {
            const LeafPose pose = TumblePose(kind, moment);
            backs += pose.ShowsBack() ? 1 : 0;
            smallestTilt = std::min(smallestTilt, std::fabs(pose.tilt));
            EXPECT_GE(std::fabs(pose.tilt), 0.17F);
        }
        EXPECT_GT(backs, 2) << static_cast<int>(kind);
        EXPECT_LT(backs, 14) << static_cast<int>(kind);
        EXPECT_LT(smallestTilt, 0.4F) << static_cast<int>(kind);
        EXPECT_NE(TumblePose(kind, 0).spin, TumblePose(kind, 8).spin);
    }
}

TEST(LeafPoseTest, FittingKeepsTheDrawingInsideTheFrame) {
    const LeafDrawing& drawing = DrawingOf(LeafKind::Oak);
    const LeafPose pose = TumblePose(LeafKind::Oak, 3);
    for (const bool keepAspect : {false, true}) {
        const Affine map = FitToFrame(drawing, pose, 120, 60, keepAspect);
        const Bounds box =
            BoundsOf({Transform(drawing.outline, map), Transform(drawing.stem, map)});
        EXPECT_GE(box.left, 0.0F);
        EXPECT_GE(box.top, 0.0F);
        EXPECT_LE(box.right, 120.0F);
        EXPECT_LE(box.bottom, 60.0F);
        // Stretched, the drawing spans both directions; undistorted, at least one.
        const bool spansX = box.right - box.left > 119.0F;
        const bool spansY = box.bottom - box.top > 59.0F;
        EXPECT_TRUE(keepAspect ? (spansX || spansY) : (spansX && spansY));
    }
}

TEST(LeafPoseTest, FittedPoseMatchesTheFrameProportions) {
    const LeafDrawing& drawing = DrawingOf(LeafKind::Chestnut);
    const LeafPose nominal = TumblePose(LeafKind::Chestnut, 9);
    for (const auto& [w, h] : {std::pair{58, 158}, {202, 112}}) {
        const LeafPose pose = FitPoseToFrame(drawing, nominal, w, h);
        const Affine view = pose.View();
        const Bounds box = BoundsOf({Transform(drawing.outline, view)});
        const float aspect = (box.right - box.left) / (box.bottom - box.top);
        const float wanted = static_cast<float>(w) / static_cast<float>(h);
        EXPECT_LT(std::fabs(std::log(aspect / wanted)), 0.5F) << w << "x" << h;
        EXPECT_EQ(pose.ShowsBack(), nominal.ShowsBack());
    }
}

TEST(LeafRendererTest, BackOfALeafIsDullerThanItsFront) {
    for (const LeafKind kind : kAll) {
        const Coverage front = Measure(Render(kind, {3.0F, 0.9F, 0.2F}, 120, 120));
        const Coverage back = Measure(Render(kind, {3.0F, -0.9F, 0.2F}, 120, 120));
        EXPECT_GT(front.pixels, 1500U);
        EXPECT_LT(back.saturation, front.saturation) << static_cast<int>(kind);
    }
}

TEST(LeafRendererTest, CoverIsAllOrNothing) {
    const LeafPicture leaf = Render(LeafKind::Maple, {2.5F, 0.7F, 0.8F}, 90, 80);
    for (const uint8_t cover : leaf.cover) {
        ASSERT_TRUE(cover == 0 || cover == 1);
    }
    EXPECT_THROW(Render(LeafKind::Maple, {}, 0, 10), base::EInvalidGraphic);
    EXPECT_THROW(KindOfLeaf(0), base::EListError);
}

TEST(LeafRendererTest, LeafKindHaveDifferentOutlines) {
    const LeafPose pose{3.1F, 1.0F, 0.0F};
    std::vector<size_t> areas;
    for (const LeafKind kind : kAll) {
        areas.push_back(Measure(Render(kind, pose, 100, 100)).pixels);
    }
    for (size_t i = 0; i < areas.size(); ++i) {
        for (size_t j = i + 1; j < areas.size(); ++j) {
            EXPECT_NE(areas[i], areas[j]) << i << " " << j;
        }
    }
}

TEST(NoiseTest, RepeatableSmoothAndInRange) {
    const ValueNoise a(7);
    const ValueNoise b(7);
    const ValueNoise c(8);
    float low = 1.0F;
    float high = 0.0F;
    bool differs = false;
    for (int i = 0; i < 200; ++i) {
        const float x = static_cast<float>(i) * 0.37F;
        const float v = a.Fractal(x, x * 0.5F, 3);
        EXPECT_EQ(v, b.Fractal(x, x * 0.5F, 3));
        differs = differs || v != c.Fractal(x, x * 0.5F, 3);
        low = std::min(low, v);
        high = std::max(high, v);
        EXPECT_LT(std::fabs(a.At(x, 1.0F) - a.At(x + 0.01F, 1.0F)), 0.05F);
    }
    EXPECT_GE(low, 0.0F);
    EXPECT_LE(high, 1.0F);
    EXPECT_GT(high - low, 0.3F);
    EXPECT_TRUE(differs);
}

TEST(NoiseTest, LcgRepeatsItsSequence) {
    Lcg a(42);
    Lcg b(42);
    for (int i = 0; i < 100; ++i) {
        const float u = a.Unit();
        EXPECT_EQ(u, b.Unit());
        EXPECT_GE(u, 0.0F);
        EXPECT_LT(u, 1.0F);
    }
    EXPECT_NE(Lcg(1).Next(), Lcg(2).Next());
}

}  // namespace
}  // namespace assetpaint
