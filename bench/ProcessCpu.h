#pragma once
// CPU time spent by this process and by another one (an X server), in seconds.

#include <sys/types.h>

#include <vector>

namespace bench {

// This process' CPU time, every thread of it (CLOCK_PROCESS_CPUTIME_ID).
double OwnCpuSeconds();

// Another process' time on the CPU, from the scheduler's own count in nanoseconds of every
// thread it had when the clock was made (/proc/<pid>/task/*/schedstat, kept open so that a
// reading costs one read per thread).
class ProcessCpuClock {
  public:
    explicit ProcessCpuClock(pid_t pid);
    ~ProcessCpuClock();
    ProcessCpuClock(const ProcessCpuClock&) = delete;
    ProcessCpuClock& operator=(const ProcessCpuClock&) = delete;

    bool Readable() const { return !files_.empty(); }
    // 0 when it is not readable.
    double Seconds() const;

  private:
    std::vector<int> files_;
};

}  // namespace bench
