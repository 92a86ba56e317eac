// Benchmark 3: the projected path. Masked plots of the 220 x 215 leaf frame mirrored (each way
// and both) and scaled; each is one layer, held against memcpy of the area it covers.

#include <cmath>
#include <string>

#include "BenchSupport.h"
#include "FrameFixture.h"

namespace bench {

namespace {

constexpr int32_t kWidth = 220;
constexpr int32_t kHeight = 215;
constexpr double kLayerTarget = 4.0;

struct Projection {
    const char* name;
    bool mirrorX, mirrorY;
    double scale;
};

std::string CoveredSize(double scale) {
    return std::to_string(static_cast<int>(std::nearbyint(kWidth * scale))) + " x " +
           std::to_string(static_cast<int>(std::nearbyint(kHeight * scale)));
}

size_t CoveredBytes(double scale) {
    const auto width = static_cast<size_t>(std::nearbyint(kWidth * scale));
    const auto height = static_cast<size_t>(std::nearbyint(kHeight * scale));
    return width * height * sizeof(gfx::Pixel);
}

}  // namespace

void RegisterBenchmarks(FixtureStore& store) {
    // Scaled plots need room for 1.5 times the frame: the fixture's scratch is twice its size.
    FrameFixture* fixture = &store.Make<FrameFixture>(LeafShape(kWidth, kHeight), kWidth, kHeight);
    static const Projection kProjections[] = {
        {"projected_plot/mirror_x", true, false, 1.0},
        {"projected_plot/mirror_y", false, true, 1.0},
        {"projected_plot/mirror_xy", true, true, 1.0},
        {"projected_plot/scale_0.5", false, false, 0.5},
        {"projected_plot/scale_0.8_mirror_x", true, false, 0.8},
        {"projected_plot/scale_1.5", false, false, 1.5},
    };
    for (const Projection& p : kProjections) {
        Register({p.name, CoveredBytes(p.scale), kLayerTarget, CoveredSize(p.scale)},
                 [fixture, &p] {
                     fixture->Frame().PlotEx(fixture->Destination(), 20, 10, p.mirrorX, p.mirrorY,
                                             true, p.scale);
                 });
    }
}

}  // namespace bench
