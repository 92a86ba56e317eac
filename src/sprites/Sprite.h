#pragma once
// TSprite: the animated picture that moves over a sprite box. It carries a frame list (its
// pictures) and a sequence list (its animations), owned unless it is a copy that shares its
// source's, a current frame, a position, mirroring, how it is plotted, and a private timer that
// plays a sequence. Every change of what it shows or where goes through MoveTo, which reports
// the move, redraws the old and new place at once and tests for hits.
//
// Public setters carry the rules of the stored properties, so a form-description loader and a
// program set them alike, in the stored order: About, Transparent, SpriteBox, HitTest,
// Plotmode, FrameList, SequenceList, CurrentFrame, FrameIndex, MirrorX, MirrorY, the events.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Color.h"
#include "framework/Timer.h"
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Rect.h"
#include "sprites/Frame.h"
#include "sprites/FrameList.h"
#include "sprites/PlotMode.h"
#include "sprites/SequenceList.h"
#include "sprites/SequenceOwner.h"
#include "sprites/SpriteTypes.h"
#include "sprites/VSprite.h"

namespace sprites {

class TSpriteBox;

inline constexpr std::string_view kSpriteVersion = "1.1e";

class TSprite : public TVSprite, public ISequenceOwner {
  public:
    // Invisible at (0, 0, 0), no frame, no sequence, both plot options, an empty list of each
    // kind (colour black), the timer disabled.
    explicit TSprite(framework::TComponent* owner);
    // A new component of source's owner sharing source's lists, on the same box, at source's
    // place with its sequence, repeat count, frame, mirroring, plot mode, tag, saved
    // background and event handlers; invisible and not playing. A source without an owner
    // fails with ESprite.
    static TSprite& CreateCopy(TSprite& source);
    // Frees its own lists (copies that shared them are left with empty lists of their own),
    // leaves its box, frees its timer. The image on the screen stays.
    ~TSprite() override;

    std::string ClassName() const override { return "TSprite"; }

    // Published properties.
    std::string About() const { return std::string(kSpriteVersion); }
    void SetAbout(std::string_view text) { aboutText_ = text; }
    framework::TColor Transparent() const { return frames_->TransparentColor(); }
    void SetTransparent(framework::TColor color) { frames_->SetTransparentColor(color); }
    TSpriteBox* SpriteBox() const { return spriteBox_; }
    void SetSpriteBox(TSpriteBox* box);
    THitTest HitTest() const { return hitTest_; }
    void SetHitTest(THitTest hitTest) { hitTest_ = hitTest; }
    TPlotMode Plotmode() const { return plotmode_; }
    void SetPlotmode(TPlotMode plotmode) { plotmode_ = plotmode; }
    TFrameList& FrameList() override { return *frames_; }
    const TFrameList& FrameList() const { return *frames_; }
    // Copies the content of `list` into the sprite's own (or shared) list.
    void SetFrameList(const TFrameList& list);
    TSequenceList& SequenceList() { return *sequences_; }
    const TSequenceList& SequenceList() const { return *sequences_; }
    void SetSequenceList(const TSequenceList& list);
    // The current frame's name, '' without one.
    std::string CurrentFrame() const;
    // A name the frame list lacks fails with ESprite "Frame not found: <name>"; "None", and ''
    // at run time, change nothing; '' in design mode clears the frame.
    void SetCurrentFrame(std::string_view name);
    int32_t FrameIndex() const { return frameIndex_; }
    // Design mode: checked against the list (ESprite "Frameindex should be between -1 and
    // <Count - 1>") and stored. Run time: -1 is ignored, any other index goes through MoveTo.
    void SetFrameIndex(int32_t index);
    bool MirrorX() const { return mirrorX_; }
    void SetMirrorX(bool mirror);
    bool MirrorY() const { return mirrorY_; }
    void SetMirrorY(bool mirror);

    TOnMoveEvent OnMove;
    TOnMove3DEvent OnMove3D;
    TOnFinishSequence OnFinishSequence;
    TOnHitEvent OnHit;

    // State.
    bool SharedLists() const { return listSource_ != nullptr; }
    bool Released() const { return released_; }
    int32_t RepeatCount() const { return repeat_; }
    int32_t Step() const { return step_; }
    const framework::TTimer& Timer() const { return *timer_; }
    // The saved background of a sprite without a sprite box, or null.
    const gfx::Bitmap* Background() const { return background_.get(); }

    // TVSprite.
    void SetVisible(bool value) override;
    void SetX(int32_t value) override;
    void SetY(int32_t value) override;
    void SetZ(int32_t value) override;
    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    void Draw(gfx::Canvas& canvas, int32_t x, int32_t y, const gfx::Rect& origin) override;
    void DrawScaled(gfx::Canvas& canvas, int32_t x, int32_t y, const gfx::Rect& origin,
                    double scale) override;
    void CoverOpaquePixels(gfx::CoveredRows& rows, int32_t x, int32_t y) const override;

