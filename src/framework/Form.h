#pragma once
// TForm: a top-level window with its events, its canvas and its windowless controls. The
// window exists from construction to destruction, hidden until Show. OnCreate runs from
// AfterConstruction (TApplication::CreateForm calls it), OnDestroy from BeforeDestruction
// (the owner calls it before destroying the form), OnShow from Show. A failure of any of the
// three is shown in the application's error box and the program goes on (without an
// application object it goes to the caller); a form whose OnDestroy fails is destroyed all
// the same.
//
// Raw window messages pass through the virtual WndProc; a form that handles one itself
// overrides it and passes the others on to TForm::WndProc, which gives the default handling.

#include <algorithm>
#include <any>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "base/Exceptions.h"
#include "framework/Canvas.h"
#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Events.h"
#include "platform/platform.h"

namespace framework {

class TControl;

enum TFormStyle : uint8_t { fsNormal, fsStayOnTop };
enum TBorderStyle : uint8_t { bsNone, bsSingle, bsDialog, bsSizeable };
enum TPosition : uint8_t { poDesigned, poScreenCenter };

inline constexpr TColor clBtnFace = 0x00C0C0C0;

class TForm : public TComponent {
  public:
    // windowClass names the window's class ("TfrmMain"); it is registered on first use.
    explicit TForm(TComponent* owner, const std::string& windowClass = "TForm");
    ~TForm() override;

    platform::HWND Handle() const { return handle_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // The bounds are the window's outer rectangle. The client area is what the frame of the
    // border style leaves inside it: all of it without a frame, and where the window system
    // puts its frame outside the window (X).
    int32_t Left() const { return bounds_.left; }
    int32_t Top() const { return bounds_.top; }
    int32_t Width() const { return bounds_.Width(); }
    int32_t Height() const { return bounds_.Height(); }
    int32_t ClientWidth() const { return std::max(Width() - frameWidth_, 0); }
    int32_t ClientHeight() const { return std::max(Height() - frameHeight_, 0); }
    gfx::Rect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
    void SetLeft(int32_t left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int32_t top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int32_t width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int32_t height) { SetBounds(Left(), Top(), Width(), height); }
    void SetClientWidth(int32_t width) { SetWidth(width + frameWidth_); }
    void SetClientHeight(int32_t height) { SetHeight(height + frameHeight_); }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    // Gives the window its frame: a caption for every style but bsNone, with a sizing border
    // for bsSizeable and a dialog border for bsDialog; no border icons. The outer rectangle
    // stays. A form not told a style keeps the plain frameless window it was made with.
    void SetBorderStyle(TBorderStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Asks OnCloseQuery, then OnClose; closing the application's main form ends the
    // application. Any other form is hidden, or released when OnClose asks for caFree and it
    // has an owner to destroy it (caMinimize hides it: the platform has no minimised windows).
    void Close();
    bool CloseQuery();
    // Destroys the form once the handlers now running have returned: its owner destroys it
    // when the message loop takes the request. Safe from inside the form's own handlers.
    void Release();

    // Draws into the window's surface and presents each change at once.
    TCanvas& Canvas() { return *canvas_; }
    void Invalidate();
    void InvalidateRect(const gfx::Rect& rect);
    // Paints what is invalid now, without waiting for the message loop.
    void Update();

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    // The topmost visible control at a client point, or null.
    TControl* ControlAtPos(int32_t x, int32_t y) const;

    // The form's event handlers by name, which a form description binds events to. Handler
    // fails with base::EReadError when the name is unknown or the handler of another kind.
    // The kind is named, never deduced: a lambda's own type would be no event kind at all.
    template <class Event>
    void DefineHandler(const std::string& name, std::type_identity_t<Event> handler) {
        handlers_[name] = std::move(handler);
    }
    template <class Event>
    Event Handler(const std::string& name) const;

    void AfterConstruction();
    void BeforeDestruction() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;  // set in code: no stored form binds it
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    std::string ClassName() const override { return "TForm"; }

  protected:
    // Every message of the window comes here; the base gives each its default handling.
    virtual void WndProc(TMessage& message);
    // The form's own painting, before its controls: OnPaint.
    virtual void Paint();
    // The window system's handling of a message.
    void DefaultHandler(TMessage& message);

  private:
    friend class TControl;
    void InsertControl(TControl& control);
    void RemoveControl(TControl& control);
    void AlignControls();

    platform::LRESULT MainWndProc(platform::UINT msg, platform::WPARAM wParam,
                                  platform::LPARAM lParam);
    void WMPaint();
    void WMEraseBkgnd(TMessage& message);
    void WMKey(TMessage& message, const TKeyEvent& event);
    void WMChar(TMessage& message);
    void WMMouseDown(TMessage& message, TMouseButton button);
    void WMMouseMove(TMessage& message);
    void WMMouseUp(TMessage& message, TMouseButton button);
    void EndMouseHold();
    void CenterOnScreen();
    bool HoldsControl(const TControl* control) const;

    class CallScope;

    platform::HWND handle_ = 0;
    std::unique_ptr<TCanvas> canvas_;
    std::string caption_;
    gfx::Rect bounds_;
    gfx::Rect paintRect_;  // the area of the paint in progress
    TColor color_ = clBtnFace;
    TFormStyle formStyle_ = fsNormal;
    TBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    bool visible_ = false;
    bool destroying_ = false;
    int32_t frameWidth_ = 0;  // what the frame takes of the outer width and height
    int32_t frameHeight_ = 0;
    // Calls of the form's own code now on the stack (a message, showing, closing, creating). A
    // release taken by a loop inside one of them (an error box, ProcessMessages) waits until
    // the outermost has returned, since each goes on with the form after its handlers.
    int callDepth_ = 0;
    bool releaseWaiting_ = false;
    // Release has posted its request: only then does that message destroy the form, which
    // another program could otherwise send.
    bool releaseAsked_ = false;
    std::vector<TControl*> controls_;  // in the order they joined; not owned
    // The control that holds the mouse since the left button's press, until the release.
    TControl* mouseControl_ = nullptr;
    std::map<std::string, std::any> handlers_;
};

template <class Event>
Event TForm::Handler(const std::string& name) const {
    auto it = handlers_.find(name);
    if (it == handlers_.end()) {
        throw base::EReadError("Handler " + name + " not found");
    }
    const Event* handler = std::any_cast<Event>(&it->second);
    if (handler == nullptr) {
        throw base::EReadError("Handler " + name + " does not fit the event");
    }
    return *handler;
}

}  // namespace framework
