// Benchmark 2: the sprite box recomposing a 220 x 215 area of the saver's stage from the
// background and 8 overlapping leaves (TSpriteBox::RedrawArea: the background block, each
// leaf's masked plot into the scratch bitmap, the copy onto the form), held against memcpy of
// the area's pixels. The same redraw once more with the caches emptied before each one: the
// live saver redraws a few areas every timer tick and sleeps in between, and on a virtual
// machine its data are mostly gone from the caches when it wakes.

#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "ProcessCpu.h"
#include "RedrawStage.h"

namespace bench {

namespace {

constexpr double kRedrawTarget = 15.0;
// More than the last-level caches of the machines measured hold.
constexpr size_t kEvictionBytes = size_t{256} << 20;
constexpr size_t kCacheLine = 64;
constexpr int64_t kColdRedraws = 60;  // each eviction takes tens of milliseconds

// Writes one byte of every cache line of a buffer larger than the caches, pushing out what
// the redraw would otherwise find there.
class CacheEvictor {
  public:
    CacheEvictor() : lines_(kEvictionBytes, 0) {}
    void Evict() {
        for (size_t i = 0; i < lines_.size(); i += kCacheLine) {
            ++lines_[i];
        }
    }

  private:
    std::vector<unsigned char> lines_;
};

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
    CacheEvictor* evictor = &store.Make<CacheEvictor>();
    RegisterSelfTimed(
        {"redraw_area/8_leaves_cold_caches", RedrawStage::kAreaBytes, 0,
         "after writing 256 MiB elsewhere"},
        [stage, evictor] {
            evictor->Evict();
            const double start = OwnCpuSeconds();
            stage->Redraw();
            return OwnCpuSeconds() - start;
        },
        kColdRedraws);
}

}  // namespace bench
