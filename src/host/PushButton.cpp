#include "host/PushButton.h"

#include "framework/Color.h"
#include "framework/Form.h"
#include "host/CaptionFont.h"
#include "platform/platform.h"

namespace host {
namespace {

constexpr gfx::Pixel kHighlight = 0x00FFFFFF;
constexpr gfx::Pixel kShadow = 0x00808080;
constexpr gfx::Pixel kDarkShadow = 0x00000000;
constexpr gfx::Pixel kText = 0x00000000;
constexpr int32_t kFocusInset = 4;

gfx::Rect Inset(const gfx::Rect& rect, int32_t by) {
    return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

// Sets the pixel when it lies inside the clip box.
void Dot(gfx::Canvas& canvas, int32_t x, int32_t y, gfx::Pixel colour) {
    if (gfx::PointInRect(canvas.ClipBox(), x, y)) {
        canvas.Target().SetPixel(x, y, colour);
    }
}

// The top and left edges in one colour, the bottom and right edges in another.
void Edges(gfx::Canvas& canvas, const gfx::Rect& rect, gfx::Pixel topLeft, gfx::Pixel bottomRight) {
    for (int32_t x = rect.left; x < rect.right; ++x) {
        Dot(canvas, x, rect.top, topLeft);
        Dot(canvas, x, rect.bottom - 1, bottomRight);
    }
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        Dot(canvas, rect.left, y, topLeft);
        Dot(canvas, rect.right - 1, y, bottomRight);
    }
}

}  // namespace

TButton::TButton(framework::TComponent* owner) : framework::TControl(owner) {
    SetBounds(0, 0, 75, 25);
}

void TButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    Invalidate();
}

void TButton::SetDefault(bool isDefault) {
    default_ = isDefault;
    Invalidate();
}

// A button that loses the focus lets a push by Space go without a click.
void TButton::SetFocused(bool focused) {
    focused_ = focused;
    if (!focused && holder_ == Holder::Space) {
        holder_ = Holder::None;
        SetPushed(false);
    }
    Invalidate();
}

void TButton::Click() {
    if (OnClick) {
        framework::TNotifyEvent handler = OnClick;
        handler(*this);
    }
}

void TButton::KeyPress(char& key) {
    if (OnKeyPress) {
        framework::TKeyPressEvent handler = OnKeyPress;
        handler(*this, key);
    }
}

// The key's repeats change nothing, nor does Space while the mouse holds the button.
void TButton::KeyDown(uint16_t key) {
    if (key == platform::VK_SPACE && focused_ && holder_ == Holder::None) {
        holder_ = Holder::Space;
        SetPushed(true);
    }
}

void TButton::KeyUp(uint16_t key) {
    if (key != platform::VK_SPACE || holder_ != Holder::Space) {
        return;
    }
    holder_ = Holder::None;
    SetPushed(false);
    Click();
}

void TButton::MouseDown(framework::TMouseButton button, framework::TShiftState shift, int32_t x,
                        int32_t y) {
    framework::TControl::MouseDown(button, shift, x, y);
    if (button == framework::mbLeft && holder_ == Holder::None) {
        holder_ = Holder::Mouse;
        SetPushed(true);
    }
}

// A move without the left button means it was let go where the form did not hear of it.
void TButton::MouseMove(framework::TShiftState shift, int32_t x, int32_t y) {
    framework::TControl::MouseMove(shift, x, y);
    if (holder_ != Holder::Mouse) {
        return;
    }
    if ((shift & framework::ssLeft) == 0) {
        holder_ = Holder::None;
    }
    SetPushed(holder_ == Holder::Mouse && Inside(x, y));
}

void TButton::MouseUp(framework::TMouseButton button, framework::TShiftState, int32_t x,
                      int32_t y) {
    if (button != framework::mbLeft || holder_ != Holder::Mouse) {
        return;
    }
    holder_ = Holder::None;
    SetPushed(false);
    if (Inside(x, y)) {
        Click();
    }
}

bool TButton::Inside(int32_t x, int32_t y) const {
    return gfx::PointInRect({0, 0, Width(), Height()}, x, y);
}

void TButton::SetPushed(bool pushed) {
    if (pushed != pushed_) {
        pushed_ = pushed;
        Invalidate();
    }
}

void TButton::Paint() {
    if (Parent() == nullptr) {
        return;
    }
    gfx::Rect face = BoundsRect();
    Parent()->Canvas().FillRect(face, framework::clBtnFace);
    PaintFrame(face);
    PaintCaption(face);
    if (focused_) {
        PaintFocus(face);
    }
    Parent()->Canvas().Changed(BoundsRect());
}

// Draws the frame and leaves `face` as the area inside it. Pushed in, the raised edges give
// way to one line of shadow.
void TButton::PaintFrame(gfx::Rect& face) {
    gfx::Canvas& canvas = Parent()->Canvas();
    if (default_) {
        Edges(canvas, face, kDarkShadow, kDarkShadow);
        face = Inset(face, 1);
    }
    if (pushed_) {
        Edges(canvas, face, kShadow, kShadow);
        face = Inset(face, 2);
        return;
    }
    Edges(canvas, face, kHighlight, kDarkShadow);
    face = Inset(face, 1);
    Edges(canvas, face, kHighlight, kShadow);
    face = Inset(face, 1);
}

// Pushed in, the caption moves a pixel right and down.
void TButton::PaintCaption(const gfx::Rect& face) {
    const int32_t shift = pushed_ ? 1 : 0;
    const int32_t x = face.left + (face.Width() - CaptionTextWidth(caption_)) / 2 + shift;
    const int32_t y = face.top + (face.Height() - kCaptionGlyphHeight) / 2 + shift;
    gfx::Canvas& canvas = Parent()->Canvas();
    const gfx::Rect clip = gfx::IntersectRect(canvas.ClipBox(), face);
    DrawCaptionText(canvas.Target(), clip, x, y, caption_, kText);
}

// Every other pixel of a rectangle inside the face, as the system draws the focus.
void TButton::PaintFocus(const gfx::Rect& face) {
    gfx::Canvas& canvas = Parent()->Canvas();
    const gfx::Rect focus = Inset(face, kFocusInset - (default_ ? 3 : 2));
    for (int32_t x = focus.left; x < focus.right; x += 2) {
        Dot(canvas, x, focus.top, kText);
        Dot(canvas, x, focus.bottom - 1, kText);
    }
    for (int32_t y = focus.top; y < focus.bottom; y += 2) {
        Dot(canvas, focus.left, y, kText);
        Dot(canvas, focus.right - 1, y, kText);
    }
}

}  // namespace host
