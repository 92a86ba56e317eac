#include "platform/x11/SurfaceImage.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "base/Exceptions.h"

namespace platform::x11 {

struct SurfaceImage::SharedSegment {
    XShmSegmentInfo info{};
};

namespace {

bool HostIsLittleEndian() {
    return std::endian::native == std::endian::little;
}

}  // namespace

SurfaceImage::SurfaceImage(const Connection& connection, int32_t width, int32_t height,
                           bool allowShm)
    : connection_(connection),
      width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      layout_(connection.ScreenVisual()->red_mask, connection.ScreenVisual()->green_mask,
              connection.ScreenVisual()->blue_mask) {
    if (!allowShm || !TryShm()) {
        MakePlain();
    }
}

SurfaceImage::~SurfaceImage() {
    if (shm_) {
        XShmDetach(connection_.Get(), &shm_->info);
        XSync(connection_.Get(), 0);
        shmdt(shm_->info.shmaddr);
        image_->data = nullptr;
    }
    XDestroyImage(image_);
}

bool SurfaceImage::TryShm() {
    Display* display = connection_.Get();
    if (XShmQueryExtension(display) == 0) {
        return false;
    }
    auto segment = std::make_unique<SharedSegment>();
    XImage* image = XShmCreateImage(
        display, connection_.ScreenVisual(), static_cast<unsigned>(connection_.Depth()), ZPixmap,
        nullptr, &segment->info, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
    if (image == nullptr) {
        return false;
    }
    size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height_);
    segment->info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    void* address = segment->info.shmid < 0 ? nullptr : shmat(segment->info.shmid, nullptr, 0);
    if (address == nullptr || address == reinterpret_cast<void*>(-1)) {
        XDestroyImage(image);
        return false;
    }
    segment->info.shmaddr = static_cast<char*>(address);
    segment->info.readOnly = 0;
    image->data = segment->info.shmaddr;
    bool attached = false;
    {
        ErrorTrap trap(display);
        attached = XShmAttach(display, &segment->info) != 0 && !trap.Failed();
    }
    // Marked for removal now; it goes when both sides have let go of it.
    shmctl(segment->info.shmid, IPC_RMID, nullptr);
    if (!attached) {
        shmdt(segment->info.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        return false;
    }
    image_ = image;
    shm_ = std::move(segment);
    return true;
}

void SurfaceImage::MakePlain() {
    image_ = XCreateImage(connection_.Get(), connection_.ScreenVisual(),
                          static_cast<unsigned>(connection_.Depth()), ZPixmap, 0, nullptr,
                          static_cast<unsigned>(width_), static_cast<unsigned>(height_), 32, 0);
    if (image_ == nullptr) {
        throw base::Exception("Cannot make an X image of " + std::to_string(width_) + " x " +
                              std::to_string(height_) + " pixels");
    }
    size_t bytes = static_cast<size_t>(image_->bytes_per_line) * static_cast<size_t>(height_);
    image_->data = static_cast<char*>(std::calloc(bytes, 1));
    if (image_->data == nullptr) {
        XDestroyImage(image_);
        image_ = nullptr;
        throw base::Exception("Out of memory for an X image of " + std::to_string(bytes) +
                              " bytes");
    }
}

void SurfaceImage::CopyRows(const gfx::Bitmap& surface, const gfx::Rect& rect) {
    bool byteOrderMatches = (image_->byte_order == LSBFirst) == HostIsLittleEndian();
    bool direct = layout_.IsNative() && image_->bits_per_pixel == 32 && byteOrderMatches &&
                  !surface.Monochrome();
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        if (direct) {
            char* target = image_->data + static_cast<ptrdiff_t>(y) * image_->bytes_per_line +
                           static_cast<ptrdiff_t>(rect.left) * 4;
            std::memcpy(target, surface.ColourRow(y) + rect.left,
                        static_cast<size_t>(rect.Width()) * 4);
            continue;
        }
        for (int32_t x = rect.left; x < rect.right; ++x) {
            XPutPixel(image_, x, y, layout_.Pack(surface.GetPixel(x, y)));
        }
    }
}

void SurfaceImage::Put(Window window, GC gc, const gfx::Bitmap& surface, const gfx::Rect& rect) {
    gfx::Rect area = gfx::IntersectRect(rect, {0, 0, surface.Width(), surface.Height()});
    area = gfx::IntersectRect(area, {0, 0, width_, height_});
    if (area.IsEmpty()) {
        return;
    }
    CopyRows(surface, area);
    auto w = static_cast<unsigned>(area.Width());
    auto h = static_cast<unsigned>(area.Height());
    if (shm_) {
        XShmPutImage(connection_.Get(), window, gc, image_, area.left, area.top, area.left,
                     area.top, w, h, 0);
    } else {
        XPutImage(connection_.Get(), window, gc, image_, area.left, area.top, area.left, area.top,
                  w, h);
    }
}

}  // namespace platform::x11
