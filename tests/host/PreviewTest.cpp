#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <vector>

#include "base/Random.h"
#include "host/Preview.h"
#include "host/SaverMode.h"
#include "platform/headless/HeadlessBackend.h"

namespace host {

// A failing comparison prints an icon's place rather than its bytes (found by argument lookup,
// so it stands outside the unnamed namespace).
static void PrintTo(const IconPosition& p, std::ostream* out) {
    *out << "(" << p.x << ", " << p.y << ")";
}

namespace {

using platform::HWND;
using Positions = std::array<IconPosition, kPreviewIconCount>;

// Leaf icon i (0 to 4) has a colour of its own, so that a test can tell them apart.
constexpr gfx::Pixel LeafColour(int i) {
    return 0x00C04010 + static_cast<gfx::Pixel>(i);
}

// An opaque square icon of one colour.
platform::Icon SolidIcon(int32_t size, gfx::Pixel colour) {
    platform::Icon icon{gfx::Bitmap(size, size), gfx::Bitmap(size, size, gfx::PixelFormat::Mono)};
    icon.image.Fill(colour);
    icon.mask.Fill(gfx::kBlack);
    return icon;
}

class PreviewTest : public ::testing::Test {
  protected:
    PreviewTest() {
        backend_.AddIcon(SolidIcon(32, gfx::kWhite));  // the main icon, which is never used
        for (int i = 0; i < kPreviewIconCount; ++i) {
            backend_.AddIcon(SolidIcon(32, LeafColour(i)));
        }
    }

    void At(uint64_t time, std::function<void()> action) {
        backend_.Schedule(time, std::move(action));
    }

    // The test preview, with `action` done on its window at `time` and a close request after;
    // returns the window.
    HWND RunStandalone(uint64_t time, std::function<void(HWND)> action) {
        SetStartupValues(smTestPreview, 0, 0);
        HWND window = 0;
        At(time, [&] {
            window = platform::FindWindowA(kPreviewClass, kPreviewTitle);
            ASSERT_NE(window, 0u);
            action(window);
            platform::PostMessageA(window, platform::WM_CLOSE, 0, 0);
        });
        RunPreview(true);
        return window;
    }

