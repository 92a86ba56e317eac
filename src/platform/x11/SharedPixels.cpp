#include "platform/x11/SharedPixels.h"

#include <algorithm>
#include <cstdint>

#include "platform/x11/PixelLayout.h"
#include "platform/x11/SharedSegment.h"

namespace platform::x11 {

bool KeepsPixelsAsBitmaps(const XImage& image, const Connection& connection) {
    const Visual& visual = *connection.ScreenVisual();
    return RowsAreGfxRows(image,
                          PixelLayout(visual.red_mask, visual.green_mask, visual.blue_mask)) &&
           image.bytes_per_line == image.width * 4;
}

std::shared_ptr<SharedPixels> SharedPixels::For(const Connection& connection) {
    Display* display = connection.Get();
    if (XShmQueryExtension(display) == 0) {
        return nullptr;
    }
    // An image header without pixels tells the format the server wants.
    XShmSegmentInfo none{};
    XImage* probe =
        XShmCreateImage(display, connection.ScreenVisual(),
                        static_cast<unsigned>(connection.Depth()), ZPixmap, nullptr, &none, 16, 1);
    if (probe == nullptr) {
        return nullptr;
    }
    const bool fits = KeepsPixelsAsBitmaps(*probe, connection);
    XDestroyImage(probe);
    return fits ? std::make_shared<SharedPixels>(connection) : nullptr;
}

void* SharedPixels::Allocate(size_t bytes) {
    if (!attachRefused_) {
        if (auto info = AttachSharedSegment(connection_.Get(), bytes)) {
            segments_.push_back({*info, bytes});
            return info->shmaddr;
        }
        attachRefused_ = true;
    }
    return gfx::AllocatePixelBuffer(bytes);
}

void SharedPixels::Free(void* data, size_t bytes) noexcept {
    auto held = std::find_if(segments_.begin(), segments_.end(),
                             [data](const Segment& s) { return s.info.shmaddr == data; });
    if (held == segments_.end()) {
        gfx::FreePixelBuffer(data, bytes);
        return;
    }
    DetachSharedSegment(connection_.Get(), held->info);
    segments_.erase(held);
}

const XShmSegmentInfo* SharedPixels::SegmentHolding(const void* data, size_t bytes) const {
    const auto begin = reinterpret_cast<uintptr_t>(data);
    for (const Segment& segment : segments_) {
        const auto start = reinterpret_cast<uintptr_t>(segment.info.shmaddr);
        if (begin >= start && begin - start <= segment.bytes &&
            bytes <= segment.bytes - (begin - start)) {
            return &segment.info;
        }
    }
    return nullptr;
}

}  // namespace platform::x11
