// Benchmark 1: a masked plot (mask AND, image OR) of one 220 x 215 frame at its own size, as a
// sprite draws into the sprite box's scratch bitmap, through a leaf mask and a noisy mask.

#include <string>

#include "BenchSupport.h"
#include "FrameFixture.h"
#include "gfx/Raster.h"

namespace bench {

namespace {

constexpr int32_t kWidth = 220;
constexpr int32_t kHeight = 215;
constexpr size_t kFrameBytes = size_t{kWidth} * kHeight * sizeof(gfx::Pixel);

void RegisterMaskedPlot(FixtureStore& store, const char* name, const Shape& shape, double target) {
    FrameFixture* fixture = &store.Make<FrameFixture>(shape, kWidth, kHeight);
    const int64_t opaquePercent = fixture->OpaqueCount() * 100 / (int64_t{kWidth} * kHeight);
    Register({name, kFrameBytes, target, "opaque " + std::to_string(opaquePercent) + "%"},
             [fixture] { fixture->Frame().Plot(fixture->Destination(), 37, 21, true); });
}

// The frame's masked plot in one pass over the destination (gfx::MaskedStretchBlt), for a
// plot path that hands both strips to the pixel library at once.
void RegisterOnePassPlot(FixtureStore& store, const char* name, const Shape& shape, double target) {
    FrameFixture* fixture = &store.Make<FrameFixture>(shape, kWidth, kHeight);
    Register({name, kFrameBytes, target, "mask and image row by row"}, [fixture] {
        const sprites::TFrame& frame = fixture->Frame();
        gfx::MaskedStretchBlt(fixture->Destination(), 37, 21, kWidth, kHeight,
                              fixture->MaskCanvas(), fixture->ImageCanvas(), frame.X(), frame.Y(),
                              kWidth, kHeight);
    });
}

// The same two passes with a colour picture in place of the mask: what the rectangle's memory
// traffic costs without expanding mask bits (no target; a measure of this machine's limit).
void RegisterTwoColourPasses(FixtureStore& store) {
    struct Passes {
        gfx::Bitmap mask{kWidth, kHeight};
        gfx::Bitmap image{kWidth + 141, kHeight};
        gfx::Bitmap dest{2 * kWidth - 1, 2 * kHeight - 1};
    };
    Passes* passes = &store.Make<Passes>();
    passes->mask.Fill(gfx::kWhite);
    passes->image.Fill(0x203040);
    Register({"two_colour_passes", kFrameBytes, 0, "AND then OR, no mask bits"}, [passes] {
        gfx::BitBlt(passes->dest.GetCanvas(), 37, 21, kWidth, kHeight, &passes->mask.GetCanvas(), 0,
                    0, gfx::Rop::SrcAnd);
        gfx::BitBlt(passes->dest.GetCanvas(), 37, 21, kWidth, kHeight, &passes->image.GetCanvas(),
                    141, 0, gfx::Rop::SrcPaint);
    });
}

// A plain copy of the frame's rectangle from its strip into the destination, row by row: what
// the two bitmaps' layout costs by itself (rows far apart in memory, each started afresh), the
// limit of any pass over the rectangle (no target).
void RegisterRectangleCopy(FixtureStore& store) {
    FrameFixture* fixture = &store.Make<FrameFixture>(LeafShape(kWidth, kHeight), kWidth, kHeight);
    Register({"rectangle_copy", kFrameBytes, 0, "SrcCopy from the strip, row by row"}, [fixture] {
        gfx::BitBlt(fixture->Destination(), 37, 21, kWidth, kHeight, &fixture->ImageCanvas(),
                    fixture->Frame().X(), 0, gfx::Rop::SrcCopy);
    });
}

}  // namespace

void RegisterBenchmarks(FixtureStore& store) {
    RegisterMaskedPlot(store, "masked_plot/leaf", LeafShape(kWidth, kHeight), 2.5);
    RegisterMaskedPlot(store, "masked_plot/noise", NoiseShape(kWidth, kHeight, 7), 3.0);
    RegisterOnePassPlot(store, "masked_plot_one_pass/leaf", LeafShape(kWidth, kHeight), 2.5);
    RegisterOnePassPlot(store, "masked_plot_one_pass/noise", NoiseShape(kWidth, kHeight, 7), 3.0);
    RegisterTwoColourPasses(store);
    RegisterRectangleCopy(store);
}

}  // namespace bench
