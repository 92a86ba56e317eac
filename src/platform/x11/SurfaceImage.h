#pragma once
// The client-side picture of one window: an XImage of the window's size (in shared memory when
// the server offers MIT-SHM and can attach it), into which presented rectangles of the window's
// surface are copied before they are sent. Nothing is flushed here: the message loop flushes
// once per turn.

#include <cstdint>
#include <memory>

#include "gfx/Bitmap.h"
#include "gfx/Rect.h"
#include "platform/x11/Connection.h"
#include "platform/x11/PixelLayout.h"

namespace platform::x11 {

class SurfaceImage {
  public:
    // Shared memory is tried when allowed; a server that cannot attach it gets plain images.
    SurfaceImage(const Connection& connection, int32_t width, int32_t height, bool allowShm);
    SurfaceImage(const SurfaceImage&) = delete;
    SurfaceImage& operator=(const SurfaceImage&) = delete;
    ~SurfaceImage();

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool UsesShm() const { return shm_ != nullptr; }
    // Copies the rectangle (clipped to both) from the surface and sends it to the window.
    void Put(Window window, GC gc, const gfx::Bitmap& surface, const gfx::Rect& rect);

  private:
    struct SharedSegment;

    bool TryShm();
    void MakePlain();
    void CopyRows(const gfx::Bitmap& surface, const gfx::Rect& rect);

    const Connection& connection_;
    int32_t width_;
    int32_t height_;
    XImage* image_ = nullptr;
    std::unique_ptr<SharedSegment> shm_;
    PixelLayout layout_;
};

}  // namespace platform::x11
