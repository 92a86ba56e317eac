#pragma once
// What every benchmark program shares: registration of a timed case together with the memcpy
// baseline of the same byte count, and the hook each program fills in.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// A timed case: its name, the bytes its memcpy baseline copies (the destination area's
// pixels; 0 for a case reported by its time alone), and the ratio to that baseline it must
// stay under (0 when it has none).
struct TimedCase {
    std::string name;
    size_t bytes = 0;
    double targetRatio = 0;
    std::string label;  // shown beside the case's time
};

// Registers the case and, once per byte count, "memcpy/<bytes>". The body runs the case's
// work once per call; the reporter reads the byte count and the target from its counters.
void Register(const TimedCase& timedCase, std::function<void()> body);
// The same for a case that times itself: each call does one unit of the case's work and
// returns the seconds it cost by the case's own clock (for work that another process shares,
// such as an X server's, which this process' CPU time leaves out). A count of iterations
// fixes how often the body runs, for work whose untimed part is long.
void RegisterSelfTimed(const TimedCase& timedCase, std::function<double()> body,
                       int64_t iterations = 0);

// The objects a program's cases work on. main frees them after the run, before the process'
// static objects go (frames must not outlive the frame unit's scratch bitmap).
class FixtureStore {
  public:
    template <class T, class... Args>
    T& Make(Args&&... args) {
        auto item = std::make_shared<T>(std::forward<Args>(args)...);
        items_.push_back(item);
        return *item;
    }

  private:
    std::vector<std::shared_ptr<void>> items_;
};

// Defined by each benchmark program: registers its cases before the run.
void RegisterBenchmarks(FixtureStore& store);

}  // namespace bench
