#pragma once
// Runs the real saver on the headless platform with its virtual clock, as fast as the machine
// allows, and takes snapshots of the screen: at chosen moments, at a regular pace, and just
// before and after every change of the scene's phase. Each snapshot goes to the caller as it
// is taken and is not kept, so a long run at a large size costs no more memory than a short one.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "RenderOptions.h"
#include "framework/Application.h"
#include "gfx/Bitmap.h"
#include "platform/headless/HeadlessBackend.h"
#include "scene/MainForm.h"

namespace render {

struct Snapshot {
    uint64_t at = 0;  // milliseconds of saver time
    std::string label;
    const gfx::Bitmap& picture;  // the screen as it was; valid only during the call
};

using SnapshotSink = std::function<void(const Snapshot&)>;

class SaverRender {
  public:
    // The first snapshot, the desktop as the saver covers it, reaches `sink` already here.
    SaverRender(const RenderOptions& options, SnapshotSink sink);

    // Runs until the saver time or the cycles are done; progress(fraction, text) is told.
    void Run(const std::function<void(double, const std::string&)>& progress);
    int SnapshotCount() const { return snapshotCount_; }
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
    SnapshotSink sink_;
    int snapshotCount_ = 0;
};

}  // namespace render
