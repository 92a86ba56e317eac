#pragma once
// One connection to the X server: the display, the screen the program uses, the atoms it
// names, and a trap for the errors that calls on other programs' windows may cause.

#include <string>

#include "platform/x11/XHeaders.h"

namespace platform::x11 {

struct Atoms {
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;
    Atom wmState = 0;
    Atom netWmName = 0;
    Atom netWmPid = 0;
    Atom netWmState = 0;
    Atom netWmStateAbove = 0;
    Atom netActiveWindow = 0;
    Atom motifWmHints = 0;
    Atom utf8String = 0;
    Atom message = 0;  // a message sent to another program's window
    Atom reply = 0;    // that program's answer
};

class Connection {
  public:
    // Opens the named display, or $DISPLAY when the name is empty. Fails with base::Exception.
    explicit Connection(const std::string& displayName);
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection();

    Display* Get() const { return display_; }
    int ScreenNumber() const { return screen_; }
    Window Root() const { return root_; }
    Visual* ScreenVisual() const { return visual_; }
    int Depth() const { return depth_; }
    Colormap ScreenColormap() const { return colormap_; }
    int Fd() const;
    const Atoms& Names() const { return atoms_; }

  private:
    Display* display_ = nullptr;
    int screen_ = 0;
    Window root_ = 0;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    Colormap colormap_ = 0;
    Atoms atoms_;
};

// Catches the X errors of the requests made during its lifetime instead of ending the
// program; Failed() waits for the server's answer to them.
class ErrorTrap {
  public:
    explicit ErrorTrap(Display* display);
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    ~ErrorTrap();

    bool Failed();

  private:
    Display* display_;
    ErrorTrap* outer_;
    int (*previousHandler_)(Display*, XErrorEvent*);
    bool failed_ = false;

    static int Handle(Display* display, XErrorEvent* error);
    static ErrorTrap* active_;
};

}  // namespace platform::x11
