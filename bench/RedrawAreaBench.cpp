// Benchmark 2: the sprite box recomposing a 220 x 215 area of the saver's stage from the
// background and 8 overlapping leaves (TSpriteBox::RedrawArea: the background block, each
// leaf's masked plot into the scratch bitmap, the copy onto the form), held against memcpy of
// the area's pixels.

#include <string>

#include "BenchSupport.h"
#include "RedrawStage.h"

namespace bench {

namespace {

constexpr double kRedrawTarget = 15.0;

}  // namespace

void RegisterBenchmarks(FixtureStore& store) {
    RedrawStage* stage = &store.Make<RedrawStage>();
    Register({"redraw_area/8_leaves", RedrawStage::kAreaBytes, kRedrawTarget,
              "leaves cover " + std::to_string(stage->CoveredPercent()) + "% of the area"},
             [stage] { stage->Redraw(); });
}

}  // namespace bench
