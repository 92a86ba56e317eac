#pragma once
// The message box of the X backend: a small window with the caption as its title, the text
// in lines and an OK button; Enter or Escape going down, Space coming up after going down in the
// box, a click on the button (the left button pressed and let go over it) or the window
// manager's close end it, as they do a system message box. Over the saver's window it
// bypasses the window manager so that it shows above the saver, and takes the keyboard focus.

#include <string>
#include <vector>

#include "gfx/Rect.h"
#include "platform/x11/Connection.h"

namespace platform::x11 {

class MessageBoxWindow {
  public:
    // Centred on a screen of the size given (the backend follows its changes; Xlib's own
    // figure stays at the size the connection was opened with). Fails with base::Exception
    // when the window or its font cannot be made.
    MessageBoxWindow(const Connection& connection, HWND owner, const std::string& text,
                     const std::string& caption, bool aboveSaver, int screenWidth,
                     int screenHeight);
    MessageBoxWindow(const MessageBoxWindow&) = delete;
    MessageBoxWindow& operator=(const MessageBoxWindow&) = delete;
    ~MessageBoxWindow();

    bool Done() const { return done_; }
    // Handles the event if it is the box's own; returns whether it was.
    bool Handles(const XEvent& event);

  private:
    void Layout(const std::string& text);
    void Draw();
    void OnKey(const XKeyEvent& event);
    void OnButton(const XButtonEvent& event);

    const Connection& connection_;
    ::Window window_ = 0;
    GC gc_ = nullptr;
    XFontStruct* font_ = nullptr;
    std::vector<std::string> lines_;
    int width_ = 0;
    int height_ = 0;
    gfx::Rect button_;
    bool pressedOnOk_ = false;  // the left button went down over OK and is still down
    bool spaceDown_ = false;    // Space went down in the box and has not come up
    bool done_ = false;
};

}  // namespace platform::x11
