#include "platform/x11/SurfaceImage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/Exceptions.h"
#include "platform/x11/SharedPixels.h"
#include "platform/x11/SharedSegment.h"

namespace platform::x11 {

struct SurfaceImage::Segment {
    XShmSegmentInfo info{};
};

namespace {

const gfx::Pixel* PixelsOf(const gfx::Bitmap& surface) {
    return surface.ColourRow(0);
}

size_t BytesOf(const gfx::Bitmap& surface) {
    return static_cast<size_t>(surface.Width()) * static_cast<size_t>(surface.Height()) *
           sizeof(gfx::Pixel);
}

}  // namespace

SurfaceImage::SurfaceImage(const Connection& connection, const gfx::Bitmap& surface,
                           const SharedPixels* shared, bool allowShm)
    : connection_(connection),
      width_(std::max(surface.Width(), 1)),
      height_(std::max(surface.Height(), 1)),
      layout_(connection.ScreenVisual()->red_mask, connection.ScreenVisual()->green_mask,
              connection.ScreenVisual()->blue_mask) {
    if (TryView(surface, shared)) {
        return;
    }
    if (!allowShm || !TryShm()) {
        MakePlain();
    }
}

SurfaceImage::~SurfaceImage() {
    if (shm_ && !view_) {
        DetachSharedSegment(connection_.Get(), shm_->info);
    }
    if (shm_) {
        image_->data = nullptr;  // the segment's, not the image's
    }
    XDestroyImage(image_);
}

bool SurfaceImage::Fits(const gfx::Bitmap& surface, const SharedPixels* shared) const {
    if (surface.Width() != width_ || surface.Height() != height_) {
        return false;
    }
    if (!view_) {
        return true;
    }
    const XShmSegmentInfo* segment =
        shared == nullptr ? nullptr : shared->SegmentHolding(PixelsOf(surface), BytesOf(surface));
    return segment != nullptr && segment->shmseg == shm_->info.shmseg &&
           image_->data == reinterpret_cast<const char*>(PixelsOf(surface));
}

// A view needs the surface's pixels in a live segment, laid out as the server's images are.
bool SurfaceImage::TryView(const gfx::Bitmap& surface, const SharedPixels* shared) {
    if (shared == nullptr || surface.Empty() || surface.Monochrome()) {
        return false;
    }
    const XShmSegmentInfo* segment = shared->SegmentHolding(PixelsOf(surface), BytesOf(surface));
    if (segment == nullptr) {
        return false;
    }
    auto view = std::make_unique<Segment>();
    view->info = *segment;
    XImage* image =
        XShmCreateImage(connection_.Get(), connection_.ScreenVisual(),
                        static_cast<unsigned>(connection_.Depth()), ZPixmap, nullptr, &view->info,
                        static_cast<unsigned>(width_), static_cast<unsigned>(height_));
    if (image == nullptr) {
        return false;
    }
    if (!KeepsPixelsAsBitmaps(*image, connection_)) {
        XDestroyImage(image);
        return false;
    }
    image->data = const_cast<char*>(reinterpret_cast<const char*>(PixelsOf(surface)));
    image_ = image;
    shm_ = std::move(view);
    view_ = true;
    return true;
}

bool SurfaceImage::TryShm() {
    Display* display = connection_.Get();
    if (XShmQueryExtension(display) == 0) {
        return false;
    }
    auto segment = std::make_unique<Segment>();
    XImage* image = XShmCreateImage(
        display, connection_.ScreenVisual(), static_cast<unsigned>(connection_.Depth()), ZPixmap,
        nullptr, &segment->info, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
    if (image == nullptr) {
        return false;
    }
    size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height_);
    std::optional<XShmSegmentInfo> attached = AttachSharedSegment(display, bytes);
    if (!attached) {
        XDestroyImage(image);
        return false;
    }
    segment->info = *attached;
    image->data = segment->info.shmaddr;
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
    const bool direct = RowsAreGfxRows(*image_, layout_) && !surface.Monochrome();
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
    if (!view_) {
        CopyRows(surface, area);
    }
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
