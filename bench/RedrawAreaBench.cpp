// Benchmark 2: the sprite box recomposing a 220 x 215 area of the saver's stage from the
// background and 8 overlapping leaves (TSpriteBox::RedrawArea: the background block, each
// leaf's masked plot into the scratch bitmap, the copy onto the form), held against memcpy of
// the area's pixels.

#include <cstdio>
#include <string>

#include "BenchSupport.h"
#include "RedrawStage.h"

namespace bench {

namespace {

constexpr double kRedrawTarget = 15.0;

std::string Describe(const RedrawStage& stage) {
    char text[96];
    std::snprintf(text, sizeof text, "leaves cover %d%% of the area in %.1f layers",
                  stage.CoveredPercent(), stage.LayersPlotted());
    return text;
}

}  // namespace

void RegisterBenchmarks(FixtureStore& store) {
    RedrawStage* stage = &store.Make<RedrawStage>();
    Register({"redraw_area/8_leaves", RedrawStage::kAreaBytes, kRedrawTarget, Describe(*stage)},
             [stage] { stage->Redraw(); });
}

}  // namespace bench
