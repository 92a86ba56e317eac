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

// A case without a byte count has no ratio, so no baseline either.
void RegisterMemcpyOnce(size_t bytes) {
    static std::set<size_t> registered;
    if (bytes > 0 && registered.insert(bytes).second) {
        benchmark::RegisterBenchmark(("memcpy/" + std::to_string(bytes)).c_str(), MemcpyOf, bytes);
    }
}

// What every case reports beside its time: its byte count, its target, its label.
void SetCaseCounters(benchmark::State& state, const TimedCase& timedCase, bool selfTimed) {
    state.counters["bytes"] = static_cast<double>(timedCase.bytes);
    state.counters["target"] = timedCase.targetRatio;
    if (selfTimed) {
        state.counters["self_timed"] = 1;
    }
    state.SetLabel(timedCase.label);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(timedCase.bytes));
}

}  // namespace

void Register(const TimedCase& timedCase, std::function<void()> body) {
    RegisterMemcpyOnce(timedCase.bytes);
    benchmark::RegisterBenchmark(timedCase.name.c_str(), [=](benchmark::State& state) {
        for (auto _ : state) {
            body();
            benchmark::ClobberMemory();
        }
        SetCaseCounters(state, timedCase, false);
    });
}

void RegisterSelfTimed(const TimedCase& timedCase, std::function<double()> body,
                       int64_t iterations) {
    RegisterMemcpyOnce(timedCase.bytes);
    benchmark::internal::Benchmark* registered =
        benchmark::RegisterBenchmark(timedCase.name.c_str(), [=](benchmark::State& state) {
            for (auto _ : state) {
                state.SetIterationTime(body());
            }
            SetCaseCounters(state, timedCase, true);
        });
    registered->UseManualTime();
    if (iterations > 0) {
        registered->Iterations(iterations);
    }
}

}  // namespace bench
