#include "sprites/SpriteBox.h"

#include <algorithm>
#include <string>

#include "base/Exceptions.h"
#include "base/Real48.h"
#include "framework/Form.h"
#include "gfx/Raster.h"
#include "sprites/ScratchArea.h"
#include "sprites/Sprite.h"

namespace sprites {
namespace {

constexpr int32_t kDefaultBoxSize = 210;

int32_t ScaledSize(int32_t size, double scale) {
    return static_cast<int32_t>(base::RoundHalfEven(static_cast<long double>(scale) * size));
}

gfx::Rect Offset(const gfx::Rect& r, int32_t dx, int32_t dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

bool Contains(const gfx::Rect& outer, const gfx::Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Gives the canvas the pixels still to be covered while the layers are composed, and takes
// them back however the composition ends.
class CoveredScope {
  public:
    explicit CoveredScope(gfx::Canvas& canvas) : canvas_(canvas) {}
    CoveredScope(const CoveredScope&) = delete;
    CoveredScope& operator=(const CoveredScope&) = delete;
    ~CoveredScope() { canvas_.SetCovered(nullptr); }
    void Set(const gfx::CoveredRows& covered) { canvas_.SetCovered(&covered); }

  private:
    gfx::Canvas& canvas_;
};

// The box's clip for one drawing: its EndClip comes when the scope ends, also when the drawing
// fails, so a sprite that cannot be drawn leaves no clip behind for every later redraw.
class BoxClip {
  public:
    explicit BoxClip(TSpriteBox& box) : box_(box) { box_.BeginClip(); }
    ~BoxClip() { box_.EndClip(); }
    BoxClip(const BoxClip&) = delete;
    BoxClip& operator=(const BoxClip&) = delete;

  private:
    TSpriteBox& box_;
};

}  // namespace

TSpriteBox::TSpriteBox(framework::TComponent* owner) : TImage(owner) {
    SetBounds(Left(), Top(), kDefaultBoxSize, kDefaultBoxSize);
}

TSpriteBox::~TSpriteBox() {
    while (!sprites_.empty()) {
        TVSprite* sprite = sprites_.back();
        if (auto* full = dynamic_cast<TSprite*>(sprite)) {
            full->SetSpriteBox(nullptr);  // removes itself
        }
        std::erase(sprites_, sprite);
    }
}

TVSprite* TSpriteBox::Sprites(int32_t index) const {
    if (index < 0 || index >= SpriteCount()) {
        throw base::EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return sprites_[static_cast<size_t>(index)];
}

void TSpriteBox::AddSprite(TVSprite& sprite) {
    sprites_.push_back(&sprite);
    SortFrom(sprites_.size() - 1);
    ++listChanges_;
}

void TSpriteBox::RemoveSprite(TVSprite& sprite) {
    auto it = std::find(sprites_.begin(), sprites_.end(), &sprite);
    if (it != sprites_.end()) {
        sprites_.erase(it);
        ++listChanges_;
    }
}

void TSpriteBox::ResortSprite(TVSprite& sprite) {
    auto it = std::find(sprites_.begin(), sprites_.end(), &sprite);
    if (it != sprites_.end()) {
        SortFrom(static_cast<size_t>(it - sprites_.begin()));
        ++listChanges_;
    }
}

// -1 when the sprite belongs before its left neighbour, +1 after its right one, else 0. The
// comparisons are strict: a sprite never passes a neighbour of equal Z.
int TSpriteBox::SortStep(size_t index) const {
    if (sprites_.size() == 1) {
        return 0;
    }
    const int32_t z = sprites_[index]->GetZ();
    if (index > 0 && sprites_[index - 1]->GetZ() < z) {
        return -1;
    }
    if (index + 1 >= sprites_.size()) {
        return 0;
    }
    return sprites_[index + 1]->GetZ() > z ? 1 : 0;
}

// Exchanges the sprite with its neighbour until it stands in its place.
void TSpriteBox::SortFrom(size_t index) {
    for (int step = SortStep(index); step != 0; step = SortStep(index)) {
        const size_t next = step < 0 ? index - 1 : index + 1;
        std::swap(sprites_[index], sprites_[next]);
        index = next;
    }
}

std::optional<gfx::Rect> TSpriteBox::ProjectedArea(const gfx::Rect& r, int32_t z) const {
    if (!threeD_.Enabled() || z == kScreenZ) {
        return r;
    }
    TProjection corner;
    if (!threeD_.Project(r.left, r.top, z, corner)) {
        return std::nullopt;
    }
    return gfx::RectFromSize(corner.x, corner.y, ScaledSize(r.Width(), corner.scale),
                             ScaledSize(r.Height(), corner.scale));
}

std::optional<TProjection> TSpriteBox::Placement(const TVSprite& sprite) const {
    TProjection place{sprite.GetX(), sprite.GetY(), 1.0};
    if (threeD_.Enabled() && !threeD_.Project(place.x, place.y, sprite.GetZ(), place)) {
        return std::nullopt;
    }
    return place;
}

// The area is cut to the box first: nothing outside it reaches the screen, and the scratch
// bitmap never has to hold more than the box.
void TSpriteBox::RedrawArea(const gfx::Rect& r, int32_t z) {
    std::optional<gfx::Rect> projected = ProjectedArea(r, z);
    framework::TCanvas* canvas = FormCanvas();
    if (!projected || canvas == nullptr) {
        return;
    }
    const gfx::Rect area = gfx::IntersectRect(*projected, {0, 0, Width(), Height()});
    if (area.IsEmpty() || TempBitmap() == nullptr) {
        return;
    }
    gfx::Bitmap& scratch = *ScratchFor(area.Width(), area.Height());
    gfx::Canvas& scratchCanvas = scratch.GetCanvas();
    scratchCanvas.SetClipRect(std::nullopt);
    scratchCanvas.SetBackgroundColour(gfx::kWhite);
    scratchCanvas.SetTextColour(gfx::kBlack);
    if (threeD_.Enabled()) {
        ComposeBackground(scratch, area);
        ComposeProjected(scratch, area);
    } else {
        ComposeLayers(scratch, area);
    }
    const gfx::Rect onForm = Offset(area, Left(), Top());
    const BoxClip clip(*this);
    canvas->BitBlt(onForm.left, onForm.top, area.Width(), area.Height(), &scratchCanvas, 0, 0,
                   gfx::Rop::SrcCopy);
}

// Black where the picture has no pixels, the picture's pixels elsewhere.
void TSpriteBox::ComposeBackground(gfx::Bitmap& scratch, const gfx::Rect& area) {
    const gfx::Bitmap* picture = Picture().Graphic();
    const bool hasPicture = picture != nullptr && !picture->Empty();
    if (!hasPicture || !Contains({0, 0, picture->Width(), picture->Height()}, area)) {
        gfx::BitBlt(scratch.GetCanvas(), 0, 0, area.Width(), area.Height(), nullptr, 0, 0,
                    gfx::Rop::Blackness);
    }
    if (hasPicture) {
        gfx::BitBlt(scratch.GetCanvas(), 0, 0, area.Width(), area.Height(), &picture->GetCanvas(),
                    area.left, area.top, gfx::Rop::SrcCopy);
    }
}

// Unprojected, each layer (the background first) is drawn only where no layer above it gives
// its own colours anyway: where leaves lie over each other, a pixel is mostly drawn once.
void TSpriteBox::ComposeLayers(gfx::Bitmap& scratch, const gfx::Rect& area) {
    layers_.clear();
    for (TVSprite* sprite : sprites_) {
        if (sprite->Visible() && sprite->IntersectsRect(area)) {
            layers_.push_back({sprite, sprite->GetX() - area.left, sprite->GetY() - area.top});
        }
    }
    covers_.Measure(layers_, area.Height());
    gfx::Canvas& canvas = scratch.GetCanvas();
    CoveredScope covered(canvas);
    covered.Set(covers_.From(0));
    ComposeBackground(scratch, area);
    for (size_t i = 0; i < layers_.size(); ++i) {
        covered.Set(covers_.From(i + 1));
        layers_[i].sprite->Draw(canvas, layers_[i].x, layers_[i].y, {});
    }
}

void TSpriteBox::ComposeProjected(gfx::Bitmap& scratch, const gfx::Rect& area) {
    for (size_t i = 0; i < sprites_.size(); ++i) {
        TVSprite& sprite = *sprites_[i];
        std::optional<TProjection> place = Placement(sprite);
        if (!sprite.Visible() || !place) {
            continue;
        }
        const gfx::Rect drawn =
            gfx::RectFromSize(place->x, place->y, ScaledSize(sprite.GetWidth(), place->scale),
                              ScaledSize(sprite.GetHeight(), place->scale));
        if (gfx::RectsIntersect(drawn, area)) {
            sprite.DrawScaled(scratch.GetCanvas(), place->x - area.left, place->y - area.top, {},
                              place->scale);
        }
    }
}

// Every visible sprite is drawn, wherever it lies; the clip region keeps it inside the box.
void TSpriteBox::Paint() {
    TImage::Paint();
    framework::TCanvas* canvas = FormCanvas();
    if (canvas == nullptr) {
        return;
    }
    for (size_t i = 0; i < sprites_.size(); ++i) {
        TVSprite& sprite = *sprites_[i];
        std::optional<TProjection> place = Placement(sprite);
        if (!sprite.Visible() || !place) {
            continue;
        }
        const int32_t x = Left() + place->x;
        const int32_t y = Top() + place->y;
        const BoxClip clip(*this);
        if (threeD_.Enabled()) {
            sprite.DrawScaled(*canvas, x, y, {}, place->scale);
        } else {
            sprite.Draw(*canvas, x, y, {});
        }
        canvas->Changed(gfx::RectFromSize(x, y, ScaledSize(sprite.GetWidth(), place->scale),
                                          ScaledSize(sprite.GetHeight(), place->scale)));
    }
}

framework::TCanvas* TSpriteBox::FormCanvas() const {
    return Parent() == nullptr ? nullptr : &Parent()->Canvas();
}

// The box's region is met with the clip in force, as the platform's visible region confines
// a device context's clip region: inside a paint nothing outside the painted area changes.
void TSpriteBox::BeginClip() {
    framework::TCanvas* canvas = FormCanvas();
    if (canvas == nullptr || clipDepth_++ > 0) {
        return;
    }
    savedClip_ = canvas->ClipRect();
    gfx::Rect box = gfx::RectFromSize(Left(), Top(), Width(), Height());
    if (savedClip_) {
        box = gfx::IntersectRect(box, *savedClip_);
    }
    canvas->SelectClipRgn(box);
}

void TSpriteBox::EndClip() {
    framework::TCanvas* canvas = FormCanvas();
    if (canvas == nullptr || clipDepth_ == 0 || --clipDepth_ > 0) {
        return;
    }
    canvas->SelectClipRgn(savedClip_);
}

}  // namespace sprites
