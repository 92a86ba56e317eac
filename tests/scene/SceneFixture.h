#pragma once
// The saver window on the headless backend with the real embedded form, a chosen screen size
// and a desktop picture of known pixels.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

#include "assets/Assets.h"
#include "base/Random.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessBackend.h"
#include "scene/Grid.h"
#include "scene/MainForm.h"

namespace scene {

using GridPoint = std::pair<int32_t, int32_t>;

class SceneFixture {
  public:
    SceneFixture(int32_t width, int32_t height, uint32_t seed = 1234) {
        backend.SetScreenSize(width, height);
        gfx::Bitmap desktop(width, height);
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                desktop.SetPixel(
                    x, y, gfx::MakePixel(static_cast<uint8_t>(x), 40, static_cast<uint8_t>(y)));
            }
        }
        backend.SetDesktopPicture(desktop);
        base::SetRandSeed(seed);
        application = std::make_unique<framework::TApplication>();
        form = application->CreateForm<TfrmMain>(assets::MainFormDescription(),
                                                 [this](platform::HWND) { return passwordAnswer; });
    }

    void Show() {
        form->Show();
        backend.RunFor(1);
    }

    std::set<GridPoint> GridPoints() const {
        std::set<GridPoint> points;
        ForEachGridPoint(form->Width(), form->Height(), [&](int32_t x, int32_t y) {
            points.insert({x, y});
        });
        return points;
    }

    const gfx::Bitmap& Background() { return form->sbStage->Picture().Bitmap(); }
    const gfx::Bitmap& Screen() { return backend.WindowSurface(form->Handle()); }

    // The first seed from which the next Random(n) gives `wanted`.
    static uint32_t SeedDrawing(int32_t n, int32_t wanted) {
        for (uint32_t seed = 1;; ++seed) {
            base::SetRandSeed(seed);
            if (base::Random(n) == wanted) {
                return seed;
            }
        }
    }

    platform::headless::HeadlessBackend backend;
    std::unique_ptr<framework::TApplication> application;
    TfrmMain* form = nullptr;
    bool passwordAnswer = true;
};

}  // namespace scene
