#include "platform/x11/MessageBoxWindow.h"

#include <X11/keysym.h>

#include <algorithm>
#include <sstream>

#include "base/Exceptions.h"
#include "platform/x11/WindowProperties.h"

namespace platform::x11 {
namespace {

constexpr int kMargin = 16;
constexpr int kMinimumWidth = 220;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;

XFontStruct* LoadFont(Display* display) {
    XFontStruct* font = XLoadQueryFont(display, "fixed");
    if (font == nullptr) {
        font = XLoadQueryFont(display, "*");
    }
    if (font == nullptr) {
        throw base::Exception("No X font for the message box");
    }
    return font;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream input(text);
    std::string line;
    while (std::getline(input, line)) {
        lines.push_back(line);
    }
    if (lines.empty()) {
        lines.emplace_back();
    }
    return lines;
}

int TextWidth(XFontStruct* font, const std::string& text) {
    return XTextWidth(font, text.data(), static_cast<int>(text.size()));
}

}  // namespace

MessageBoxWindow::MessageBoxWindow(const Connection& connection, HWND owner,
                                   const std::string& text, const std::string& caption,
                                   bool aboveSaver, int screenWidth, int screenHeight)
    : connection_(connection) {
    Display* display = connection.Get();
    font_ = LoadFont(display);
    Layout(text);
    int screen = connection.ScreenNumber();
    XSetWindowAttributes attributes{};
    attributes.override_redirect = aboveSaver ? 1 : 0;
    attributes.background_pixel = XWhitePixel(display, screen);
    attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                            ButtonReleaseMask | StructureNotifyMask;
    int x = (screenWidth - width_) / 2;
    int y = (screenHeight - height_) / 2;
    window_ = XCreateWindow(display, connection.Root(), x, y, static_cast<unsigned>(width_),
                            static_cast<unsigned>(height_), 1, CopyFromParent, InputOutput,
                            connection.ScreenVisual(),
                            CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    if (window_ == 0) {
        XFreeFont(display, font_);
        throw base::Exception("Cannot make the message box window");
    }
    SetTitle(connection, window_, caption);
    SetClass(connection, window_, "VellamorMessageBox");
    Atom protocols[] = {connection.Names().wmDeleteWindow};
    XSetWMProtocols(display, window_, protocols, 1);
    if (owner != 0) {
        XSetTransientForHint(display, window_, static_cast<::Window>(owner));
    }
    gc_ = XCreateGC(display, window_, 0, nullptr);
    XSetFont(display, gc_, font_->fid);
    XMapRaised(display, window_);
    if (aboveSaver) {
        XSync(display, 0);
        ErrorTrap trap(display);
        XSetInputFocus(display, window_, RevertToParent, CurrentTime);
    }
}

MessageBoxWindow::~MessageBoxWindow() {
    Display* display = connection_.Get();
    XFreeGC(display, gc_);
    XFreeFont(display, font_);
    XDestroyWindow(display, window_);
    XFlush(display);
}

void MessageBoxWindow::Layout(const std::string& text) {
    lines_ = SplitLines(text);
    int textWidth = 0;
    for (const std::string& line : lines_) {
        textWidth = std::max(textWidth, TextWidth(font_, line));
    }
    int lineHeight = font_->ascent + font_->descent;
    width_ = std::max(textWidth + 2 * kMargin, kMinimumWidth);
    int textHeight = lineHeight * static_cast<int>(lines_.size());
    height_ = kMargin + textHeight + kMargin + kButtonHeight + kMargin;
    button_ = gfx::RectFromSize((width_ - kButtonWidth) / 2, height_ - kMargin - kButtonHeight,
                                kButtonWidth, kButtonHeight);
}

void MessageBoxWindow::Draw() {
    Display* display = connection_.Get();
    XSetForeground(display, gc_, XBlackPixel(display, connection_.ScreenNumber()));
    int lineHeight = font_->ascent + font_->descent;
    int baseline = kMargin + font_->ascent;
    for (const std::string& line : lines_) {
        XDrawString(display, window_, gc_, kMargin, baseline, line.data(),
                    static_cast<int>(line.size()));
        baseline += lineHeight;
    }
    XDrawRectangle(display, window_, gc_, button_.left, button_.top,
                   static_cast<unsigned>(button_.Width() - 1),
                   static_cast<unsigned>(button_.Height() - 1));
    int labelX = button_.left + (button_.Width() - TextWidth(font_, "OK")) / 2;
    int labelY = button_.top + (button_.Height() + font_->ascent - font_->descent) / 2;
    XDrawString(display, window_, gc_, labelX, labelY, "OK", 2);
}

void MessageBoxWindow::OnKey(const XKeyEvent& event) {
    XKeyEvent copy = event;
    KeySym key = XLookupKeysym(&copy, 0);
    const bool pressed = event.type == KeyPress;
    if (key == XK_space) {
        done_ = done_ || (!pressed && spaceDown_);
        spaceDown_ = pressed;
    } else if (pressed && (key == XK_Return || key == XK_KP_Enter || key == XK_Escape)) {
        done_ = true;
    }
}

// The X server sends the release to the window that had the press, wherever it happens.
void MessageBoxWindow::OnButton(const XButtonEvent& event) {
    if (event.button != Button1) {
        return;
    }
    if (event.type == ButtonPress) {
        pressedOnOk_ = gfx::PointInRect(button_, event.x, event.y);
        return;
    }
    done_ = done_ || (pressedOnOk_ && gfx::PointInRect(button_, event.x, event.y));
    pressedOnOk_ = false;
}

bool MessageBoxWindow::Handles(const XEvent& event) {
    if (event.xany.window != window_) {
        return false;
    }
    switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) {
                Draw();
            }
            break;
        case KeyPress:
        case KeyRelease:
            OnKey(event.xkey);
            break;
        case ButtonPress:
        case ButtonRelease:
            OnButton(event.xbutton);
            break;
        case ClientMessage:
            done_ = done_ || static_cast<Atom>(event.xclient.data.l[0]) ==
                                 connection_.Names().wmDeleteWindow;
            break;
        default:
            break;
    }
    return true;
}

}  // namespace platform::x11
