#include "XProbe.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "base/Exceptions.h"

namespace app::x11::testing {

XProbe::XProbe(const std::string& displayName) : display_(XOpenDisplay(displayName.c_str())) {
    if (display_ == nullptr) {
        throw base::Exception("cannot connect to " + displayName);
    }
    // A window of the program may go at any moment (it ends); asking about it then is no failure.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

void XProbe::PaintDesktop() {
    const int screen = XDefaultScreen(display_);
    const unsigned width = static_cast<unsigned>(XDisplayWidth(display_, screen));
    const unsigned height = static_cast<unsigned>(XDisplayHeight(display_, screen));
    Pixmap picture = XCreatePixmap(display_, Root(), width, height,
                                   static_cast<unsigned>(XDefaultDepth(display_, screen)));
    GC gc = XCreateGC(display_, picture, 0, nullptr);
    for (unsigned top = 0; top < height; top += 16) {
        XSetForeground(display_, gc, (top / 16) % 2 == 0 ? 0x2050a0UL : 0xe0e0d0UL);
        XFillRectangle(display_, picture, gc, 0, static_cast<int>(top), width, 16);
    }
    XFreeGC(display_, gc);
    XSetWindowBackgroundPixmap(display_, Root(), picture);
    XClearWindow(display_, Root());
    XFreePixmap(display_, picture);
    XSync(display_, False);
}

::Window XProbe::MakeWindow(::Window parent, int width, int height, unsigned long colour) {
    ::Window window = XCreateSimpleWindow(display_, parent, 0, 0, static_cast<unsigned>(width),
                                          static_cast<unsigned>(height), 0, colour, colour);
    XMapWindow(display_, window);
    XSync(display_, False);
    return window;
}

void XProbe::DestroyWindow(::Window window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
}

std::vector<::Window> XProbe::Children(::Window window) {
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    std::vector<::Window> result;
    if (XQueryTree(display_, window, &root, &parent, &children, &count) != 0) {
        result.assign(children, children + count);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return result;
}

std::string XProbe::TextProperty(::Window window, const char* property, const char* type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, property, False), 0, 1024, False,
                           XInternAtom(display_, type, False), &actualType, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && format == 8) {
        text.assign(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return text;
}

std::string XProbe::ClassName(::Window window) {
    XClassHint hint{nullptr, nullptr};
    std::string name;
    if (XGetClassHint(display_, window, &hint) != 0) {
        name = hint.res_class != nullptr ? hint.res_class : "";
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    return name;
}

WindowGeometry XProbe::Geometry(::Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window, &attributes) == 0) {
        return {};
    }
    return {attributes.x, attributes.y, attributes.width, attributes.height,
            attributes.map_state == IsViewable};
}

std::vector<::Window> XProbe::TopLevelsTitled(const std::string& title) {
    std::vector<::Window> found;
    for (::Window window : Children(Root())) {
        if (Geometry(window).mapped && Name(window) == title) {
            found.push_back(window);
        }
    }
    return found;
}

std::vector<uint32_t> XProbe::Capture(::Window window) {
    WindowGeometry size = Geometry(window);
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(size.width),
                              static_cast<unsigned>(size.height), AllPlanes, ZPixmap);
    std::vector<uint32_t> pixels;
    if (image == nullptr) {
        return pixels;
    }
    pixels.reserve(static_cast<size_t>(size.width) * static_cast<size_t>(size.height));
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y) & 0xffffffUL));
        }
    }
    XDestroyImage(image);
    return pixels;
}

void XProbe::WatchMaps() {
    XSelectInput(display_, Root(), SubstructureNotifyMask);
    XSync(display_, False);
}

int XProbe::MapsSeen() {
    XSync(display_, False);
    int maps = 0;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        maps += event.type == MapNotify ? 1 : 0;
    }
    return maps;
}

size_t CountDifferent(const std::vector<uint32_t>& first, const std::vector<uint32_t>& second) {
    if (first.size() != second.size()) {
        return 0;  // one of them could not be read: nothing to compare
    }
    size_t count = 0;
    for (size_t i = 0; i < first.size(); ++i) {
        count += first[i] != second[i] ? 1U : 0U;
    }
    return count;
}

}  // namespace app::x11::testing
