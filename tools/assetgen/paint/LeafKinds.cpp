#include "LeafKinds.h"

#include <cmath>
#include <numbers>
#include <string>

#include "base/Exceptions.h"

namespace assetpaint {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kSamplesPerSide = 420;

// A blade described by its half width along the axis: base y = 0, tip y = 1.
struct Profile {
    float halfWidth = 0.3F;  // at the widest point
    float baseShape = 0.5F;  // exponent of y: small values give a rounded base
    float tipShape = 1.0F;   // exponent of 1 - y: large values give a long point
    int teeth = 0;           // teeth a side
    float toothDepth = 0.0F;
    float toothSharpness = 1.0F;  // > 1: spines
    int lobes = 0;                // lobes a side
    float lobeDepth = 0.0F;
    float lobePhase = 0.0F;
};

float Envelope(const Profile& p, float y) {
    const float peak = p.baseShape / (p.baseShape + p.tipShape);
    const float norm = std::pow(peak, p.baseShape) * std::pow(1.0F - peak, p.tipShape);
    return p.halfWidth * std::pow(y, p.baseShape) * std::pow(1.0F - y, p.tipShape) / norm;
}

float Tooth(const Profile& p, float y, float phase) {
    if (p.teeth == 0) {
        return 1.0F;
    }
    const float t = y * static_cast<float>(p.teeth) + phase;
    const float f = t - std::floor(t);
    // The edge rises slowly to the tooth's point and falls back quickly after it.
    const float rise = f < 0.82F ? std::pow(f / 0.82F, p.toothSharpness) : (1.0F - f) / 0.18F;
    return 1.0F - p.toothDepth * (1.0F - rise);
}

float Lobe(const Profile& p, float y, float phase) {
    if (p.lobes == 0) {
        return 1.0F;
    }
    const float wave =
        0.5F + 0.5F * std::cos(2.0F * kPi * (static_cast<float>(p.lobes) * y + phase));
    return 1.0F - p.lobeDepth * (1.0F - std::sqrt(wave));
}

float HalfWidth(const Profile& p, float y, float side) {
    const float phase = side > 0.0F ? p.lobePhase : p.lobePhase + 0.12F;
    return Envelope(p, y) * Tooth(p, y, side > 0.0F ? 0.0F : 0.5F) * Lobe(p, y, phase);
}

Polyline ProfileOutline(const Profile& p) {
    Polyline outline;
    for (int i = 0; i <= kSamplesPerSide; ++i) {
        const float y = static_cast<float>(i) / kSamplesPerSide;
        outline.push_back({HalfWidth(p, y, 1.0F), y});
    }
    for (int i = kSamplesPerSide - 1; i > 0; --i) {
        const float y = static_cast<float>(i) / kSamplesPerSide;
        outline.push_back({-HalfWidth(p, y, -1.0F), y});
    }
    return outline;
}

Vein Midrib(float top, float bend) {
    Vein vein{{}, 2.4F};
    for (int i = 0; i <= 8; ++i) {
        const float y = top * static_cast<float>(i) / 8.0F;
        vein.path.push_back({bend * std::sin(kPi * y), y});
    }
    return vein;
}

// A side vein from the midrib at y0 out to the edge at y1, bowed towards the tip.
Vein SideVein(const Profile& p, float y0, float y1, float side, float reach) {
    const float x1 = side * HalfWidth(p, y1, side) * reach;
    const Vec2 start{0.0F, y0};
    const Vec2 middle{x1 * 0.55F, y0 + (y1 - y0) * 0.7F};
    return {{start, middle, {x1, y1}}, 1.2F};
}

void AddSideVeins(LeafDrawing& d, const Profile& p, int pairs, float from, float to, float rise) {
    for (int k = 0; k < pairs; ++k) {
        const float y0 = from + (to - from) * static_cast<float>(k) / static_cast<float>(pairs - 1);
        for (const float side : {1.0F, -1.0F}) {
            const float offset = side > 0.0F ? 0.0F : 0.5F / static_cast<float>(pairs);
            d.veins.push_back(SideVein(p, y0 + offset * (to - from),
                                       y0 + offset * (to - from) + rise, side, 0.9F));
        }
    }
}

Polyline Stem(float length, float bend) {
    return {{0.0F, 0.05F}, {bend * 0.5F, -length * 0.5F}, {bend, -length}};
}

LeafDrawing Oak() {
    const Profile p{0.36F, 0.95F, 0.42F, 0, 0.0F, 1.0F, 4, 0.5F, 0.1F};
    LeafDrawing d{LeafKind::Oak, ProfileOutline(p), {Midrib(0.97F, 0.015F)}, Stem(0.1F, 0.02F),
                  3.0F,          {105, 62, 28},     {110, 70, 30},           0.45F,
                  OakColour};
    for (int k = 1; k <= 4; ++k) {
        for (const float side : {1.0F, -1.0F}) {
            const float phase = side > 0.0F ? p.lobePhase : p.lobePhase + 0.12F;
            const float lobeTip = (static_cast<float>(k) - phase) / static_cast<float>(p.lobes);
            if (lobeTip > 0.1F && lobeTip < 0.95F) {
                d.veins.push_back(SideVein(p, lobeTip - 0.12F, lobeTip, side, 0.82F));
            }
        }
    }
    return d;
}

LeafDrawing Birch() {
    const Profile p{0.4F, 0.38F, 1.15F, 13, 0.09F, 1.0F, 0, 0.0F, 0.0F};
    LeafDrawing d{LeafKind::Birch,
                  ProfileOutline(p),
                  {Midrib(0.96F, 0.01F)},
                  Stem(0.22F, 0.04F),
                  2.2F,
                  {120, 80, 30},
                  {250, 235, 150},
                  0.35F,
                  BirchColour};
    AddSideVeins(d, p, 7, 0.08F, 0.72F, 0.16F);
    return d;
}

LeafDrawing Chestnut() {
    const Profile p{0.2F, 0.75F, 0.85F, 14, 0.22F, 2.0F, 0, 0.0F, 0.0F};
    LeafDrawing d{LeafKind::Chestnut,
                  ProfileOutline(p),
                  {Midrib(0.97F, 0.01F)},
                  Stem(0.1F, 0.02F),
                  2.6F,
                  {125, 80, 35},
                  {245, 215, 120},
                  0.4F,
                  ChestnutColour};
    AddSideVeins(d, p, 13, 0.06F, 0.86F, 0.07F);
    return d;
}

LeafDrawing Beech() {
    const Profile p{0.32F, 0.55F, 0.75F, 8, 0.05F, 1.0F, 0, 0.0F, 0.0F};
    LeafDrawing d{LeafKind::Beech,
                  ProfileOutline(p),
                  {Midrib(0.97F, 0.015F)},
                  Stem(0.1F, 0.02F),
                  2.4F,
                  {110, 60, 25},
                  {120, 55, 20},
                  0.4F,
                  BeechColour};
    AddSideVeins(d, p, 8, 0.08F, 0.8F, 0.1F);
    return d;
}

struct MapleLobe {
    float angle;   // from the +y axis, positive to the right
    float length;  // tip distance from the centre
    float spread;  // angular half width at the base
};

constexpr MapleLobe kMapleLobes[] = {
    {0.0F, 1.0F, 0.5F},    {0.95F, 0.9F, 0.48F},   {-0.95F, 0.9F, 0.48F},
    {1.85F, 0.56F, 0.42F}, {-1.85F, 0.56F, 0.42F},
};

float MapleRadius(float angle) {
    const float notch = std::max(0.0F, 1.0F - (kPi - std::fabs(angle)) / 0.45F);
    float radius = 0.3F - 0.17F * notch;
    for (const MapleLobe& lobe : kMapleLobes) {
        const float t = std::fabs(angle - lobe.angle) / lobe.spread;
        if (t >= 1.0F) {
            continue;
        }
        // A pointed lobe with two large teeth on each flank.
        const float body = std::pow(1.0F - t, 1.5F);
        const float teeth = 0.16F * std::max(0.0F, 1.0F - std::fabs(t - 0.42F) / 0.09F) +
                            0.1F * std::max(0.0F, 1.0F - std::fabs(t - 0.72F) / 0.08F);
        radius = std::max(radius, 0.3F + (lobe.length - 0.3F) * body + lobe.length * teeth * 0.6F);
    }
    return radius;
}

Vec2 Polar(float angle, float radius) {
    return {radius * std::sin(angle), radius * std::cos(angle)};
}

LeafDrawing Maple() {
    LeafDrawing d{LeafKind::Maple,
                  {},
                  {},
                  {{0.0F, 0.0F}, {0.03F, -0.3F}, {0.08F, -0.62F}},
                  3.2F,
                  {150, 40, 20},
                  {250, 190, 70},
                  0.32F,
                  MapleColour};
    constexpr int kSamples = 900;
    for (int i = 0; i < kSamples; ++i) {
        const float angle = -kPi + 2.0F * kPi * static_cast<float>(i) / kSamples;
        d.outline.push_back(Polar(angle, MapleRadius(angle)));
    }
    for (const MapleLobe& lobe : kMapleLobes) {
        const float reach = lobe.length * 0.95F;
        d.veins.push_back(
            {{{0.0F, 0.0F}, Polar(lobe.angle, reach * 0.5F), Polar(lobe.angle, reach)},
             lobe.angle == 0.0F ? 2.4F : 1.8F});
        for (const float side : {-1.0F, 1.0F}) {
            const float toothAngle = lobe.angle + side * 0.42F * lobe.spread;
            const Vec2 from = Polar(lobe.angle, reach * 0.42F);
            d.veins.push_back({{from, Polar(toothAngle, MapleRadius(toothAngle) * 0.9F)}, 1.0F});
        }
    }
    return d;
}

}  // namespace

LeafKind KindOfLeaf(int leafNumber) {
    static constexpr LeafKind kOrder[] = {LeafKind::Oak, LeafKind::Birch, LeafKind::Chestnut,
                                          LeafKind::Beech, LeafKind::Maple};
    if (leafNumber < 1 || leafNumber > 5) {
        throw base::EListError("KindOfLeaf: no leaf " + std::to_string(leafNumber));
    }
    return kOrder[leafNumber - 1];
}

const LeafDrawing& DrawingOf(LeafKind kind) {
    static const LeafDrawing kDrawings[] = {Oak(), Birch(), Chestnut(), Beech(), Maple()};
    return kDrawings[static_cast<int>(kind)];
}

}  // namespace assetpaint
