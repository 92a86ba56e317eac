#include "sprites/Sprite.h"

#include <algorithm>
#include <string>

#include "base/Exceptions.h"
#include "base/Name.h"
#include "sprites/SpriteBox.h"

namespace sprites {

TSprite::TSprite(framework::TComponent* owner)
    : TVSprite(owner),
      ownFrames_(std::make_unique<TFrameList>()),
      ownSequences_(std::make_unique<TSequenceList>(this)),
      frames_(ownFrames_.get()),
      sequences_(ownSequences_.get()),
      timer_(std::make_unique<framework::TTimer>(nullptr)) {
    timer_->SetEnabled(false);
    timer_->SetDesigning(IsDesigning());
    timer_->OnTimer = [this](framework::TComponent&) { SequenceTimer(); };
}

// A copy that fails half-made is taken out of the owner again.
TSprite& TSprite::CreateCopy(TSprite& source) {
    if (source.Owner() == nullptr) {
        throw base::ESprite("CreateCopy: the source sprite has no owner to hold the copy");
    }
    framework::TComponent& owner = *source.Owner();
    auto* copy = framework::NewComponent<TSprite>(owner);
    try {
        copy->CopyFrom(source);
    } catch (...) {
        owner.DestroyComponent(copy);
        throw;
    }
    return *copy;
}

void TSprite::CopyFrom(TSprite& source) {
    ShareListsOf(source);
    SetSpriteBox(source.spriteBox_);
    TVSprite::SetX(source.GetX());
    TVSprite::SetY(source.GetY());
    ChangeZ(source.GetZ());
    hitTest_ = source.hitTest_;
    SetSequence(source.GetSequenceName());
    repeat_ = source.repeat_;
    aboutText_ = source.About();
    SetFrameIndex(source.frameIndex_);
    SetMirrorX(source.mirrorX_);
    SetMirrorY(source.mirrorY_);
    plotmode_ = source.plotmode_;
    SetTag(source.Tag());
    if (source.background_) {
        background_ = std::make_unique<gfx::Bitmap>(*source.background_);
    }
    OnMove = source.OnMove;
    OnMove3D = source.OnMove3D;
    OnFinishSequence = source.OnFinishSequence;
    OnHit = source.OnHit;
}

// The lists belong to whoever owns them, also when the source is itself a copy.
void TSprite::ShareListsOf(TSprite& source) {
    TSprite& holder = source.listSource_ != nullptr ? *source.listSource_ : source;
    ownFrames_.reset();
    ownSequences_.reset();
    frames_ = holder.frames_;
    sequences_ = holder.sequences_;
    sequence_ = nullptr;
    listSource_ = &holder;
    holder.copies_.push_back(this);
}

// The holder of the shared lists is going: this copy keeps going with empty lists of its own.
void TSprite::LoseSharedLists() {
    timer_->SetEnabled(false);
    ownFrames_ = std::make_unique<TFrameList>();
    ownSequences_ = std::make_unique<TSequenceList>(this);
    frames_ = ownFrames_.get();
    sequences_ = ownSequences_.get();
    sequence_ = nullptr;
    frameIndex_ = -1;
    listSource_ = nullptr;
}

TSprite::~TSprite() {
    for (TSprite* copy : copies_) {
        copy->LoseSharedLists();
    }
    copies_.clear();
    if (listSource_ != nullptr) {
        std::erase(listSource_->copies_, this);
    }
    sequence_ = nullptr;
    ownFrames_.reset();
    if (ownSequences_) {
        ownSequences_->Clear();
        ownSequences_.reset();
    }
    SetSpriteBox(nullptr);
    timer_.reset();
    background_.reset();
}

void TSprite::SetSpriteBox(TSpriteBox* box) {
    if (spriteBox_ != nullptr) {
        spriteBox_->RemoveSprite(*this);
    }
    spriteBox_ = box;
    if (spriteBox_ != nullptr) {
        spriteBox_->AddSprite(*this);
    }
}

void TSprite::SetFrameList(const TFrameList& list) {
    frames_->Assign(list);
}

void TSprite::SetSequenceList(const TSequenceList& list) {
    sequences_->Assign(list);
}

std::string TSprite::CurrentFrame() const {
    const TFrame* frame = CurrentFrameObject();
    return frame == nullptr ? std::string() : frame->Name();
}

void TSprite::SetCurrentFrame(std::string_view name) {
    const std::string_view cut = base::CutName(name);
    if (cut.empty() && IsDesigning()) {
        SetFrameIndex(-1);
    } else if (!cut.empty() && cut != "None") {
        const int32_t index = frames_->IndexOf(cut);
        if (index == -1) {
            throw base::ESprite("Frame not found: " + std::string(cut));
        }
        SetFrameIndex(index);
    }
}

void TSprite::SetFrameIndex(int32_t index) {
    if (IsDesigning()) {
        if (index < -1 || index >= frames_->Count()) {
            throw base::ESprite("Frameindex should be between -1 and " +
                                std::to_string(frames_->Count() - 1));
        }
        frameIndex_ = index;
    } else if (index != -1) {
        MoveTo(GetX(), GetY(), GetZ(), index, Visible());
    }
}

void TSprite::SetMirrorX(bool mirror) {
    if (mirror != mirrorX_) {
        mirrorX_ = mirror;
        Redraw();
    }
}

void TSprite::SetMirrorY(bool mirror) {
    if (mirror != mirrorY_) {
        mirrorY_ = mirror;
        Redraw();
    }
}

const TFrame* TSprite::FrameAt(int32_t index) const {
    if (index < 0 || index >= frames_->Count()) {
        return nullptr;
    }
    return &frames_->Items(index);
}

const TFrame& TSprite::RequiredFrame(const char* operation) const {
    const TFrame* frame = CurrentFrameObject();
    if (frame == nullptr) {
        throw base::ESprite(std::string(operation) + ": the sprite has no current frame");
    }
    return *frame;
}

int32_t TSprite::GetWidth() const {
    const TFrame* frame = CurrentFrameObject();
    return frame == nullptr ? -1 : frame->Width();
}

int32_t TSprite::GetHeight() const {
    const TFrame* frame = CurrentFrameObject();
    return frame == nullptr ? -1 : frame->Height();
}

void TSprite::Draw(gfx::Canvas& canvas, int32_t x, int32_t y, const gfx::Rect& origin) {
    DrawScaled(canvas, x, y, origin, 1.0);
}

void TSprite::DrawScaled(gfx::Canvas& canvas, int32_t x, int32_t y, const gfx::Rect& origin,
                         double scale) {
    if (const TFrame* frame = CurrentFrameObject()) {
        frame->PlotEx(canvas, origin.left + x, origin.top + y, mirrorX_, mirrorY_,
                      plotmode_.Contains(TPlot::PlotTransparent), scale);
    }
}

void TSprite::CoverOpaquePixels(gfx::CoveredRows& rows, int32_t x, int32_t y) const {
    if (const TFrame* frame = CurrentFrameObject()) {
        frame->CoverOpaquePixels(rows, x, y, mirrorX_, mirrorY_,
                                 plotmode_.Contains(TPlot::PlotTransparent));
    }
}

void TSprite::DrawFrameTransparent(gfx::Canvas& canvas, int32_t x, int32_t y) const {
    RequiredFrame("DrawFrameTransparent").PlotMasked(canvas, x, y, 1.0);
}

void TSprite::DrawFrameOpaque(gfx::Canvas& canvas, int32_t x, int32_t y) const {
    RequiredFrame("DrawFrameOpaque").PlotOpaque(canvas, x, y, 1.0);
}

const gfx::Bitmap* TSprite::GetMaskBitmap() const {
    return CurrentFrameObject() == nullptr ? nullptr : &frames_->Mask();
}

}  // namespace sprites
