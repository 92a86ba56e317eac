#include "RatioReporter.h"

#include <cstdio>

#include "Figures.h"

namespace bench {

namespace {

constexpr const char* kMemcpyPrefix = "memcpy/";

double CounterOf(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    const auto found = run.counters.find(name);
    return found == run.counters.end() ? 0 : found->second.value;
}

// CPU time per iteration in nanoseconds: preemption by the machine's other work is left out.
// A case that times itself has its own time in the run's manual (real-time) field.
double NanosecondsOf(const benchmark::BenchmarkReporter::Run& run) {
    const double time =
        CounterOf(run, "self_timed") > 0 ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
    return time * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        Keep(run);
    }
}

// A median replaces single repetitions; other aggregates (mean, deviation) are not kept.
void RatioReporter::Keep(const Run& run) {
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) {
        return;
    }
    const std::string name = run.run_name.function_name;
    if (figures_.count(name) == 0) {
        order_.push_back(name);
    }
    Figure& figure = figures_[name];
    if (figure.median && !median) {
        return;
    }
    figure = {NanosecondsOf(run), CounterOf(run, "bytes"), CounterOf(run, "target"), median,
              CounterOf(run, "self_timed") > 0};
    if (name.rfind(kMemcpyPrefix, 0) == 0) {
        memcpyByBytes_[figure.bytes] = figure.nanoseconds;
    }
}

void RatioReporter::PrintRatio(const std::string& name, const Figure& figure) {
    const auto baseline = memcpyByBytes_.find(figure.bytes);
    if (baseline == memcpyByBytes_.end() || baseline->second <= 0) {
        std::printf("%-44s %10.0f ns   (no memcpy baseline)\n", name.c_str(), figure.nanoseconds);
        return;
    }
    const double ratio = figure.nanoseconds / baseline->second;
    const bool over = figure.target > 0 && ratio > figure.target;
    overTarget_ += over ? 1 : 0;
    std::printf("%-44s %10.0f ns  memcpy %8.0f ns  ratio %6.2f  target %5.2f  %s%s\n", name.c_str(),
                figure.nanoseconds, baseline->second, ratio, figure.target,
                figure.target <= 0 ? "" : (over ? "OVER" : "ok"),
                figure.selfTimed ? "  (own clock)" : "");
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    // A case without a byte count (one that reports figures of its own) has no ratio.
    std::vector<std::string> ratioCases;
    for (const std::string& name : order_) {
        if (name.rfind(kMemcpyPrefix, 0) != 0 && figures_[name].bytes > 0) {
            ratioCases.push_back(name);
        }
    }
    if (!ratioCases.empty()) {
        std::printf("\nRatios to memcpy of the same bytes (CPU time%s):\n",
                    figures_.empty() || !figures_.begin()->second.median ? "" : ", medians");
    }
    for (const std::string& name : ratioCases) {
        PrintRatio(name, figures_[name]);
    }
    PrintComparisons();
    overTarget_ += PrintFigures();
    std::fflush(stdout);
}

// Each comparison of two cases' times, when both ran.
void RatioReporter::PrintComparisons() {
    for (const Comparison& comparison : Comparisons()) {
        const auto numerator = figures_.find(comparison.numerator);
        const auto denominator = figures_.find(comparison.denominator);
        if (numerator == figures_.end() || denominator == figures_.end() ||
            denominator->second.nanoseconds <= 0) {
            continue;
        }
        const double ratio = numerator->second.nanoseconds / denominator->second.nanoseconds;
        const bool over = ratio > comparison.target;
        overTarget_ += over ? 1 : 0;
        std::printf("%s / %s: ratio %.3f  target <= %.2f  %s\n", comparison.numerator.c_str(),
                    comparison.denominator.c_str(), ratio, comparison.target, over ? "OVER" : "ok");
    }
}

}  // namespace bench
