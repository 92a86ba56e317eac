#pragma once
// TButton: a push button drawn by the program itself, as a windowless control. It clicks when
// the left mouse button, pressed over it, is let go over it (it shows pushed in while the
// pointer is over it with the button held; let go elsewhere, nothing happens), or when its form
// passes it a key: Enter for the form's default button, Space for the button that has the
// focus. Other characters go to OnKeyPress.

#include <cstdint>
#include <string>

#include "framework/Control.h"
#include "framework/Events.h"

namespace host {

class TButton : public framework::TControl {
  public:
    explicit TButton(framework::TComponent* owner);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The default button has a dark frame and is pressed by Enter.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    // The focused button shows a dotted rectangle and is pressed by Space.
    bool Focused() const { return focused_; }
    void SetFocused(bool focused);

    // Whether the button takes the focus, and its place in the focus order.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    int32_t TabOrder() const { return tabOrder_; }
    void SetTabOrder(int32_t tabOrder) { tabOrder_ = tabOrder; }
    // The stored font; the caption is drawn with the built-in pixel font whatever it names.
    const std::string& FontName() const { return fontName_; }
    void SetFontName(const std::string& name) { fontName_ = name; }
    int32_t FontHeight() const { return fontHeight_; }
    void SetFontHeight(int32_t height) { fontHeight_ = height; }

    void Click();
    // Shown pushed in: held down by Space, or by the left mouse button with the pointer over it.
    bool Pushed() const { return pushed_; }
    // A character typed while the button has the focus.
    void KeyPress(char& key);
    // Keys going down and up while the button has the focus: Space pushes it in, and clicks it
    // when it comes up.
    void KeyDown(uint16_t key);
    void KeyUp(uint16_t key);

    void Paint() override;
    void MouseDown(framework::TMouseButton button, framework::TShiftState shift, int32_t x,
                   int32_t y) override;
    void MouseMove(framework::TShiftState shift, int32_t x, int32_t y) override;
    void MouseUp(framework::TMouseButton button, framework::TShiftState shift, int32_t x,
                 int32_t y) override;
    bool CapturesMouse() const override { return true; }

    framework::TNotifyEvent OnClick;
    framework::TKeyPressEvent OnKeyPress;

    std::string ClassName() const override { return "TButton"; }

  private:
    bool Inside(int32_t x, int32_t y) const;
    void SetPushed(bool pushed);
    void PaintFrame(gfx::Rect& face);
    void PaintCaption(const gfx::Rect& face);
    void PaintFocus(const gfx::Rect& face);

    std::string caption_;
    bool default_ = false;
    bool focused_ = false;
    // What holds the button down, one at a time: the left mouse button, pressed over it and not
    // let go yet, or Space, gone down while it had the focus and not come up yet.
    enum class Holder { None, Mouse, Space };
    Holder holder_ = Holder::None;
    bool pushed_ = false;
    bool tabStop_ = true;
    int32_t tabOrder_ = 0;
    std::string fontName_;
    int32_t fontHeight_ = 0;
};

}  // namespace host
