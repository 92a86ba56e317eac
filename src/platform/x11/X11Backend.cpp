// Making and ending the X backend.
#include "platform/x11/X11Backend.h"

#include <X11/cursorfont.h>

#include <sstream>

#include "base/Exceptions.h"
#include "platform/x11/MessageBoxWindow.h"
#include "platform/x11/SharedPixels.h"

namespace platform::x11 {
namespace {

// A cursor without a single visible pixel.
Cursor MakeEmptyCursor(const Connection& connection) {
    char bits[1] = {0};
    Pixmap pixmap = XCreateBitmapFromData(connection.Get(), connection.Root(), bits, 1, 1);
    XColor black{};
    Cursor cursor = XCreatePixmapCursor(connection.Get(), pixmap, pixmap, &black, &black, 0, 0);
    XFreePixmap(connection.Get(), pixmap);
    return cursor;
}

// An unmapped window that only receives other programs' answers.
::Window MakeReplyWindow(const Connection& connection) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = 1;
    return XCreateWindow(connection.Get(), connection.Root(), -10, -10, 1, 1, 0, 0, InputOnly,
                         connection.ScreenVisual(), CWOverrideRedirect, &attributes);
}

}  // namespace

X11Backend::X11Backend(X11Options options)
    : options_(std::move(options)), connection_(options_.display), installed_(*this) {
    Display* display = connection_.Get();
    if (options_.daemonWindow) {
        WatchDaemonWindow();  // first: a refusal leaves nothing behind
    }
    if (options_.allowShm) {
        sharedPixels_ = SharedPixels::For(connection_);
    }
    gc_ = XCreateGC(display, connection_.Root(), 0, nullptr);
    emptyCursor_ = MakeEmptyCursor(connection_);
    arrowCursor_ = XCreateFontCursor(display, XC_left_ptr);
    replyWindow_ = MakeReplyWindow(connection_);
    screenWidth_ = XDisplayWidth(display, connection_.ScreenNumber());
    screenHeight_ = XDisplayHeight(display, connection_.ScreenNumber());
    XSelectInput(display, connection_.Root(), StructureNotifyMask);
    XSync(display, 0);  // from here on the server reports what the backend listens for
}

X11Backend::~X11Backend() {
    Display* display = connection_.Get();
    windows_.clear();
    XFreeGC(display, gc_);
    XFreeCursor(display, emptyCursor_);
    XFreeCursor(display, arrowCursor_);
    XDestroyWindow(display, replyWindow_);
    XSync(display, 0);
}

// The size is read again once its changes are watched, so that a change between the first
// read and the watch is not missed.
void X11Backend::WatchDaemonWindow() {
    XWindowAttributes attributes{};
    const auto readAttributes = [&] {
        if (!ForeignAttributes(*options_.daemonWindow, attributes)) {
            std::ostringstream text;
            text << "The daemon's window 0x" << std::hex << *options_.daemonWindow
                 << " does not exist";
            throw base::Exception(text.str());
        }
    };
    readAttributes();
    XSelectInput(connection_.Get(), static_cast<::Window>(*options_.daemonWindow),
                 attributes.your_event_mask | StructureNotifyMask);
    readAttributes();
    daemonBounds_ = {0, 0, attributes.width, attributes.height};
}

}  // namespace platform::x11
