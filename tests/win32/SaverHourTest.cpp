// An hour of saving under the real window system, in seconds: the saver window with its
// scene and toolkit on the Win32 backend, composing and presenting through GDI, with the tick
// counter and the timers on a virtual clock (VirtualClockBackend). The process's GDI and USER
// objects must not grow: the counts at the first tick, after the first cycle and at the end
// are the same. (What the system makes lazily and keeps, such as the DCs of its DC cache, is
// made by the first paint, before the first tick.)
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

struct HourFigures {
    std::optional<GuiCounts> start;
    std::optional<GuiCounts> afterFirstCycle;
    std::optional<GuiCounts> end;
    uint64_t firstCycleAt = 0;
    uint64_t presentsAtFirstCycle = 0;
    uint64_t presentsAtEnd = 0;
    int phaseChanges = 0;
    bool endedByTheTest = false;
};

// Watches the saver from the backend's clock: counts at the first tick, after the first cycle
// (when the scene covers for the second time) and after an hour, then a key ends the saver.
class HourWatch {
  public:
    HourWatch(VirtualClockBackend& backend, scene::TfrmMain& form)
        : backend_(backend), form_(form), phase_(form.Phase) {}

    void Observe(uint64_t now) {
        if (!figures_.start) {
            figures_.start = CountGuiResources();
        }
        WatchPhase(now);
        if (now >= kHour && !figures_.end) {
            figures_.end = CountGuiResources();
            figures_.presentsAtEnd = backend_.Presents();
            platform::PostMessageA(form_.Handle(), platform::WM_KEYDOWN, platform::VK_SPACE, 0);
        }
        if (now >= kHour + kEndGrace && !figures_.endedByTheTest) {
            figures_.endedByTheTest = true;
            platform::PostQuitMessage(1);
        }
    }

    const HourFigures& Figures() const { return figures_; }

  private:
    void WatchPhase(uint64_t now) {
        if (form_.Phase == phase_) {
            return;
        }
        phase_ = form_.Phase;
        if (++figures_.phaseChanges == 2) {
            figures_.afterFirstCycle = CountGuiResources();
            figures_.firstCycleAt = now;
            figures_.presentsAtFirstCycle = backend_.Presents();
        }
    }

    VirtualClockBackend& backend_;
    scene::TfrmMain& form_;
    scene::TPhase phase_;
    HourFigures figures_;
};

std::string Line(const char* moment, const std::optional<GuiCounts>& counts) {
    return std::string(moment) + ": " + (counts ? counts->Describe() : "not reached");
}

TEST(SaverHourTest, GdiAndUserObjectsStayFlatOverAnHourOfSaving) {
    const auto wallStart = std::chrono::steady_clock::now();
    VirtualClockBackend backend;
    base::SetRandSeed(kSeed);
    HourFigures figures;
    uint64_t saverMs = 0;
    {
        framework::TApplication application;
        application.SetTitle(scene::kSaverCaption);
        auto* form = application.CreateForm<scene::TfrmMain>(assets::MainFormDescription(),
                                                             [](platform::HWND) { return true; });
        form->Show();
        HourWatch watch(backend, *form);
        backend.SetClockObserver([&](uint64_t now) { watch.Observe(now); });
        application.Run();
        backend.SetClockObserver({});
        figures = watch.Figures();
        saverMs = backend.SaverMilliseconds();
    }
    const double wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    std::cout << Line("start", figures.start) << "\n"
              << Line("after the first cycle", figures.afterFirstCycle) << " at "
              << figures.firstCycleAt / 1000 << " s of saver time\n"
              << Line("end", figures.end) << "\n"
              << "saver time " << saverMs / 1000 << " s, real time " << wallSeconds << " s, "
              << backend.TimerTicks() << " timer ticks, " << figures.phaseChanges
              << " phase changes, " << backend.Presents() << " presents of "
              << backend.PresentedPixels() << " pixels\n";

    ASSERT_TRUE(figures.start && figures.afterFirstCycle && figures.end);
    EXPECT_FALSE(figures.endedByTheTest) << "the saver did not end on the key";
    EXPECT_GE(saverMs, kHour);
    EXPECT_GE(figures.phaseChanges, 4) << "fewer than two cycles in an hour";
    EXPECT_GT(figures.presentsAtEnd, figures.presentsAtFirstCycle) << "nothing presented";
    EXPECT_EQ(figures.end->gdi, figures.afterFirstCycle->gdi);
    EXPECT_EQ(figures.end->user, figures.afterFirstCycle->user);
    EXPECT_EQ(figures.end->gdi, figures.start->gdi);
    EXPECT_EQ(figures.end->user, figures.start->user);
}

}  // namespace
}  // namespace win32test
