#pragma once
// Runs the real saver on the headless platform with its virtual clock, as fast as the machine
// allows, and keeps snapshots of the screen: at chosen moments, at a regular pace, and just
// before and after every change of the scene's phase.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RenderOptions.h"
#include "framework/Application.h"
#include "gfx/Bitmap.h"
#include "platform/headless/HeadlessBackend.h"
#include "scene/MainForm.h"

namespace render {

struct Snapshot {
    uint64_t at = 0;  // milliseconds of saver time
    std::string label;
    gfx::Bitmap picture;
};

class SaverRender {
  public:
    explicit SaverRender(const RenderOptions& options);

    // Runs until the saver time or the cycles are done; progress(fraction, text) is told.
    void Run(const std::function<void(double, const std::string&)>& progress);
    const std::vector<Snapshot>& Snapshots() const { return snapshots_; }
    int PhaseChanges() const { return phaseChanges_; }

  private:
    bool Finished() const;
    void Step();
    void Keep(const std::string& label, const gfx::Bitmap& picture);
    bool Due(uint64_t before, uint64_t after) const;
    const gfx::Bitmap& Screen();

    RenderOptions options_;
    platform::headless::HeadlessBackend backend_;
    std::unique_ptr<framework::TApplication> application_;
    scene::TfrmMain* form_ = nullptr;
    uint64_t elapsed_ = 0;
    scene::TPhase phase_ = scene::phCover;
    int phaseChanges_ = 0;
    gfx::Bitmap previous_;
    std::vector<Snapshot> snapshots_;
};

}  // namespace render
