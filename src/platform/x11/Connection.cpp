#include "platform/x11/Connection.h"

#include <cstdio>
#include <cstdlib>

#include "base/Exceptions.h"

namespace platform::x11 {
namespace {

Atom Intern(Display* display, const char* name) {
    return XInternAtom(display, name, 0);
}

// An error outside an ErrorTrap (a window of another program gone meanwhile) is reported and
// the program goes on; Xlib's own handler would end it.
int ReportError(Display* display, XErrorEvent* error) {
    char text[128] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d, resource 0x%lx)\n", text,
                 static_cast<int>(error->request_code), error->resourceid);
    return 0;
}

Atoms InternAll(Display* display) {
    Atoms atoms;
    atoms.wmProtocols = Intern(display, "WM_PROTOCOLS");
    atoms.wmDeleteWindow = Intern(display, "WM_DELETE_WINDOW");
    atoms.wmState = Intern(display, "WM_STATE");
    atoms.netWmName = Intern(display, "_NET_WM_NAME");
    atoms.netWmPid = Intern(display, "_NET_WM_PID");
    atoms.netWmState = Intern(display, "_NET_WM_STATE");
    atoms.netWmStateAbove = Intern(display, "_NET_WM_STATE_ABOVE");
    atoms.netActiveWindow = Intern(display, "_NET_ACTIVE_WINDOW");
    atoms.motifWmHints = Intern(display, "_MOTIF_WM_HINTS");
    atoms.utf8String = Intern(display, "UTF8_STRING");
    atoms.message = Intern(display, "_VELLAMOR_MESSAGE");
    atoms.reply = Intern(display, "_VELLAMOR_REPLY");
    return atoms;
}

}  // namespace

Connection::Connection(const std::string& displayName) {
    display_ = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display_ == nullptr) {
        const char* shown = displayName.empty() ? std::getenv("DISPLAY") : displayName.c_str();
        if (shown == nullptr) {
            throw base::Exception("Cannot open the X display: DISPLAY is not set");
        }
        throw base::Exception(std::string("Cannot open the X display \"") + shown + "\"");
    }
    screen_ = XDefaultScreen(display_);
    root_ = XRootWindow(display_, screen_);
    visual_ = XDefaultVisual(display_, screen_);
    depth_ = XDefaultDepth(display_, screen_);
    colormap_ = XDefaultColormap(display_, screen_);
    atoms_ = InternAll(display_);
    XSetErrorHandler(&ReportError);
    // A held key repeats as presses alone, as on the platform; without this the server sends a
    // release before each repeat, and a push button held down by Space would click early.
    int supported = 0;
    XkbSetDetectableAutoRepeat(display_, 1, &supported);
}

Connection::~Connection() {
    XCloseDisplay(display_);
}

int Connection::Fd() const {
    return XConnectionNumber(display_);
}

ErrorTrap* ErrorTrap::active_ = nullptr;

ErrorTrap::ErrorTrap(Display* display) : display_(display), outer_(active_) {
    XSync(display_, 0);
    active_ = this;
    previousHandler_ = XSetErrorHandler(&ErrorTrap::Handle);
}

ErrorTrap::~ErrorTrap() {
    XSync(display_, 0);
    XSetErrorHandler(previousHandler_);
    active_ = outer_;
}

bool ErrorTrap::Failed() {
    XSync(display_, 0);
    return failed_;
}

int ErrorTrap::Handle(Display* /*display*/, XErrorEvent* /*error*/) {
    if (active_ != nullptr) {
        active_->failed_ = true;
    }
    return 0;
}

}  // namespace platform::x11
