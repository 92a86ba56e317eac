#pragma once
// The paint bookkeeping of one window, kept alike by the backends that paint in the program's
// own memory (headless and X11): the area waiting for WM_PAINT, whether its background is to be
// erased first, and the area of the paint in progress.

#include "gfx/Rect.h"
#include "platform/platform.h"

namespace platform {

class PaintState {
  public:
    // Adds `area` (already cut to the client area) to what waits for WM_PAINT.
    void Invalidate(const gfx::Rect& area, bool erase);
    bool Pending() const { return !invalid_.IsEmpty(); }
    // What GetUpdateRect answers: the area of the paint in progress, else what waits.
    gfx::Rect UpdateRect() const { return painting_.IsEmpty() ? invalid_ : painting_; }
    // What WM_ERASEBKGND fills: the area of the paint in progress, else the whole client area.
    gfx::Rect EraseArea(const gfx::Rect& client) const {
        return painting_.IsEmpty() ? client : painting_;
    }
    // Starts painting what waits: BeginPaint's answer, with the background erased first when
    // that is due (once), by `eraseBackground` (WM_ERASEBKGND); its answer 0 leaves the erase
    // to the painter.
    template <class EraseBackground>
    PAINTSTRUCT BeginPaint(EraseBackground eraseBackground) {
        PAINTSTRUCT paint;
        bool eraseDue = false;
        paint.rcPaint = TakeInvalid(eraseDue);
        if (eraseDue) {
            paint.fErase = eraseBackground() == 0;
        }
        return paint;
    }
    void EndPaint() { painting_ = {}; }
    // After WM_PAINT is dispatched: a procedure that leaves its window invalid would get
    // WM_PAINT for ever.
    void Validate() { invalid_ = {}; }

  private:
    // What waits becomes the paint in progress; eraseDue tells whether it is to be erased.
    gfx::Rect TakeInvalid(bool& eraseDue);

    gfx::Rect invalid_;
    bool erasePending_ = false;
    gfx::Rect painting_;
};

}  // namespace platform
