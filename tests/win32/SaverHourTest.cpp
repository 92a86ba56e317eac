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

TEST(SaverHourTest, GdiAndUserObjectsStayFlatOverAnHourOfSaving) {
    const auto wallStart = std::chrono::steady_clock::now();
    VirtualClockBackend backend;
    base::SetRandSeed(kSeed);
    std::optional<GuiCounts> start, afterFirstCycle, end;
    uint64_t firstCycleAt = 0, presentsAtFirstCycle = 0, presentsAtEnd = 0;
    int phaseChanges = 0;
    bool endedByTheTest = false;
    {
        framework::TApplication application;
        application.SetTitle(scene::kSaverCaption);
        auto* form = application.CreateForm<scene::TfrmMain>(assets::MainFormDescription(),
                                                             [](platform::HWND) { return true; });
        form->Show();
        // Counts at the first tick, after the first cycle (when the scene covers for the second
        // time) and after an hour of the backend's clock; then a key ends the saver.
        scene::TPhase phase = form->Phase;
        backend.SetClockObserver([&](uint64_t now) {
            if (!start) {
                start = CountGuiResources();
            }
            if (form->Phase != phase) {
                phase = form->Phase;
                if (++phaseChanges == 2) {
                    afterFirstCycle = CountGuiResources();
                    firstCycleAt = now;
                    presentsAtFirstCycle = backend.Presents();
                }
            }
            if (now >= kHour && !end) {
                end = CountGuiResources();
                presentsAtEnd = backend.Presents();
                platform::PostMessageA(form->Handle(), platform::WM_KEYDOWN, platform::VK_SPACE, 0);
            }
            if (now >= kHour + kEndGrace && !endedByTheTest) {
                endedByTheTest = true;
                platform::PostQuitMessage(1);
            }
        });
        application.Run();
        backend.SetClockObserver({});
    }
    const uint64_t saverMs = backend.SaverMilliseconds();
    const double wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    std::cout << Line("start", start) << "\n"
              << Line("after the first cycle", afterFirstCycle) << " at " << firstCycleAt / 1000
              << " s of saver time\n"
              << Line("end", end) << "\n"
              << "saver time " << saverMs / 1000 << " s, real time " << wallSeconds << " s, "
              << backend.TimerTicks() << " timer ticks, " << phaseChanges << " phase changes, "
              << backend.Presents() << " presents\n";

    ASSERT_TRUE(start && afterFirstCycle && end);
    EXPECT_FALSE(endedByTheTest) << "the saver did not end on the key";
    EXPECT_GE(saverMs, kHour);
    EXPECT_GE(phaseChanges, 4) << "fewer than two cycles in an hour";
    EXPECT_GT(presentsAtEnd, presentsAtFirstCycle) << "nothing presented";
    // Each comparison covers both counts (and that one counter made them).
    EXPECT_EQ(end->Describe(), afterFirstCycle->Describe());
    EXPECT_EQ(end->Describe(), start->Describe());
}

}  // namespace
}  // namespace win32test
