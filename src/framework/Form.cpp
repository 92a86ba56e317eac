#include "framework/Form.h"

#include <algorithm>

#include "base/Exceptions.h"
#include "framework/Application.h"
#include "framework/Control.h"

namespace framework {
namespace {

constexpr int32_t kDefaultFormWidth = 320;
constexpr int32_t kDefaultFormHeight = 240;
// The form's own request to be destroyed, posted by Release (in the range for applications).
constexpr platform::UINT kReleaseMessage = 0x8000 + 0x100;

TShiftState MouseShift(platform::WPARAM flags) {
    TShiftState shift = 0;
    shift |= (flags & platform::MK_SHIFT) != 0 ? ssShift : 0;
    shift |= (flags & platform::MK_CONTROL) != 0 ? ssCtrl : 0;
    shift |= (flags & platform::MK_LBUTTON) != 0 ? ssLeft : 0;
    shift |= (flags & platform::MK_RBUTTON) != 0 ? ssRight : 0;
    shift |= (flags & platform::MK_MBUTTON) != 0 ? ssMiddle : 0;
    return shift;
}

// Handlers run from a copy, so that a handler may replace itself.
template <class Handler, class... Args>
void Fire(const Handler& handler, Args&&... args) {
    if (handler) {
        Handler copy = handler;
        copy(std::forward<Args>(args)...);
    }
}

// Creation, showing and destruction run outside the message loop, which shows what escapes
// the other handlers: the application's error box shows a failure of theirs here, and the
// program goes on. Without an application object the failure goes to the caller.
template <class Handler, class... Args>
void FireShowingFailure(const Handler& handler, Args&&... args) {
    try {
        Fire(handler, std::forward<Args>(args)...);
    } catch (const std::exception& error) {
        if (!HasApplication()) {
            throw;
        }
        Application().ShowException(error);
    }
}

void RegisterFormClass(const std::string& windowClass) {
    platform::WNDCLASS formClass;
    formClass.lpszClassName = windowClass;
    formClass.lpfnWndProc = platform::DefWindowProcA;
    platform::RegisterClassA(formClass);  // a class registered before stays as it is
}

// Alt, for a system key that has it down.
TShiftState KeyShift(const TMessage& message) {
    const bool system =
        message.Msg == platform::WM_SYSKEYDOWN || message.Msg == platform::WM_SYSKEYUP;
    return system && (message.LParam & platform::kAltDownFlag) != 0 ? ssAlt : TShiftState{0};
}

}  // namespace

// One call of the form's own code on the stack; the outermost, as it returns, asks again for a
// release that came meanwhile.
class TForm::CallScope {
  public:
    explicit CallScope(TForm& form) : form_(form) { ++form_.callDepth_; }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;
    ~CallScope() {
        if (--form_.callDepth_ == 0 && form_.releaseWaiting_) {
            form_.releaseWaiting_ = false;
            form_.Release();
        }
    }

