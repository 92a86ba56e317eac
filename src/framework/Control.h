#pragma once
// TControl: a windowless control on a form. It has a place in its parent form's client area,
// paints onto the form's canvas, and gets the mouse events that fall on it, in its own
// coordinates. Align alClient keeps it the size of the parent's client area.

#include <cstdint>
#include <string>

#include "framework/Component.h"
#include "framework/Events.h"
#include "gfx/Rect.h"

namespace framework {

class TForm;

enum TAlign : uint8_t { alNone, alClient };

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TForm* Parent() const { return parent_; }
    void SetParent(TForm* parent);

    int32_t Left() const { return bounds_.left; }
    int32_t Top() const { return bounds_.top; }
    int32_t Width() const { return bounds_.Width(); }
    int32_t Height() const { return bounds_.Height(); }
    void SetLeft(int32_t left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int32_t top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int32_t width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int32_t height) { SetBounds(Left(), Top(), Width(), height); }
    // A negative width or height counts as 0.
    virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
    gfx::Rect BoundsRect() const { return bounds_; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Draws the control onto its parent form's canvas; the parent's paint calls it.
    virtual void Paint() {}
    // Asks the parent form to repaint the control's rectangle.
    void Invalidate();

    // Called by the parent form with coordinates in the control's own pixels. No event fires
    // on a release.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
    virtual void MouseMove(TShiftState shift, int32_t x, int32_t y);
    virtual void MouseUp(TMouseButton, TShiftState, int32_t, int32_t) {}
    // Whether a press of the left button makes the control hold the mouse: it then gets the
    // mouse's moves and the release wherever the pointer goes, until the release (see TForm).
    virtual bool CapturesMouse() const { return false; }

    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;

    std::string ClassName() const override { return "TControl"; }

  private:
    friend class TForm;  // clears parent_ when the form goes first
    void Realign();

    TForm* parent_ = nullptr;
    gfx::Rect bounds_;
    TAlign align_ = alNone;
    bool visible_ = true;
};

}  // namespace framework
