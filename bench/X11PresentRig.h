#pragma once
// A window of the X11 backend on a private X server, for timing presents: the backend with
// or without MIT-SHM, one top-level window of the screen's size whose surface holds a
// picture, and a present of any rectangle followed by the flush or the sync that sends it.
// Only one rig's window is mapped at a time (Activate), so no present lands on a window that
// another covers.

#include <sys/types.h>

#include <cstdint>
#include <string>

#include "gfx/Rect.h"
#include "platform/x11/X11Backend.h"

namespace bench {

enum class Delivery {
    Flush,  // handed to the server, as the message loop does once per turn
    Sync,   // and waited for until the server has done it
};

class X11PresentRig {
  public:
    // Fails with base::Exception when the display cannot be opened.
    X11PresentRig(const std::string& display, bool allowShm, int32_t width, int32_t height);
    ~X11PresentRig();
    X11PresentRig(const X11PresentRig&) = delete;
    X11PresentRig& operator=(const X11PresentRig&) = delete;

    // Maps this rig's window and unmaps the one mapped before, when it is another's.
    void Activate();
    // PresentRect of the window's surface, then the flush or the sync.
    void Present(const gfx::Rect& rect, Delivery delivery);
    // Waits until the server has done every request sent so far.
    void Sync();
    bool UsesShm() const { return backend_.UsesShm(hwnd_); }
    // The X server's process, from the connection's socket (0 when it cannot be told).
    pid_t ServerPid() const;

  private:
    void Show(bool shown);
    void CheckShown();

    platform::x11::X11Backend backend_;
    platform::HWND hwnd_ = 0;
};

}  // namespace bench
