// Benchmark 5: the whole saver on the headless backend at 1920 x 1080 with the virtual clock.
//   start-up: creating the main window TfrmMain (loading the embedded form description,
//     preparing the 80 leaf masks, building the grid), at most 50 ms;
//   a full cycle (cover, reveal, cover, until the reveal after it begins): saver time divided
//     by the process' CPU time, at least 500;
//   peak resident memory of the process (getrusage ru_maxrss) after a full cycle, at most
//     64 MiB. The process also holds the benchmark library and the rig's desktop picture, so
//     the figure is an upper bound of the saver's own.

#include <sys/resource.h>

#include <chrono>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <vector>

#include "BenchSupport.h"
#include "Figures.h"
#include "ProcessCpu.h"
#include "SaverRig.h"
#include "assets/Assets.h"
#include "base/Random.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessBackend.h"
#include "scene/MainForm.h"

namespace bench {

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
constexpr uint32_t kSeed = 20261207;
constexpr uint64_t kSlice = 100;
constexpr uint64_t kCycleLimit = 6 * 3600 * 1000;  // saver time allowed for one cycle
constexpr int kCyclePhaseChanges = 3;              // cover to reveal, to cover, to reveal

double PeakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One creation of the main window on a fresh backend; returns its CPU and wall seconds.
std::pair<double, double> CreateMainWindow() {
    platform::headless::HeadlessBackend backend;
    backend.SetScreenSize(kWidth, kHeight);
    base::SetRandSeed(kSeed);
    auto application = std::make_unique<framework::TApplication>();
    application->SetTitle(scene::kSaverCaption);
    const double cpu = OwnCpuSeconds();
    const double wall = WallSeconds();
    application->CreateForm<scene::TfrmMain>(assets::MainFormDescription(),
                                             [](platform::HWND) { return true; });
    const std::pair<double, double> spent{OwnCpuSeconds() - cpu, WallSeconds() - wall};
    application.reset();  // the forms go before the backend
    return spent;
}

void StartUp(benchmark::State& state) {
    static bool first = true;
    for (auto _ : state) {
        const auto [cpu, wall] = CreateMainWindow();
        state.SetIterationTime(wall);
        if (first) {
            ReportFigure({"start-up, first in the process (CPU)", "ms", 50}, cpu * 1e3);
            ReportFigure({"start-up, first in the process (wall)", "ms", 50}, wall * 1e3);
            first = false;
        }
        ReportFigure({"start-up, creating TfrmMain (CPU)", "ms", 50}, cpu * 1e3);
    }
}

// Runs saver time until the phase has changed `changes` times; the saver time of each phase.
std::vector<uint64_t> RunPhaseChanges(reliability::SaverRig& rig, int changes) {
    const uint64_t start = rig.Backend().Now();
    uint64_t phaseStart = start;
    scene::TPhase phase = rig.Form().Phase;
    std::vector<uint64_t> phases;
    while (static_cast<int>(phases.size()) < changes) {
        if (rig.Backend().Now() - start > kCycleLimit || !rig.Run(kSlice)) {
            throw std::runtime_error("the saver made no full cycle in six hours of saver time");
        }
        if (rig.Form().Phase != phase) {
            phase = rig.Form().Phase;
            phases.push_back(rig.Backend().Now() - phaseStart);
            phaseStart = rig.Backend().Now();
        }
    }
    return phases;
}

void FullCycle(benchmark::State& state) {
    for (auto _ : state) {
        auto rig = std::make_unique<reliability::SaverRig>(kWidth, kHeight, 0, kSeed);
        const double cpu = OwnCpuSeconds();
        rig->Show();
        const std::vector<uint64_t> phases = RunPhaseChanges(*rig, kCyclePhaseChanges);
        const double cpuSeconds = OwnCpuSeconds() - cpu;
        const uint64_t saverMs = std::accumulate(phases.begin(), phases.end(), uint64_t{0});
        state.SetIterationTime(cpuSeconds);
        ReportFigure({"full cycle: saver time / process CPU time", "x", 500, Bound::AtLeast},
                     static_cast<double>(saverMs) / 1e3 / cpuSeconds);
        ReportFigure({"full cycle: saver time", "s"}, static_cast<double>(saverMs) / 1e3);
        ReportFigure({"full cycle: process CPU time", "s"}, cpuSeconds);
        ReportFigure({"  of which covering", "s"}, static_cast<double>(phases[0]) / 1e3);
        ReportFigure({"  of which revealing", "s"}, static_cast<double>(phases[1]) / 1e3);
        ReportFigure({"  of which covering again", "s"}, static_cast<double>(phases[2]) / 1e3);
        ReportFigure({"peak resident memory after a full cycle", "MiB", 64}, PeakResidentMiB());
    }
}

}  // namespace

void RegisterBenchmarks(FixtureStore& /*store*/) {
    // Start-up first, so that its first creation is the process' first.
    benchmark::RegisterBenchmark("startup/create_main_form_1920x1080", StartUp)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    // Manual time: the CPU time of the cycle, the rig's set-up left out.
    benchmark::RegisterBenchmark("saver_cycle/1920x1080", FullCycle)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
