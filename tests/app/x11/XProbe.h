#pragma once
// The test's own X connection: it paints the desktop, makes windows for the program to live in,
// and reads back what the server holds (window tree, names, classes, geometry, pixels).

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace app::x11::testing {

struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool mapped = false;
    bool operator==(const WindowGeometry&) const = default;
};

class XProbe {
  public:
    explicit XProbe(const std::string& displayName);
    XProbe(const XProbe&) = delete;
    XProbe& operator=(const XProbe&) = delete;
    ~XProbe() { XCloseDisplay(display_); }

    ::Window Root() const { return XDefaultRootWindow(display_); }
    // Stripes of two colours as the root's background: a desktop picture the saver must cover.
    void PaintDesktop();
    // A mapped window filled with one colour.
    ::Window MakeWindow(::Window parent, int width, int height, unsigned long colour);
    void DestroyWindow(::Window window);

    std::vector<::Window> Children(::Window window);
    std::string Name(::Window window) { return TextProperty(window, "WM_NAME", "STRING"); }
    std::string NetName(::Window window) {
        return TextProperty(window, "_NET_WM_NAME", "UTF8_STRING");
    }
    std::string ClassName(::Window window);
    WindowGeometry Geometry(::Window window);
    // The mapped child of the root titled so (WM_NAME); several when there are several.
    std::vector<::Window> TopLevelsTitled(const std::string& title);
    // The window's pixels, row by row, as the server holds them now.
    std::vector<uint32_t> Capture(::Window window);

    // From now on the root's children being mapped are counted (MapNotify).
    void WatchMaps();
    int MapsSeen();

  private:
    std::string TextProperty(::Window window, const char* property, const char* type);

    Display* display_ = nullptr;
};

// How many of two equally long pictures' pixels differ; 0 when their sizes differ.
size_t CountDifferent(const std::vector<uint32_t>& first, const std::vector<uint32_t>& second);

}  // namespace app::x11::testing
