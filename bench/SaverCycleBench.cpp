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
#include <stdexcept>
#include <string>
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
constexpr uint64_t kFirstMinutes = 120 * 1000;

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

// Saver time and process CPU time of one stretch of the cycle.
struct Stretch {
    uint64_t saverMs = 0;
    double cpuSeconds = 0;
};

// The cycle's phases, and its first two minutes (what bench/x11-saver-cpu sees by default).
struct CycleRecord {
    std::vector<Stretch> phases;
    Stretch firstMinutes;
};

// Runs saver time until the phase has changed `changes` times.
CycleRecord RunPhaseChanges(reliability::SaverRig& rig, int changes) {
    const uint64_t start = rig.Backend().Now();
    Stretch begun{start, OwnCpuSeconds()};
    scene::TPhase phase = rig.Form().Phase;
    CycleRecord record;
    while (static_cast<int>(record.phases.size()) < changes) {
        if (rig.Backend().Now() - start > kCycleLimit || !rig.Run(kSlice)) {
            throw std::runtime_error("the saver made no full cycle in six hours of saver time");
        }
        const Stretch now{rig.Backend().Now(), OwnCpuSeconds()};
        if (now.saverMs - start == kFirstMinutes) {
            record.firstMinutes = {kFirstMinutes, now.cpuSeconds - (begun.cpuSeconds)};
        }
        if (rig.Form().Phase != phase) {
            phase = rig.Form().Phase;
            record.phases.push_back(
                {now.saverMs - begun.saverMs, now.cpuSeconds - begun.cpuSeconds});
            begun = now;
        }
    }
    return record;
}

double SpeedOf(const Stretch& stretch) {
    return static_cast<double>(stretch.saverMs) / 1e3 / stretch.cpuSeconds;
}

void ReportCycle(const CycleRecord& record, double showCpuSeconds) {
    Stretch whole{0, showCpuSeconds};
    for (const Stretch& phase : record.phases) {
        whole.saverMs += phase.saverMs;
        whole.cpuSeconds += phase.cpuSeconds;
    }
    ReportFigure({"full cycle: saver time / process CPU time", "x", 500, Bound::AtLeast},
                 SpeedOf(whole));
    ReportFigure({"full cycle: saver time", "s"}, static_cast<double>(whole.saverMs) / 1e3);
    ReportFigure({"full cycle: process CPU time", "s"}, whole.cpuSeconds);
    const char* const kPhaseNames[] = {"covering", "revealing", "covering again"};
    for (size_t i = 0; i < record.phases.size(); ++i) {
        const std::string phase = std::string("  ") + kPhaseNames[i];
        ReportFigure({phase + ": saver time", "s"},
                     static_cast<double>(record.phases[i].saverMs) / 1e3);
        ReportFigure({phase + ": saver time / CPU time", "x"}, SpeedOf(record.phases[i]));
    }
    ReportFigure({"  first 120 s of covering: saver time / CPU time", "x"},
                 SpeedOf(record.firstMinutes));
}

void FullCycle(benchmark::State& state) {
    for (auto _ : state) {
        auto rig = std::make_unique<reliability::SaverRig>(kWidth, kHeight, 0, kSeed);
        const double cpu = OwnCpuSeconds();
        rig->Show();
        const double showCpu = OwnCpuSeconds() - cpu;
        const CycleRecord record = RunPhaseChanges(*rig, kCyclePhaseChanges);
        state.SetIterationTime(OwnCpuSeconds() - cpu);
        ReportCycle(record, showCpu);
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
