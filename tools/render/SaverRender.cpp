#include "SaverRender.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "DefaultDesktop.h"
#include "assets/Assets.h"
#include "base/Exceptions.h"
#include "base/Random.h"
#include "gfx/Bmp.h"

namespace render {

namespace {

constexpr uint64_t kStep = 50;  // milliseconds of saver time between looks at the screen

gfx::Bitmap LoadDesktop(const RenderOptions& options) {
    if (options.desktop.empty()) {
        return PaintDefaultDesktop(options.width, options.height);
    }
    std::ifstream file(options.desktop, std::ios::binary);
    if (!file) {
        throw base::Exception("render: cannot open the desktop picture " + options.desktop);
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    return gfx::ReadBmp(bytes);
}

std::string PhaseName(scene::TPhase phase) {
    return phase == scene::phCover ? "cover" : "reveal";
}

}  // namespace

SaverRender::SaverRender(const RenderOptions& options, SnapshotSink sink)
    : options_(options), sink_(std::move(sink)) {
    backend_.SetScreenSize(options.width, options.height);
    backend_.SetDesktopPicture(LoadDesktop(options));
    base::SetRandSeed(options.seed);
    application_ = std::make_unique<framework::TApplication>();
    application_->SetTitle(scene::kSaverCaption);
    form_ = application_->CreateForm<scene::TfrmMain>(assets::MainFormDescription());
    form_->Show();
    backend_.RunFor(1);
    Keep("desktop", Screen());
}

const gfx::Bitmap& SaverRender::Screen() {
    return backend_.WindowSurface(form_->Handle());
}

bool SaverRender::Finished() const {
    if (options_.saverMilliseconds > 0) {
        return elapsed_ >= options_.saverMilliseconds;
    }
    // A cycle is a cover, a reveal and the cover after it: ends as that cover is complete.
    return phaseChanges_ >= 2 * options_.cycles + 1;
}

bool SaverRender::Due(uint64_t before, uint64_t after) const {
    for (uint64_t moment : options_.snapshotsAt) {
        if (moment > before && moment <= after) {
            return true;
        }
    }
    return options_.every > 0 && after / options_.every != before / options_.every;
}

void SaverRender::Step() {
    previous_ = Screen();
    const uint64_t before = elapsed_;
    backend_.RunFor(kStep);
    backend_.ClearPresented();
    elapsed_ += kStep;
    if (form_->Phase != phase_) {
        ++phaseChanges_;
        Keep(PhaseName(phase_) + " complete", previous_);
        phase_ = form_->Phase;
        if (!Finished()) {
            Keep(PhaseName(phase_) + " begins", Screen());
        }
    } else if (Due(before, elapsed_)) {
        Keep(PhaseName(phase_), Screen());
    }
}

void SaverRender::Run(const std::function<void(double, const std::string&)>& progress) {
    while (!Finished()) {
        Step();
        const double fraction =
            options_.saverMilliseconds > 0
                ? static_cast<double>(elapsed_) / static_cast<double>(options_.saverMilliseconds)
                : static_cast<double>(phaseChanges_) / (2 * options_.cycles + 1);
        progress(fraction, std::to_string(elapsed_ / 1000) + " s of saver time, " +
                               PhaseName(phase_) + ", " + std::to_string(snapshotCount_) +
                               " snapshots");
    }
}

void SaverRender::Keep(const std::string& label, const gfx::Bitmap& picture) {
    sink_(Snapshot{elapsed_, label, picture});
    ++snapshotCount_;
}

}  // namespace render