    platform::headless::HeadlessBackend backend_;
};

TEST_F(PreviewTest, StandaloneWindowIsAPopUpOf152By112AtTheTopLeftWithIcons1To5) {
    const HWND window = RunStandalone(50, [&](HWND w) {
        EXPECT_EQ(backend_.Window(w)->style, platform::WS_POPUP);
        EXPECT_EQ(backend_.Window(w)->bounds, (gfx::Rect{0, 0, 152, 112}));
        EXPECT_TRUE(backend_.Window(w)->visible);
    });
    EXPECT_TRUE(platform::IsWindow(window)) << "the close request does not destroy the window";
    EXPECT_EQ(backend_.TimerCount(), 0u);
    EXPECT_EQ(backend_.QuitCode(), 0);
    for (int i = 0; i < kPreviewIconCount; ++i) {  // icons 1 to 5, never the main icon
        EXPECT_EQ(platform::IconPictures(Preview().PreviewIcon[static_cast<size_t>(i)]),
                  platform::IconPictures(platform::ExtractIconA(static_cast<uint32_t>(i + 1))));
    }
}

TEST_F(PreviewTest, EachTimerPaintDrawsThenMovesIconILeftBy2iPlus3) {
    const Positions before{{{140, 0}, {100, 40}, {60, 80}, {30, 5}, {13, 60}}};
    At(50, [&] {
        Preview().IconPos = before;
        platform::WindowSurface(Preview().window).Fill(gfx::kWhite);
    });
    Positions after{};
    const HWND window = RunStandalone(150, [&](HWND) { after = Preview().IconPos; });
    for (int i = 1; i <= kPreviewIconCount; ++i) {
        const auto index = static_cast<size_t>(i - 1);
        EXPECT_EQ(after[index].x, before[index].x - (2 * i + 3)) << "icon " << i;
        EXPECT_EQ(after[index].y, before[index].y) << "icon " << i;
    }
    const gfx::Bitmap& surface = platform::WindowSurface(window);
    EXPECT_EQ(surface.GetPixel(100, 40), LeafColour(1)) << "drawn where it was before the move";
    EXPECT_EQ(surface.GetPixel(131, 71), LeafColour(1));
    EXPECT_EQ(surface.GetPixel(99, 40), gfx::kBlack) << "the rest was erased to black";
    EXPECT_EQ(surface.GetPixel(151, 111), gfx::kBlack);
}

TEST_F(PreviewTest, AnIconLeavingOnTheLeftComesBackAt152WithANewHeight) {
    Preview().PreviewIcon = {};
    Preview().IconPos = {{{3, 50}, {7, 50}, {8, 50}, {11, 111}, {13, 0}}};
    gfx::Bitmap surface(152, 112);
    base::SetRandSeed(77);
    PaintPreview(0, surface.GetCanvas());
    base::SetRandSeed(77);  // the heights the two icons that re-enter must have drawn, in order
    const int32_t firstHeight = base::Random(112);
    const int32_t secondHeight = base::Random(112);
    // Icon 1 leaves (3 - 5 is below 0), icon 2 does not (7 - 7 is not).
    EXPECT_EQ(Preview().IconPos,
              (Positions{{{152, firstHeight}, {0, 50}, {152, secondHeight}, {0, 111}, {0, 0}}}));
}

TEST_F(PreviewTest, AnUncoveredPaintMovesTheIconsAndDrawsOnlyTheUncoveredPart) {
    Positions after{};
    const HWND window = RunStandalone(150, [&](HWND w) {
        Preview().IconPos = {{{100, 10}, {100, 50}, {120, 80}, {140, 0}, {140, 40}}};
        platform::WindowSurface(w).Fill(gfx::kWhite);
        const gfx::Rect uncovered{0, 0, 152, 30};
        platform::InvalidateRect(w, &uncovered, false);
        platform::UpdateWindow(w);
        after = Preview().IconPos;
    });
    EXPECT_EQ(after[0].x, 95);
    EXPECT_EQ(after[1].x, 93);
    EXPECT_EQ(after[4].x, 127);
    const gfx::Bitmap& surface = platform::WindowSurface(window);
    EXPECT_EQ(surface.GetPixel(100, 10), LeafColour(0));
    EXPECT_EQ(surface.GetPixel(100, 29), LeafColour(0));
    EXPECT_EQ(surface.GetPixel(100, 30), gfx::kWhite) << "outside the uncovered part";
    EXPECT_EQ(surface.GetPixel(100, 50), gfx::kWhite) << "icon 2 lies outside it";
    EXPECT_EQ(surface.GetPixel(5, 5), gfx::kWhite) << "no erase was asked";
}

// The embedded preview is disabled: a click over it goes to the parent, and it takes no keys.
TEST_F(PreviewTest, EmbeddedPreviewFillsItsParentTakesNoInputAndEndsWithTheParent) {
    std::vector<platform::UINT> parentGot;
    const HWND parent = backend_.AddForeignWindow(
        "Monitor", "", {300, 200, 500, 350},
        [&](HWND, platform::UINT message, platform::WPARAM, platform::LPARAM) {
            parentGot.push_back(message);
            return platform::LRESULT{0};
        });
    SetStartupValues(smPreview, parent, 0);
    HWND child = 0;
    At(150, [&] {
        child = Preview().window;
        ASSERT_NE(child, 0u);
        EXPECT_EQ(platform::GetParent(child), parent);
        EXPECT_EQ(platform::GetWindowTextA(child), kPreviewTitle);
        EXPECT_EQ(backend_.Window(child)->style,
                  platform::WS_CHILD | platform::WS_VISIBLE | platform::WS_DISABLED);
        EXPECT_EQ(backend_.Window(child)->bounds, (gfx::Rect{0, 0, 200, 150}));
        EXPECT_FALSE(backend_.InjectKeyDown(child, platform::VK_SPACE));
        EXPECT_TRUE(backend_.InjectMouseDown(child, 20, 20));
    });
    At(300, [&] { platform::DestroyWindow(parent); });
    RunPreview(false);
    EXPECT_EQ(std::count(parentGot.begin(), parentGot.end(), platform::WM_LBUTTONDOWN), 1);
    EXPECT_FALSE(platform::IsWindow(child));
    EXPECT_EQ(backend_.TimerCount(), 0u);
    EXPECT_EQ(backend_.QuitCode(), 0);
    EXPECT_EQ(platform::FindWindowA(kPreviewClass, nullptr), 0u) << "no pop-up was made";
}

TEST_F(PreviewTest, InALargerParentTheIconsStayInTheFixedArea) {
    const HWND parent = backend_.AddForeignWindow("Monitor", "", {0, 0, 320, 240});
    SetStartupValues(smPreview, parent, 0);
    std::vector<IconPosition> seen;
    for (uint64_t time = 50; time < 6000; time += 100) {
        At(time,
           [&] { seen.insert(seen.end(), Preview().IconPos.begin(), Preview().IconPos.end()); });
    }
    At(6000, [&] { platform::DestroyWindow(parent); });
    RunPreview(false);
    ASSERT_EQ(seen.size(), 60u * kPreviewIconCount);
    bool wrapped = false;
    for (const IconPosition& p : seen) {
        EXPECT_GE(p.x, 0);
        EXPECT_LE(p.x, 152);
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.y, 111);
        wrapped = wrapped || p.x == 152;
    }
    EXPECT_TRUE(wrapped) << "in six seconds every icon has crossed the area";
}

TEST_F(PreviewTest, AParentThatIsNoWindowGivesNoWindow) {
    SetStartupValues(smPreview, 0x4660, 0);
    RunPreview(false);
    EXPECT_EQ(backend_.TimerCount(), 0u);
    EXPECT_FALSE(backend_.QuitCode().has_value());
    EXPECT_EQ(platform::FindWindowA(kPreviewClass, nullptr), 0u);
}

TEST_F(PreviewTest, AClassThatCannotBeRegisteredEndsThePreviewAtOnce) {
    SetStartupValues(smTestPreview, 0, 0);
    platform::WNDCLASS taken;
    taken.lpszClassName = kPreviewClass;
    ASSERT_TRUE(platform::RegisterClassA(taken));
    RunPreview(true);
    EXPECT_EQ(platform::FindWindowA(kPreviewClass, nullptr), 0u);
    EXPECT_EQ(backend_.TimerCount(), 0u);
}

}  // namespace
}  // namespace host
