#include "LeafPose.h"

#include <cmath>
#include <numbers>

namespace assetpaint {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kMinTilt = 0.17F;

struct Tumble {
    float startSpin;
    float spinPerCycle;
    float wobble;
    float phase;
    float axis;
};

Tumble TumbleOf(LeafKind kind) {
    switch (kind) {
        case LeafKind::Oak:
            return {kPi * 0.8F, 2.0F * kPi, 0.35F, -2.55F, 0.2F};
        case LeafKind::Birch:
            return {kPi * 1.1F, -2.0F * kPi, 0.3F, 0.2F, -0.3F};
        case LeafKind::Chestnut:
            return {kPi * 0.7F, 2.0F * kPi, 0.4F, -0.2F, 1.2F};
        case LeafKind::Beech:
            return {kPi * 1.0F, -kPi, 0.5F, -1.18F, 0.1F};
        case LeafKind::Maple:
        default:
            return {kPi * 0.95F, 2.0F * kPi, 0.25F, -1.96F, 0.8F};
    }
}

float LimitTilt(float tilt) {
    if (std::fabs(tilt) >= kMinTilt) {
        return tilt;
    }
    return tilt < 0.0F ? -kMinTilt : kMinTilt;
}

Bounds ViewBounds(const LeafDrawing& drawing, const Affine& view, int stride) {
    Polyline sampled;
    for (size_t i = 0; i < drawing.outline.size(); i += static_cast<size_t>(stride)) {
        sampled.push_back(view.Apply(drawing.outline[i]));
    }
    return BoundsOf({sampled, Transform(drawing.stem, view)});
}

// How much of its bounding box the outline covers: a leaf seen edge-on and turned diagonally
// covers little, and stretching it to fill a frame would distort it badly.
float BoxFill(const LeafDrawing& drawing, const Affine& view, int stride) {
    Polyline sampled;
    for (size_t i = 0; i < drawing.outline.size(); i += static_cast<size_t>(stride)) {
        sampled.push_back(view.Apply(drawing.outline[i]));
    }
    float area = 0.0F;
    for (size_t i = 0; i < sampled.size(); ++i) {
        const Vec2 a = sampled[i];
        const Vec2 b = sampled[(i + 1) % sampled.size()];
        area += a.x * b.y - b.x * a.y;
    }
    const Bounds box = ViewBounds(drawing, view, stride);
    return std::fabs(area) * 0.5F / ((box.right - box.left) * (box.bottom - box.top));
}

float AspectMismatch(const Bounds& box, int32_t width, int32_t height) {
    const float aspect = (box.right - box.left) / (box.bottom - box.top);
    const float wanted = static_cast<float>(width) / static_cast<float>(height);
    const float ratio = std::log(aspect / wanted);
    return ratio * ratio;
}

// Frame proportions matter most; a pose that covers little of its box or strays far from
// the tumble costs extra.
float PoseCost(const LeafDrawing& drawing, const LeafPose& pose, const LeafPose& nominal,
               int32_t width, int32_t height) {
    const Affine view = pose.View();
    const float mismatch = AspectMismatch(ViewBounds(drawing, view, 6), width, height);
    const float thin = std::max(0.0F, 0.3F - BoxFill(drawing, view, 6));
    const float spinDrift = pose.spin - nominal.spin;
    const float tiltDrift = std::fabs(pose.tilt) - std::fabs(nominal.tilt);
    return 6.0F * mismatch + 40.0F * thin * thin +
           0.25F * (spinDrift * spinDrift + tiltDrift * tiltDrift);
}

}  // namespace

Affine LeafPose::View() const {
    const Affine toAxis = Rotation(-axis);
    const Affine squash{tilt, 0.0F, 0.0F, 1.0F, 0.0F, 0.0F};
    return Compose(Rotation(spin), Compose(Rotation(axis), Compose(squash, toAxis)));
}

LeafPose TumblePose(LeafKind kind, int moment) {
    const Tumble tumble = TumbleOf(kind);
    const float t = static_cast<float>(moment) / 16.0F;
    const float angle = 2.0F * kPi * t + tumble.phase;
    LeafPose pose;
    pose.spin = tumble.startSpin + tumble.spinPerCycle * t + tumble.wobble * std::sin(angle);
    pose.tilt = LimitTilt(std::cos(angle));
    pose.axis = tumble.axis;
    return pose;
}

LeafPose FitPoseToFrame(const LeafDrawing& drawing, const LeafPose& nominal, int32_t width,
                        int32_t height) {
    LeafPose best = nominal;
    float bestCost = 1e9F;
    const float sign = nominal.tilt < 0.0F ? -1.0F : 1.0F;
    for (int i = -12; i <= 12; ++i) {
        for (int j = -14; j <= 14; ++j) {
            const float size = std::fabs(nominal.tilt) + 0.05F * static_cast<float>(j);
            if (size < kMinTilt || size > 1.0F) {
                continue;
            }
            const LeafPose pose{nominal.spin + 0.05F * static_cast<float>(i), sign * size,
                                nominal.axis};
            const float cost = PoseCost(drawing, pose, nominal, width, height);
            if (cost < bestCost) {
                bestCost = cost;
                best = pose;
            }
        }
    }
    return best;
}

Affine FitToFrame(const LeafDrawing& drawing, const LeafPose& pose, int32_t width, int32_t height,
                  bool keepAspect) {
    const Affine view = pose.View();
    const Bounds box = ViewBounds(drawing, view, 1);
    constexpr float kInset = 0.3F;
    const float roomX = static_cast<float>(width) - 2.0F * kInset;
    const float roomY = static_cast<float>(height) - 2.0F * kInset;
    float scaleX = roomX / (box.right - box.left);
    float scaleY = roomY / (box.bottom - box.top);
    if (keepAspect) {
        scaleX = scaleY = std::min(scaleX, scaleY);
    }
    const float shiftX = (static_cast<float>(width) - (box.right - box.left) * scaleX) * 0.5F;
    const float shiftY = (static_cast<float>(height) - (box.bottom - box.top) * scaleY) * 0.5F;
    const Affine fit{
        scaleX, 0.0F, 0.0F, scaleY, shiftX - box.left * scaleX, shiftY - box.top * scaleY};
    return Compose(fit, view);
}

}  // namespace assetpaint
