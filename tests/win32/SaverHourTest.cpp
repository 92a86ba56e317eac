// An hour of saving under the real window system: the saver window with its scene and toolkit
// on the Win32 backend, composing and presenting through GDI, with the tick counter and the
// timers on a virtual clock (VirtualClockBackend). The process's GDI and USER objects must not
// grow: the counts at the first tick, after the first cycle and at the end are the same. (What
// the system makes lazily and keeps, such as its cached DCs, is made by the first paint.)
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <optional>

#include "GuiResourceCount.h"
#include "VirtualClockBackend.h"
#include "assets/Assets.h"
#include "base/Random.h"
#include "framework/Application.h"
#include "scene/MainForm.h"

namespace win32test {
namespace {

constexpr uint64_t kHour = 3600 * 1000;
// Saver time the saver has to end in after the key; past it the test ends the loop itself.
constexpr uint64_t kEndGrace = 60 * 1000;
constexpr uint32_t kSeed = 20261207;

std::string Line(const char* moment, const std::optional<GuiCounts>& counts) {
    return std::string(moment) + ": " + (counts ? counts->Describe() : "not reached");
}

// What the hour showed: the counts at the first tick, after the first cycle (when the scene
// covers for the second time) and after an hour of the backend's clock.
struct HourRecord {
    std::optional<GuiCounts> start, afterFirstCycle, end;
    uint64_t firstCycleAt = 0, presentsAtFirstCycle = 0, presentsAtEnd = 0;
    int phaseChanges = 0;
    bool endedByTheTest = false;
};

// Watches the saver on each tick of the backend's clock and records into `record`; after the
// hour a key ends the saver, and past the grace the watcher ends the loop itself.
class HourWatcher {
  public:
    HourWatcher(VirtualClockBackend& backend, scene::TfrmMain& form, HourRecord& record)
        : backend_(backend), form_(form), record_(record), phase_(form.Phase) {}

    void OnTick(uint64_t now) {
        if (!record_.start) {
            record_.start = CountGuiResources();
        }
        CountAfterTheFirstCycle(now);
        if (now >= kHour && !record_.end) {
            record_.end = CountGuiResources();
            record_.presentsAtEnd = backend_.Presents();
            platform::PostMessageA(form_.Handle(), platform::WM_KEYDOWN, platform::VK_SPACE, 0);
        }
        if (now >= kHour + kEndGrace && !record_.endedByTheTest) {
            record_.endedByTheTest = true;
            platform::PostQuitMessage(1);
        }
    }

  private:
    void CountAfterTheFirstCycle(uint64_t now) {
        if (form_.Phase == phase_) {
            return;
        }
        phase_ = form_.Phase;
        if (++record_.phaseChanges == 2) {
            record_.afterFirstCycle = CountGuiResources();
            record_.firstCycleAt = now;
            record_.presentsAtFirstCycle = backend_.Presents();
        }
    }

    VirtualClockBackend& backend_;
    scene::TfrmMain& form_;
    HourRecord& record_;
    scene::TPhase phase_;
};

TEST(SaverHourTest, GdiAndUserObjectsStayFlatOverAnHourOfSaving) {
    const auto wallStart = std::chrono::steady_clock::now();
    VirtualClockBackend backend;
    base::SetRandSeed(kSeed);
    HourRecord hour;
    {
        framework::TApplication application;
        application.SetTitle(scene::kSaverCaption);
        auto* form = application.CreateForm<scene::TfrmMain>(assets::MainFormDescription(),
                                                             [](platform::HWND) { return true; });
        form->Show();
        HourWatcher watcher(backend, *form, hour);
        backend.SetClockObserver([&watcher](uint64_t now) { watcher.OnTick(now); });
        application.Run();
        backend.SetClockObserver({});
    }
    const uint64_t saverMs = backend.SaverMilliseconds();
    const double wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    std::cout << Line("start", hour.start) << "\n"
              << Line("after the first cycle", hour.afterFirstCycle) << " at "
              << hour.firstCycleAt / 1000 << " s of saver time\n"
              << Line("end", hour.end) << "\n"
              << "saver time " << saverMs / 1000 << " s, real time " << wallSeconds << " s, "
              << backend.TimerTicks() << " timer ticks, " << hour.phaseChanges << " phase changes, "
              << backend.Presents() << " presents\n";

    ASSERT_TRUE(hour.start && hour.afterFirstCycle && hour.end);
    EXPECT_FALSE(hour.endedByTheTest) << "the saver did not end on the key";
    EXPECT_GE(hour.phaseChanges, 4) << "fewer than two cycles in an hour";
    EXPECT_GT(hour.presentsAtEnd, hour.presentsAtFirstCycle) << "nothing presented";
    // Each comparison covers both counts (and that one counter made them).
    EXPECT_EQ(hour.end->Describe(), hour.afterFirstCycle->Describe());
    EXPECT_EQ(hour.end->Describe(), hour.start->Describe());
}

}  // namespace
}  // namespace win32test
