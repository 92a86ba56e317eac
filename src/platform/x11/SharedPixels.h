#pragma once
// Pixel memory that the X server shares: a window's surface kept here is sent from where the
// program draws it (an image over the same memory), with no copy into an image of its own
// first. Each buffer is a segment of its own, attached to the server when it is made. Where the
// server cannot attach one, that buffer is ordinary memory, and so are all after it.
//
// The connection must outlive every buffer: the backend's windows, whose surfaces hold them,
// go before its connection.

#include <cstddef>
#include <memory>
#include <vector>

#include "gfx/PixelAllocator.h"
#include "platform/x11/Connection.h"

namespace platform::x11 {

class SharedPixels : public gfx::PixelSource {
  public:
    // None where the server has no MIT-SHM, or its images do not keep pixels as gfx bitmaps do
    // (32 bits of 0x00RRGGBB each, in this processor's byte order, rows without padding).
    static std::shared_ptr<SharedPixels> For(const Connection& connection);

    explicit SharedPixels(const Connection& connection) : connection_(connection) {}
    SharedPixels(const SharedPixels&) = delete;
    SharedPixels& operator=(const SharedPixels&) = delete;

    void* Allocate(size_t bytes) override;
    void Free(void* data, size_t bytes) noexcept override;

    // The segment that holds the `bytes` from `data` on, or null.
    const XShmSegmentInfo* SegmentHolding(const void* data, size_t bytes) const;

  private:
    struct Segment {
        XShmSegmentInfo info;
        size_t bytes;
    };

    const Connection& connection_;
    std::vector<Segment> segments_;
    bool attachRefused_ = false;
};

// Whether an image keeps its pixels exactly as a gfx colour bitmap of its width does.
bool KeepsPixelsAsBitmaps(const XImage& image, const Connection& connection);

}  // namespace platform::x11