    // The current frame at (x, y), natural size, unmirrored, whatever the plot mode; through
    // its mask, or as a block. Without a current frame they fail with ESprite.
    void DrawFrameTransparent(gfx::Canvas& canvas, int32_t x, int32_t y) const;
    void DrawFrameOpaque(gfx::Canvas& canvas, int32_t x, int32_t y) const;
    // The frame list's mask strip, or null without a current frame.
    const gfx::Bitmap* GetMaskBitmap() const;

    // Motion and playback.
    // The one state change: reports the move to OnMove and OnMove3D (whose changes are used),
    // stores position, frame and visibility, redraws the old and new place and tests for hits.
    // An index that names no frame fails with EListError before anything changes.
    void MoveTo(int32_t x, int32_t y, int32_t z, int32_t frameIndex, bool visible);
    void Redraw();
    // Stores Z without drawing and re-sorts the sprite in its box.
    void ChangeZ(int32_t value);
    // '' selects no sequence; a name the list lacks fails with ESprite. The step goes to 0.
    void SetSequence(std::string_view name);
    std::string GetSequenceName() const;
    // Plays a sequence repeatCount times (-1 and 0: without end), from step 0 or from the step
    // after a colon ("WAAI3:12"); the first step is performed at once. A start step outside
    // the sequence fails with EListError before anything changes.
    void PlaySequence(std::string_view text, int32_t repeatCount);
    // One tick of the timer: leaves the current step (moving by its displacement) and shows
    // the next one for its time. A released sprite is destroyed by its owner here, unless the
    // tick runs inside another of the sprite's calls (a handler's): then at its next tick.
    void SequenceTimer();
    // Marks the sprite: it no longer changes or draws, and its owner destroys it at its next
    // tick (a sprite without an owner only stops there); one whose timer is idle stays.
    void Release() { released_ = true; }
    // Reports to OnHit every other visible sprite of the box that this one touches.
    virtual void CheckHit();

    // The current sequence, or null (also when it is no longer in the list, as after the
    // list was read anew).
    TSequence* CurrentSequence() const;
    // The current frame, or null (also when the index no longer names one).
    const TFrame* CurrentFrameObject() const { return FrameAt(frameIndex_); }

    // ISequenceOwner: the About text as it was written.
    std::string StoredVersion() const override { return aboutText_; }

  protected:
    void DesigningChanged() override { timer_->SetDesigning(IsDesigning()); }

  private:
    struct MoveState;
    class CallInProgress;
    // Where MoveTo draws: the box's picture, or the owner form (then `form` is its canvas).
    struct DrawTarget {
        gfx::Canvas* canvas = nullptr;
        framework::TCanvas* form = nullptr;
    };

    void CopyFrom(TSprite& source);
    void ShareListsOf(TSprite& source);
    void LoseSharedLists();
    const TFrame* FrameAt(int32_t index) const;
    const TFrame& RequiredFrame(const char* operation) const;

    // MoveTo's parts (SpritePlayback.cpp).
    void FireMoveEvents(int32_t& x, int32_t& y, int32_t& z);
    void CheckFrameIndex(int32_t index) const;
    DrawTarget TargetCanvas();
    MoveState StoreMove(int32_t x, int32_t y, int32_t z, int32_t index, bool visible);
    void PlotUnbuffered(const DrawTarget& target, const MoveState& move);
    void RedrawInBox(const MoveState& move);
    void RedrawOnForm(framework::TCanvas& form, const MoveState& move);
    void RedrawOnFormCombined(framework::TCanvas& form, const MoveState& move);
    bool CombinedRedraw(const MoveState& move) const;
    void StopPlayback();
    bool DestroyIfReleased(CallInProgress& call);
    bool FinishPass(CallInProgress& call);
    void StartStep(int32_t index, int16_t dx, int16_t dy, int16_t dz);
    // CheckHit's parts (SpriteHitTest.cpp).
    bool PixelsMeet(const TSprite& other, const gfx::Rect& common) const;

    std::string aboutText_{kSpriteVersion};
    std::unique_ptr<TFrameList> ownFrames_;
    std::unique_ptr<TSequenceList> ownSequences_;
    TFrameList* frames_ = nullptr;
    TSequenceList* sequences_ = nullptr;
    TSequence* sequence_ = nullptr;
    uint64_t sequenceSerial_ = 0;  // the current sequence's, to know it again in the list
    TPlotMode plotmode_;
    int32_t frameIndex_ = -1;
    std::unique_ptr<framework::TTimer> timer_;
    int32_t repeat_ = 0;
    int32_t step_ = 0;
    bool released_ = false;
    int32_t callsInProgress_ = 0;  // MoveTo, CheckHit and ticks under way (see CallInProgress)
    TSpriteBox* spriteBox_ = nullptr;
    THitTest hitTest_ = THitTest::htNone;
    bool mirrorY_ = false;
    bool mirrorX_ = false;
    std::unique_ptr<gfx::Bitmap> background_;
    bool justStarted_ = false;
    TSprite* listSource_ = nullptr;  // the sprite whose lists this copy shares
    std::vector<TSprite*> copies_;   // the copies sharing this sprite's lists
};

}  // namespace sprites
