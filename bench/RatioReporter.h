#pragma once
// A console reporter that also collects every case's time (the median when repeated) and, at
// the end, prints each case's ratio to the memcpy baseline of the same byte count, then the
// program's comparisons between cases and its figures with targets of their own (Figures.h).

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

    // Cases over their target; the program exits with failure when asked to enforce them.
    int CasesOverTarget() const { return overTarget_; }

  private:
    struct Figure {
        double nanoseconds = 0;
        double bytes = 0;
        double target = 0;
        bool median = false;
        bool selfTimed = false;
    };
    void Keep(const Run& run);
    void PrintRatio(const std::string& name, const Figure& figure);
    void PrintComparisons();

    std::vector<std::string> order_;
    std::map<std::string, Figure> figures_;
    std::map<double, double> memcpyByBytes_;
    int overTarget_ = 0;
};

}  // namespace bench
