// Benchmark 1: a masked plot (mask AND, image OR) of one 220 x 215 frame at its own size, as a
// sprite draws into the sprite box's scratch bitmap, through a leaf mask and a noisy mask.

#include "BenchSupport.h"
#include "FrameFixture.h"

namespace bench {

namespace {

constexpr int32_t kWidth = 220;
constexpr int32_t kHeight = 215;
constexpr size_t kFrameBytes = size_t{kWidth} * kHeight * sizeof(gfx::Pixel);

void RegisterMaskedPlot(FixtureStore& store, const char* name, const Shape& shape, double target) {
    FrameFixture* fixture = &store.Make<FrameFixture>(shape, kWidth, kHeight);
    Register({name, kFrameBytes, target},
             [fixture] { fixture->Frame().Plot(fixture->Destination(), 37, 21, true); });
}

}  // namespace

void RegisterBenchmarks(FixtureStore& store) {
    RegisterMaskedPlot(store, "masked_plot/leaf", LeafShape(kWidth, kHeight), 2.5);
    RegisterMaskedPlot(store, "masked_plot/noise", NoiseShape(kWidth, kHeight, 7), 3.0);
}

}  // namespace bench