  private:
    TForm& form_;
};

TForm::TForm(TComponent* owner, const std::string& windowClass) : TComponent(owner) {
    RegisterFormClass(windowClass);
    bounds_ = gfx::RectFromSize(0, 0, kDefaultFormWidth, kDefaultFormHeight);
    handle_ = platform::CreateWindowExA(0, windowClass, caption_, platform::WS_POPUP, bounds_.left,
                                        bounds_.top, bounds_.Width(), bounds_.Height(), 0,
                                        [this](platform::HWND hwnd, platform::UINT msg,
                                               platform::WPARAM wParam, platform::LPARAM lParam) {
                                            handle_ = handle_ == 0 ? hwnd : handle_;
                                            return MainWndProc(msg, wParam, lParam);
                                        });
    if (handle_ == 0) {
        throw base::Exception("Error creating window of class " + windowClass);
    }
    try {
        canvas_ =
            std::make_unique<TCanvas>(platform::WindowSurface(handle_), [this](const auto& r) {
                if (platform::IsWindowVisible(handle_)) {
                    platform::PresentRect(handle_, r);
                }
            });
    } catch (...) {
        // The destructor does not run for a form that was never made: its window, whose
        // procedure calls this form, must not outlive it.
        platform::DestroyWindow(handle_);
        throw;
    }
}

// The controls go first, while the form is whole; then the window.
TForm::~TForm() {
    destroying_ = true;
    DestroyComponentsFromDestructor();
    for (TControl* control : controls_) {
        control->parent_ = nullptr;
    }
    controls_.clear();
    if (platform::HasBackend()) {
        platform::DestroyWindow(handle_);
    }
}

void TForm::AfterConstruction() {
    CallScope call(*this);
    FireShowingFailure(OnCreate, *this);
}

void TForm::BeforeDestruction() {
    FireShowingFailure(OnDestroy, *this);
}

void TForm::SetCaption(const std::string& caption) {
    caption_ = caption;
    platform::SetWindowTextA(handle_, caption);
}

void TForm::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    bounds_ = gfx::RectFromSize(left, top, std::max(width, 0), std::max(height, 0));
    platform::MoveWindow(handle_, bounds_.left, bounds_.top, bounds_.Width(), bounds_.Height());
    AlignControls();
}

void TForm::SetColor(TColor color) {
    color_ = color;
    Invalidate();
}

void TForm::SetFormStyle(TFormStyle style) {
    formStyle_ = style;
    platform::HWND order = style == fsStayOnTop ? platform::HWND_TOPMOST : platform::HWND_NOTOPMOST;
    platform::SetWindowPos(handle_, order, 0, 0, 0, 0, platform::SWP_NOMOVE | platform::SWP_NOSIZE);
}

void TForm::SetBorderStyle(TBorderStyle style) {
    borderStyle_ = style;
    constexpr uint32_t kFrameStyles = platform::WS_CAPTION | platform::WS_THICKFRAME;
    uint32_t windowStyle = platform::GetWindowLongA(handle_, platform::GWL_STYLE) & ~kFrameStyles;
    uint32_t exStyle =
        platform::GetWindowLongA(handle_, platform::GWL_EXSTYLE) & ~platform::WS_EX_DLGMODALFRAME;
    windowStyle |= style == bsNone ? 0 : platform::WS_CAPTION;
    windowStyle |= style == bsSizeable ? platform::WS_THICKFRAME : 0;
    exStyle |= style == bsDialog ? platform::WS_EX_DLGMODALFRAME : 0;
    platform::SetWindowLongA(handle_, platform::GWL_STYLE, windowStyle);
    platform::SetWindowLongA(handle_, platform::GWL_EXSTYLE, exStyle);
    const gfx::Rect frame = platform::AdjustWindowRectEx({}, windowStyle, exStyle);
    frameWidth_ = frame.Width();
    frameHeight_ = frame.Height();
}

// OnShow runs before the window appears, OnHide after it went.
void TForm::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    CallScope call(*this);
    visible_ = visible;
    if (visible) {
        if (position_ == poScreenCenter) {
            CenterOnScreen();
        }
        try {
            FireShowingFailure(OnShow, *this);
        } catch (...) {  // not shown: a later Show tries again
            visible_ = false;
            throw;
        }
        platform::ShowWindow(handle_, platform::SW_SHOW);
    } else {
        platform::ShowWindow(handle_, platform::SW_HIDE);
        Fire(OnHide, *this);
    }
}

void TForm::CenterOnScreen() {
    int32_t screenWidth = platform::GetSystemMetrics(platform::SM_CXSCREEN);
    int32_t screenHeight = platform::GetSystemMetrics(platform::SM_CYSCREEN);
    SetBounds((screenWidth - Width()) / 2, (screenHeight - Height()) / 2, Width(), Height());
}

bool TForm::CloseQuery() {
    CallScope call(*this);
    bool canClose = true;
    Fire(OnCloseQuery, *this, canClose);
    return canClose;
}

