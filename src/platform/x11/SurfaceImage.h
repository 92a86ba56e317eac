#pragma once
// The X image through which one window's surface is presented. Where the surface lies in a
// segment the server shares (SharedPixels), the image is a view of the surface itself and a
// present sends only the request. Otherwise it is an image of the window's size of its own (in
// shared memory when the server offers MIT-SHM and can attach it), into which presented
// rectangles are copied before they are sent. Nothing is flushed here: the message loop
// flushes once per turn.

#include <cstdint>
#include <memory>

#include "gfx/Bitmap.h"
#include "gfx/Rect.h"
#include "platform/x11/Connection.h"
#include "platform/x11/PixelLayout.h"

namespace platform::x11 {

class SharedPixels;

class SurfaceImage {
  public:
    // An image for the surface as it is now (not empty). Shared memory of its own is tried
    // when allowed; a server that cannot attach it gets a plain image.
    SurfaceImage(const Connection& connection, const gfx::Bitmap& surface,
                 const SharedPixels* shared, bool allowShm);
    SurfaceImage(const SurfaceImage&) = delete;
    SurfaceImage& operator=(const SurfaceImage&) = delete;
    ~SurfaceImage();

    // Whether this image still serves the surface: the same size and, for a view, the same
    // pixels in the same live segment. A surface that changed needs a new image.
    bool Fits(const gfx::Bitmap& surface, const SharedPixels* shared) const;
    bool UsesShm() const { return shm_ != nullptr; }
    // The image is a view of the surface: presents copy nothing.
    bool ViewsSurface() const { return view_; }
    // Sends the rectangle (clipped to both) of the surface to the window.
    void Put(Window window, GC gc, const gfx::Bitmap& surface, const gfx::Rect& rect);

  private:
    struct Segment;

    bool TryView(const gfx::Bitmap& surface, const SharedPixels* shared);
    bool TryShm();
    void MakePlain();
    void CopyRows(const gfx::Bitmap& surface, const gfx::Rect& rect);

    const Connection& connection_;
    int32_t width_;
    int32_t height_;
    XImage* image_ = nullptr;
    std::unique_ptr<Segment> shm_;  // the image's segment, its own or the surface's
    bool view_ = false;
    PixelLayout layout_;
};

}  // namespace platform::x11
