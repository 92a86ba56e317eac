#include "SaverRig.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "assets/Assets.h"
#include "base/Random.h"
#include "gfx/BitmapCount.h"
#include "scene/Grid.h"
#include "sprites/TempBitmap.h"

namespace reliability {

namespace {

int64_t CountComponents(const framework::TComponent& owner) {
    int64_t count = 0;
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        count += 1 + CountComponents(*owner.Components(i));
    }
    return count;
}

gfx::Bitmap DesktopPicture(int32_t width, int32_t height) {
    gfx::Bitmap desktop(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            desktop.SetPixel(x, y,
                             gfx::MakePixel(static_cast<uint8_t>(x), 60, static_cast<uint8_t>(y)));
        }
    }
    return desktop;
}

}  // namespace

bool ResourceCounts::FixedEqual(const ResourceCounts& other) const {
    return fixedComponents == other.fixedComponents && fixedBitmaps == other.fixedBitmaps &&
           fixedTimers == other.fixedTimers;
}

std::string ResourceCounts::Describe() const {
    std::ostringstream text;
    text << "components " << components << " (fixed " << fixedComponents << "), bitmaps " << bitmaps
         << " (fixed " << fixedBitmaps << "), timers " << timers << " (fixed " << fixedTimers
         << "), frames " << frames << ", leaf sprites " << leafSprites << " (playing "
         << playingSprites << ")";
    return text.str();
}

SaverRig::SaverRig(int32_t width, int32_t height, uint32_t startTick, uint32_t seed) {
    backend_.SetDesktopPicture(DesktopPicture(width, height));
    backend_.SetTickCount(startTick);
    base::SetRandSeed(seed);
    application_ = std::make_unique<framework::TApplication>();
    application_->SetTitle(scene::kSaverCaption);
    form_ = application_->CreateForm<scene::TfrmMain>(
        assets::MainFormDescription(), [this](platform::HWND) { return passwordAnswer; });
    scene::ForEachGridPoint(form_->Width(), form_->Height(), [this](int32_t x, int32_t y) {
        grid_.insert({x, y});
    });
    // What one leaf sprite costs: a copy of the prototype made and destroyed again.
    const int64_t components = CountComponents(*application_);
    const int64_t bitmaps = gfx::LiveBitmapCount();
    sprites::TSprite& copy = sprites::TSprite::CreateCopy(*form_->spriteBladeren);
    componentsPerSprite_ = CountComponents(*application_) - components;
    bitmapsPerSprite_ = gfx::LiveBitmapCount() - bitmaps;
    form_->DestroyComponent(&copy);
}

SaverRig::~SaverRig() = default;

void SaverRig::Show() {
    form_->Show();
    Run(1);
}

bool SaverRig::Run(uint64_t milliseconds) {
    const bool going = backend_.RunFor(milliseconds);
    backend_.ClearPresented();
    return going;
}

GridPoint SaverRig::CentredPoint(int32_t x, int32_t y, const std::string& sequenceName) const {
    const sprites::TSequence& sequence =
        form_->spriteBladeren->SequenceList().SequenceByName(sequenceName);
    const sprites::TFrame& first = sequence.Items(0).Frame();
    return {x + first.Width() / 2, y + first.Height() / 2};
}

std::string SaverRig::GridFault() const {
    std::vector<GridPoint> all;
    for (int32_t i = 0; i < form_->PosList.Count(); ++i) {
        all.emplace_back(form_->PosList.Items(i).X, form_->PosList.Items(i).Y);
    }
    for (int32_t i = 0; i < form_->LeafPosList.Count(); ++i) {
        const scene::TLeafPos& landed = form_->LeafPosList.Items(i);
        all.push_back(CentredPoint(landed.X, landed.Y, landed.SequenceName));
    }
    if (form_->Phase == scene::phCover) {
        for (int32_t i = 0; i < form_->LeafList.Count(); ++i) {
            const scene::TLeaf& leaf = form_->LeafList.Items(i);
            all.push_back(CentredPoint(leaf.TargetX, leaf.TargetY, leaf.Sprite->GetSequenceName()));
        }
    }
    std::sort(all.begin(), all.end());
    if (all == std::vector<GridPoint>(grid_.begin(), grid_.end())) {
        return "";
    }
    std::ostringstream text;
    text << "grid of " << grid_.size() << " points accounted as " << all.size() << " (free "
         << form_->PosList.Count() << ", landed " << form_->LeafPosList.Count() << ", flying "
         << form_->LeafList.Count() << "); not on the grid or twice:";
    std::set<GridPoint> seen;
    for (const GridPoint& point : all) {
        if (grid_.count(point) == 0 || !seen.insert(point).second) {
            text << " (" << point.first << ", " << point.second << ")";
        }
    }
    return text.str();
}

std::vector<sprites::TSprite*> SaverRig::LeafSprites() const {
    std::vector<sprites::TSprite*> leaves;
    for (int i = 0; i < form_->ComponentCount(); ++i) {
        auto* sprite = dynamic_cast<sprites::TSprite*>(form_->Components(i));
        if (sprite != nullptr && sprite != form_->spriteBladeren && sprite != form_->spriteLogos) {
            leaves.push_back(sprite);
        }
    }
    return leaves;
}

std::string SaverRig::SpriteFault() const {
    std::set<const sprites::TSprite*> flying;
    for (int32_t i = 0; i < form_->LeafList.Count(); ++i) {
        flying.insert(form_->LeafList.Items(i).Sprite);
    }
    int64_t live = 0;
    for (const sprites::TSprite* sprite : LeafSprites()) {
        if (!sprite->Released()) {
            ++live;
            if (flying.count(sprite) == 0) {
                return "a leaf sprite that is neither flying nor released";
            }
        }
    }
    if (live != static_cast<int64_t>(flying.size())) {
        return "flying leaves without a live sprite";
    }
    return "";
}

ResourceCounts SaverRig::Counts() const {
    ResourceCounts counts;
    counts.components = CountComponents(*application_);
    counts.bitmaps = gfx::LiveBitmapCount();
    counts.timers = static_cast<int64_t>(backend_.TimerCount());
    counts.frames = sprites::LiveFrameCount();
    for (const sprites::TSprite* sprite : LeafSprites()) {
        ++counts.leafSprites;
        counts.playingSprites += sprite->Timer().Enabled() ? 1 : 0;
    }
    counts.fixedComponents = counts.components - componentsPerSprite_ * counts.leafSprites;
    counts.fixedBitmaps = counts.bitmaps - bitmapsPerSprite_ * counts.leafSprites;
    counts.fixedTimers = counts.timers - counts.playingSprites;
    return counts;
}

int64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    int64_t sizePages = 0;
    int64_t residentPages = 0;
    if (!(statm >> sizePages >> residentPages)) {
        return 0;
    }
    return residentPages * sysconf(_SC_PAGESIZE);
}

}  // namespace reliability