void TForm::Close() {
    CallScope call(*this);
    if (!CloseQuery()) {
        return;
    }
    TCloseAction action = caHide;
    Fire(OnClose, *this, action);
    if (action == caNone) {
        return;
    }
    if (HasApplication() && Application().MainForm() == this) {
        Application().Terminate();
    } else if (action == caFree && Owner() != nullptr) {
        Release();
    } else {
        Hide();
    }
}

void TForm::Release() {
    releaseAsked_ = true;
    platform::PostMessageA(handle_, kReleaseMessage, 0, 0);
}

void TForm::Invalidate() {
    platform::InvalidateRect(handle_, nullptr, true);
}

void TForm::InvalidateRect(const gfx::Rect& rect) {
    platform::InvalidateRect(handle_, &rect, true);
}

void TForm::Update() {
    platform::UpdateWindow(handle_);
}

TControl* TForm::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) {
        throw base::EListError("Control index out of bounds (" + std::to_string(index) + ")");
    }
    return controls_[static_cast<size_t>(index)];
}

TControl* TForm::ControlAtPos(int32_t x, int32_t y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if ((*it)->Visible() && gfx::PointInRect((*it)->BoundsRect(), x, y)) {
            return *it;
        }
    }
    return nullptr;
}

void TForm::InsertControl(TControl& control) {
    controls_.push_back(&control);
}

void TForm::RemoveControl(TControl& control) {
    std::erase(controls_, &control);
    if (mouseControl_ == &control) {
        EndMouseHold();
    }
}

