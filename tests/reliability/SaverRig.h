#pragma once
// The saver on the headless backend: the real embedded main form on a screen of a chosen size
// over a desktop picture, with the tick counter started where the caller wants it, and the
// accounting of everything a long run must not accumulate.

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/Application.h"
#include "platform/headless/HeadlessBackend.h"
#include "scene/MainForm.h"

namespace reliability {

using GridPoint = std::pair<int32_t, int32_t>;

// What exists at one moment. The "fixed" figures leave out what the leaves in flight and the
// sprites released but not yet destroyed hold, so they must stay flat for a whole run.
struct ResourceCounts {
    int64_t components = 0;   // every component owned by the application, at any depth
    int64_t bitmaps = 0;      // live gfx::Bitmap objects
    int64_t timers = 0;       // platform timers
    int64_t frames = 0;       // live frames
    int64_t leafSprites = 0;  // sprites besides the two stored ones
    int64_t playingSprites = 0;
    int64_t fixedComponents = 0;
    int64_t fixedBitmaps = 0;
    int64_t fixedTimers = 0;

    bool FixedEqual(const ResourceCounts& other) const;
    std::string Describe() const;
};

class SaverRig {
  public:
    // Makes the application and the saver window (its FormCreate runs); Show starts the scene.
    SaverRig(int32_t width, int32_t height, uint32_t startTick, uint32_t seed);
    ~SaverRig();

    void Show();
    // Runs saver time, forgetting the record of presents afterwards; false once the saver quit.
    bool Run(uint64_t milliseconds);

    scene::TfrmMain& Form() const { return *form_; }
    framework::TApplication& Application() const { return *application_; }
    platform::headless::HeadlessBackend& Backend() { return backend_; }
    const std::set<GridPoint>& Grid() const { return grid_; }

    // Empty when the free points, the landed leaves and (while covering) the targets of the
    // leaves in flight are the whole grid, each once; otherwise what is wrong.
    std::string GridFault() const;
    // Every sprite of the form besides the two stored ones.
    std::vector<sprites::TSprite*> LeafSprites() const;
    // Empty when the sprites not released are exactly the two stored ones and the leaves in
    // flight; otherwise what is wrong.
    std::string SpriteFault() const;
    ResourceCounts Counts() const;

    // What the password check answers when the saver asks.
    bool passwordAnswer = true;

  private:
    // The grid point a leaf covers: where the step-0 frame of its sequence is centred, at its
    // target (flying) or at its record's corner (landed). A leaf whose target lies outside
    // the widened screen lands one step on, showing another frame, so its record's own size
    // does not tell the point.
    GridPoint CentredPoint(int32_t x, int32_t y, const std::string& sequenceName) const;

    platform::headless::HeadlessBackend backend_;
    std::unique_ptr<framework::TApplication> application_;
    scene::TfrmMain* form_ = nullptr;
    std::set<GridPoint> grid_;
    // What one more leaf sprite adds: its components and bitmaps, and its timer while it plays.
    int64_t componentsPerSprite_ = 0;
    int64_t bitmapsPerSprite_ = 0;
};

// The process's resident memory in bytes, from /proc/self/statm (0 where it cannot be read).
int64_t ResidentBytes();

}  // namespace reliability
