#include <cstring>
#include <set>
#include <vector>

#include "BenchSupport.h"

namespace bench {

namespace {

// Copies between two buffers of the case's size, as warm in the caches as the case's pixels.
void MemcpyOf(benchmark::State& state, size_t bytes) {
    std::vector<unsigned char> from(bytes, 0x5A);
    std::vector<unsigned char> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void RegisterMemcpyOnce(size_t bytes) {
    static std::set<size_t> registered;
    if (registered.insert(bytes).second) {
        benchmark::RegisterBenchmark(("memcpy/" + std::to_string(bytes)).c_str(), MemcpyOf, bytes);
    }
}

}  // namespace

void Register(const TimedCase& timedCase, std::function<void()> body) {
    RegisterMemcpyOnce(timedCase.bytes);
    const size_t bytes = timedCase.bytes;
    const double target = timedCase.targetRatio;
    const std::string label = timedCase.label;
    const bool realTime = timedCase.realTime;
    auto* registered =
        benchmark::RegisterBenchmark(timedCase.name.c_str(), [=](benchmark::State& state) {
            for (auto _ : state) {
                body();
                benchmark::ClobberMemory();
            }
            state.counters["bytes"] = static_cast<double>(bytes);
            state.counters["target"] = target;
            state.counters["real_time"] = realTime ? 1 : 0;
            state.SetLabel(label);
            state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                                    static_cast<int64_t>(bytes));
        });
    if (realTime) {
        registered->UseRealTime();
    }
}

}  // namespace bench