// Compares the address only: a control a painter destroyed is not touched.
bool TForm::HoldsControl(const TControl* control) const {
    return std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

void TForm::AlignControls() {
    for (TControl* control : std::vector<TControl*>(controls_)) {
        control->Realign();
    }
}

platform::LRESULT TForm::MainWndProc(platform::UINT msg, platform::WPARAM wParam,
                                     platform::LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    if (msg == kReleaseMessage && releaseAsked_ && !destroying_ && Owner() != nullptr) {
        if (callDepth_ > 0) {
            releaseWaiting_ = true;
            return 0;
        }
        Owner()->DestroyComponent(this);  // nothing of this form may be touched afterwards
        return 0;
    }
    CallScope call(*this);
    if (destroying_) {
        DefaultHandler(message);
    } else {
        WndProc(message);
    }
    return message.Result;
}

void TForm::DefaultHandler(TMessage& message) {
    message.Result = platform::DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

void TForm::WndProc(TMessage& message) {
    switch (message.Msg) {
        case platform::WM_PAINT:
            WMPaint();
            break;
        case platform::WM_ERASEBKGND:
            WMEraseBkgnd(message);
            break;
        case platform::WM_KEYDOWN:
        case platform::WM_SYSKEYDOWN:
            WMKey(message, OnKeyDown);
            break;
        case platform::WM_KEYUP:
        case platform::WM_SYSKEYUP:
            WMKey(message, OnKeyUp);
            break;
        case platform::WM_CHAR:
            WMChar(message);
            break;
        case platform::WM_LBUTTONDOWN:
            WMMouseDown(message, mbLeft);
            break;
        case platform::WM_RBUTTONDOWN:
            WMMouseDown(message, mbRight);
            break;
        case platform::WM_MBUTTONDOWN:
            WMMouseDown(message, mbMiddle);
            break;
        case platform::WM_XBUTTONDOWN:
            WMMouseDown(message, platform::XButtonOf(message.WParam) == platform::XBUTTON2
                                     ? mbXButton2
                                     : mbXButton1);
            message.Result = 1;  // taken, as the window system asks of this message
            break;
        case platform::WM_MOUSEMOVE:
            WMMouseMove(message);
            break;
        case platform::WM_LBUTTONUP:
            WMMouseUp(message, mbLeft);
            break;
        case platform::WM_CLOSE:
            Close();
            break;
        case platform::WM_QUERYENDSESSION:
            message.Result = CloseQuery() ? 1 : 0;
            break;
        default:
            DefaultHandler(message);
    }
}

void TForm::Paint() {
    Fire(OnPaint, *this);
}

// The paint is clipped to the area being painted, as the platform's paint context is. The clip
// and the paint end also when a painter fails, or every later drawing would stay confined to
// this area.
void TForm::WMPaint() {
    paintRect_ = platform::GetUpdateRect(handle_);
    platform::PAINTSTRUCT paint = platform::BeginPaint(handle_);
    paintRect_ = paint.rcPaint;
    std::optional<gfx::Rect> clip = canvas_->ClipRect();
    const auto endPaint = [&] {
        canvas_->SelectClipRgn(clip);
        paintRect_ = {};
        platform::EndPaint(handle_, paint);
    };
    canvas_->SelectClipRgn(paint.rcPaint);
    try {
        Paint();
        for (TControl* control : std::vector<TControl*>(controls_)) {
            if (HoldsControl(control) && control->Visible() &&
                gfx::RectsIntersect(control->BoundsRect(), paint.rcPaint)) {
                control->Paint();
            }
        }
    } catch (...) {
        endPaint();
        throw;
    }
    endPaint();
}

void TForm::WMEraseBkgnd(TMessage& message) {
    canvas_->FillRect(paintRect_.IsEmpty() ? ClientRect() : paintRect_, color_);
    message.Result = 1;
}

// A key going down or up. A handler that sets the key to 0 stops the default handling (Alt+F4
// closing, for one).
void TForm::WMKey(TMessage& message, const TKeyEvent& event) {
    auto key = static_cast<uint16_t>(message.WParam);
    Fire(event, *this, key, KeyShift(message));
    if (key != 0) {
        message.WParam = key;
        DefaultHandler(message);
    }
}

void TForm::WMChar(TMessage& message) {
    auto key = static_cast<char>(message.WParam);
    Fire(OnKeyPress, *this, key);
}

// Mouse input over a control goes to the control, in its own coordinates. A control that asks
// for it holds the mouse from a press of the left button to the release, and the window
// captures the mouse meanwhile: a push button clicks only when the release comes over it.
void TForm::WMMouseDown(TMessage& message, TMouseButton button) {
    int32_t x = platform::XFromLParam(message.LParam);
    int32_t y = platform::YFromLParam(message.LParam);
    TShiftState shift = MouseShift(message.WParam);
    if (TControl* control = ControlAtPos(x, y)) {
        if (button == mbLeft && control->CapturesMouse()) {
            mouseControl_ = control;
            platform::SetCapture(handle_);
        }
        control->MouseDown(button, shift, x - control->Left(), y - control->Top());
    } else {
        Fire(OnMouseDown, *this, button, shift, x, y);
    }
}

// A move without the left button ends the hold of a release the window never heard of (let
// go over another window): the holding control still gets that move, so it can tell.
void TForm::WMMouseMove(TMessage& message) {
    int32_t x = platform::XFromLParam(message.LParam);
    int32_t y = platform::YFromLParam(message.LParam);
    TShiftState shift = MouseShift(message.WParam);
    TControl* control = mouseControl_ != nullptr ? mouseControl_ : ControlAtPos(x, y);
    if (mouseControl_ != nullptr && (shift & ssLeft) == 0) {
        EndMouseHold();
    }
    if (control != nullptr) {
        control->MouseMove(shift, x - control->Left(), y - control->Top());
    } else {
        Fire(OnMouseMove, *this, shift, x, y);
    }
}

void TForm::WMMouseUp(TMessage& message, TMouseButton button) {
    int32_t x = platform::XFromLParam(message.LParam);
    int32_t y = platform::YFromLParam(message.LParam);
    TControl* control = mouseControl_ != nullptr ? mouseControl_ : ControlAtPos(x, y);
    if (mouseControl_ != nullptr) {
        EndMouseHold();
    }
    if (control != nullptr) {
        control->MouseUp(button, MouseShift(message.WParam), x - control->Left(),
                         y - control->Top());
    }
}

void TForm::EndMouseHold() {
    mouseControl_ = nullptr;
    platform::ReleaseCapture();
}

}  // namespace framework
