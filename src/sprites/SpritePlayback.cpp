// TSprite's engine: MoveTo and its ways of bringing the screen up to date, sequence playback on
// the sprite's timer, and the deferred destruction of a released sprite.

#include <algorithm>
#include <limits>
#include <string>

#include "base/Exceptions.h"
#include "base/Name.h"
#include "base/Real48.h"
#include "framework/Form.h"
#include "gfx/Raster.h"
#include "sprites/ScratchArea.h"
#include "sprites/SequenceText.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"
#include "sprites/SpriteCalls.h"

namespace sprites {

struct TSprite::MoveState {
    int32_t oldX = 0;
    int32_t oldY = 0;
    int32_t oldZ = 0;
    const TFrame* oldFrame = nullptr;  // shown before, or null
    const TFrame* newFrame = nullptr;  // shown now, or null

    gfx::Rect OldRect() const {
        return gfx::RectFromSize(oldX, oldY, oldFrame->Width(), oldFrame->Height());
    }
};

namespace {

gfx::Rect FrameRect(const TFrame& frame, int32_t x, int32_t y) {
    return gfx::RectFromSize(x, y, frame.Width(), frame.Height());
}

gfx::Rect UnionRect(const gfx::Rect& a, const gfx::Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void Copy(gfx::Canvas& dest, int32_t x, int32_t y, const gfx::Canvas& source,
          const gfx::Rect& sourceRect) {
    gfx::BitBlt(dest, x, y, sourceRect.Width(), sourceRect.Height(), &source, sourceRect.left,
                sourceRect.top, gfx::Rop::SrcCopy);
}

// A step's time in whole milliseconds, halves to even; negative times give 0 (no ticks).
uint32_t IntervalOf(const base::Real48& time) {
    const int64_t ms = base::RoundHalfEven(static_cast<long double>(time.ToDouble()) * 1000.0L);
    return static_cast<uint32_t>(std::clamp<int64_t>(ms, 0, std::numeric_limits<uint32_t>::max()));
}

}  // namespace

void TSprite::SetVisible(bool value) {
    if (value != Visible()) {
        MoveTo(GetX(), GetY(), GetZ(), frameIndex_, value);
    }
}

void TSprite::SetX(int32_t value) {
    if (value != GetX()) {
        MoveTo(value, GetY(), GetZ(), frameIndex_, Visible());
    }
}

void TSprite::SetY(int32_t value) {
    if (value != GetY()) {
        MoveTo(GetX(), value, GetZ(), frameIndex_, Visible());
    }
}

void TSprite::SetZ(int32_t value) {
    if (value != GetZ()) {
        MoveTo(GetX(), GetY(), value, frameIndex_, Visible());
    }
}

void TSprite::Redraw() {
    if (Visible()) {
        MoveTo(GetX(), GetY(), GetZ(), frameIndex_, true);
    }
}

void TSprite::ChangeZ(int32_t value) {
    if (value != GetZ()) {
        TVSprite::SetZ(value);
        if (spriteBox_ != nullptr) {
            spriteBox_->ResortSprite(*this);
        }
    }
}

// The handlers may change the position; the sprite's state is read only after them.
void TSprite::MoveTo(int32_t x, int32_t y, int32_t z, int32_t frameIndex, bool visible) {
    if (IsDesigning()) {
        return;
    }
    CallInProgress call(*this);
    FireMoveEvents(x, y, z);
    if (released_) {
        return;
    }
    CheckFrameIndex(frameIndex);
    const DrawTarget target = TargetCanvas();
    const MoveState move = StoreMove(x, y, z, frameIndex, visible);
    if (!plotmode_.Contains(TPlot::BufferBackground)) {
        PlotUnbuffered(target, move);
    } else if (target.form == nullptr) {
        RedrawInBox(move);
    } else {
        RedrawOnForm(*target.form, move);
    }
    if (Visible()) {
        CheckHit();
    }
}

void TSprite::FireMoveEvents(int32_t& x, int32_t& y, int32_t& z) {
    if (OnMove) {
        TOnMoveEvent handler = OnMove;
        handler(*this, x, y);
    }
    if (OnMove3D) {
        TOnMove3DEvent handler = OnMove3D;
        handler(*this, x, y, z);
    }
}

void TSprite::CheckFrameIndex(int32_t index) const {
    if (index != -1 && FrameAt(index) == nullptr) {
        throw base::EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
}

// With a box the background picture (given the box's size when empty); without one the owner
// form, whose pixels under the frame the sprite keeps in its background bitmap.
TSprite::DrawTarget TSprite::TargetCanvas() {
    if (spriteBox_ != nullptr) {
        gfx::Bitmap& picture = spriteBox_->Picture().Bitmap();
        if (picture.Empty()) {
            picture.SetSize(spriteBox_->Width(), spriteBox_->Height());
        }
        return {&picture.GetCanvas(), nullptr};
    }
    if (Owner() == nullptr) {
        throw base::EConvertError("Invalid class typecast");
    }
    auto& form = framework::CheckedCast<framework::TForm>(*Owner());
    if (!background_) {
        background_ = std::make_unique<gfx::Bitmap>();
    }
    if (background_->Width() == 0) {
        int32_t width = 0;
        int32_t height = 0;
        frames_->GetMaxSize(width, height);
        background_->SetSize(width, height);
    }
    return {&form.Canvas(), &form.Canvas()};
}

TSprite::MoveState TSprite::StoreMove(int32_t x, int32_t y, int32_t z, int32_t index,
                                      bool visible) {
    MoveState move;
    const bool oldVisible = Visible();
    TVSprite::SetVisible(visible);
    move.oldX = GetX();
    TVSprite::SetX(x);
    move.oldY = GetY();
    TVSprite::SetY(y);
    move.oldZ = GetZ();
    ChangeZ(z);
    const int32_t oldIndex = frameIndex_;
    frameIndex_ = index;
    move.oldFrame = oldVisible ? FrameAt(oldIndex) : nullptr;
    move.newFrame = Visible() ? FrameAt(index) : nullptr;
    return move;
}

// Nothing is erased: the frame stays where it was painted. With a box it goes into the
// background picture, whose changed area is shown at once.
void TSprite::PlotUnbuffered(const DrawTarget& target, const MoveState& move) {
    if (move.newFrame == nullptr) {
        return;
    }
    move.newFrame->Plot(*target.canvas, GetX(), GetY(), plotmode_.Contains(TPlot::PlotTransparent));
    const gfx::Rect shown = FrameRect(*move.newFrame, GetX(), GetY());
    if (target.form != nullptr) {
        target.form->Changed(shown);
    } else {
        spriteBox_->RedrawArea(shown, kScreenZ);
    }
}

// One area when the old and new rectangles overlap in both directions (so their union fits
// the scratch bitmap), and not when a projected sprite changed its depth.
bool TSprite::CombinedRedraw(const MoveState& move) const {
    if (move.oldFrame == nullptr || move.newFrame == nullptr) {
        return false;
    }
    const gfx::Rect u = UnionRect(move.OldRect(), FrameRect(*move.newFrame, GetX(), GetY()));
    const bool overlap = move.oldFrame->Width() + move.newFrame->Width() > u.Width() &&
                         move.oldFrame->Height() + move.newFrame->Height() > u.Height();
    const bool depthMoved =
        spriteBox_ != nullptr && spriteBox_->ThreeD().Enabled() && GetZ() != move.oldZ;
    return overlap && !depthMoved;
}

// The old area is redrawn after the new state was stored, so it shows what lies there now.
void TSprite::RedrawInBox(const MoveState& move) {
    if (CombinedRedraw(move)) {
        const gfx::Rect u = UnionRect(move.OldRect(), FrameRect(*move.newFrame, GetX(), GetY()));
        spriteBox_->RedrawArea(u, GetZ());
        return;
    }
    if (move.oldFrame != nullptr) {
        spriteBox_->RedrawArea(move.OldRect(), move.oldZ);
    }
    if (move.newFrame != nullptr) {
        spriteBox_->RedrawArea(FrameRect(*move.newFrame, GetX(), GetY()), GetZ());
    }
}

// Without a box the sprite puts back the form pixels it saved and saves those under its new
// place before plotting there. The saved bitmap grows to fit a frame larger than it.
void TSprite::RedrawOnForm(framework::TCanvas& form, const MoveState& move) {
    if (move.newFrame != nullptr && (background_->Width() < move.newFrame->Width() ||
                                     background_->Height() < move.newFrame->Height())) {
        background_->SetSize(std::max<int32_t>(background_->Width(), move.newFrame->Width()),
                             std::max<int32_t>(background_->Height(), move.newFrame->Height()));
    }
    if (CombinedRedraw(move)) {
        RedrawOnFormCombined(form, move);
        return;
    }
    if (move.oldFrame != nullptr) {
        const gfx::Rect old = move.OldRect();
        form.BitBlt(old.left, old.top, old.Width(), old.Height(), &background_->GetCanvas(), 0, 0,
                    gfx::Rop::SrcCopy);
    }
    if (move.newFrame != nullptr) {
        const gfx::Rect shown = FrameRect(*move.newFrame, GetX(), GetY());
        Copy(background_->GetCanvas(), 0, 0, form, shown);
        move.newFrame->Plot(form, GetX(), GetY(), plotmode_.Contains(TPlot::PlotTransparent));
        form.Changed(shown);
    }
}

// Both places are composed in the scratch bitmap and reach the form in one copy.
void TSprite::RedrawOnFormCombined(framework::TCanvas& form, const MoveState& move) {
    const gfx::Rect u = UnionRect(move.OldRect(), FrameRect(*move.newFrame, GetX(), GetY()));
    gfx::Bitmap* scratch = ScratchFor(u.Width(), u.Height());
    gfx::Canvas& work = scratch->GetCanvas();
    work.SetClipRect(std::nullopt);
    work.SetBackgroundColour(gfx::kWhite);
    work.SetTextColour(gfx::kBlack);
    gfx::Canvas& saved = background_->GetCanvas();
    const gfx::Rect newInWork = FrameRect(*move.newFrame, GetX() - u.left, GetY() - u.top);
    Copy(work, 0, 0, form, u);
    Copy(work, move.oldX - u.left, move.oldY - u.top, saved,
         {0, 0, move.oldFrame->Width(), move.oldFrame->Height()});
    Copy(saved, 0, 0, work, newInWork);
    move.newFrame->Plot(work, newInWork.left, newInWork.top,
                        plotmode_.Contains(TPlot::PlotTransparent));
    form.BitBlt(u.left, u.top, u.Width(), u.Height(), &work, 0, 0, gfx::Rop::SrcCopy);
}

void TSprite::SetSequence(std::string_view name) {
    const std::string_view cut = base::CutName(name);
    sequence_ = cut.empty() ? nullptr : &sequences_->SequenceByName(cut);
    sequenceSerial_ = sequence_ == nullptr ? 0 : sequence_->Serial();
    step_ = 0;
}

std::string TSprite::GetSequenceName() const {
    const TSequence* sequence = CurrentSequence();
    return sequence == nullptr ? std::string() : sequence->Name();
}

TSequence* TSprite::CurrentSequence() const {
    for (int32_t i = 0; i < sequences_->Count(); ++i) {
        if (&sequences_->Items(i) == sequence_) {
            return sequence_->Serial() == sequenceSerial_ ? sequence_ : nullptr;
        }
    }
    return nullptr;
}

// A released sprite plays no more: it is about to be destroyed at its next tick.
void TSprite::PlaySequence(std::string_view text, int32_t repeatCount) {
    if (released_) {
        return;
    }
    TSequenceStart start{std::string(text), 0};
    if (sequences_->IndexOf(text) == -1) {
        start = SplitSequenceText(text);
    }
    if (base::CutName(start.name).empty()) {
        SetSequence("");
        return;
    }
    const TSequence& sequence = sequences_->SequenceByName(start.name);
    if (start.step < 0 || start.step >= sequence.Count()) {
        throw base::EListError("List index out of bounds (" + std::to_string(start.step) + ")");
    }
    SetSequence(start.name);
    repeat_ = repeatCount;
    step_ = start.step;
    timer_->SetEnabled(true);
    justStarted_ = true;
    SequenceTimer();
}

void TSprite::StopPlayback() {
    timer_->SetEnabled(false);
}

// True when the sprite is released: the tick ends. The outermost call destroys it through its
// owner, and nothing of it may be touched then; inside another call of the sprite's (a handler
// that started a tick) it stays, with its timer, for its next tick to destroy.
bool TSprite::DestroyIfReleased(CallInProgress& call) {
    if (!released_) {
        return false;
    }
    if (!call.Outermost()) {
        return true;
    }
    StopPlayback();
    timer_->OnTimer = nullptr;
    if (Owner() != nullptr) {
        call.Forget();
        Owner()->DestroyComponent(this);
    }
    return true;
}

// The end of a pass. False when the tick must end here: the sprite was destroyed, or the
// handler started a sequence whose first step has been performed already.
bool TSprite::FinishPass(CallInProgress& call) {
    step_ = 0;
    if (repeat_ != -1) {
        repeat_ = static_cast<int32_t>(static_cast<uint32_t>(repeat_) - 1u);
    }
    justStarted_ = false;
    if (OnFinishSequence) {
        TOnFinishSequence handler = OnFinishSequence;
        try {
            handler(*this, repeat_);
        } catch (...) {
            if (repeat_ == 0) {  // the last pass still ends, or the play would have no end
                StopPlayback();
            }
            throw;
        }
    }
    if (DestroyIfReleased(call)) {
        return false;
    }
    if (repeat_ == 0) {
        StopPlayback();
    }
    if (justStarted_) {
        justStarted_ = false;
        return false;
    }
    return true;
}

// A tick without a current sequence has nothing to play and stops the timer. A step that
// cannot be read stops it too, before the failure goes on.
void TSprite::SequenceTimer() {
    CallInProgress call(*this);
    if (DestroyIfReleased(call)) {
        return;
    }
    TSequence* sequence = CurrentSequence();
    if (sequence == nullptr) {
        StopPlayback();
        return;
    }
    int32_t frameIndex = -1;
    int16_t dx = 0;
    int16_t dy = 0;
    int16_t dz = 0;
    base::Real48 time;
    try {
        if (timer_->Enabled()) {
            sequence->GetFrameData(step_, frameIndex, dx, dy, dz, time);
        }
    } catch (...) {
        StopPlayback();
        throw;
    }
    ++step_;
    if (step_ == sequence->Count() && !FinishPass(call)) {
        return;
    }
    if (timer_->Enabled()) {
        StartStep(step_, dx, dy, dz);
    }
}

// Moves by the displacement of the step left and shows step `index` for its time.
void TSprite::StartStep(int32_t index, int16_t dx, int16_t dy, int16_t dz) {
    TSequence* sequence = CurrentSequence();
    int32_t frameIndex = -1;
    int16_t nextDx = 0;
    int16_t nextDy = 0;
    int16_t nextDz = 0;
    base::Real48 time;
    if (sequence == nullptr) {  // the end-of-pass handler selected none
        StopPlayback();
        return;
    }
    try {
        sequence->GetFrameData(index, frameIndex, nextDx, nextDy, nextDz, time);
    } catch (...) {
        StopPlayback();
        throw;
    }
    MoveTo(GetX() + dx, GetY() + dy, GetZ() + dz, frameIndex, Visible());
    timer_->SetInterval(IntervalOf(time));
}

}  // namespace sprites
