#include "platform/x11/ScreenCapture.h"

#include <algorithm>
#include <bit>

#include "platform/x11/PixelLayout.h"

namespace platform::x11 {
namespace {

void CopyImage(XImage* image, const PixelLayout& layout, gfx::Bitmap& picture) {
    bool direct = layout.IsNative() && image->bits_per_pixel == 32 &&
                  (image->byte_order == LSBFirst) == (std::endian::native == std::endian::little);
    for (int32_t y = 0; y < picture.Height(); ++y) {
        gfx::Pixel* row = picture.ColourRow(y);
        if (direct) {
            const auto* source = reinterpret_cast<const uint32_t*>(
                image->data + static_cast<ptrdiff_t>(y) * image->bytes_per_line);
            std::transform(source, source + picture.Width(), row,
                           [](uint32_t value) { return value & gfx::kColourBits; });
            continue;
        }
        for (int32_t x = 0; x < picture.Width(); ++x) {
            row[x] = layout.Unpack(XGetPixel(image, x, y));
        }
    }
}

}  // namespace

gfx::Bitmap CaptureArea(const Connection& connection, Drawable drawable, const gfx::Rect& area) {
    gfx::Bitmap picture(std::max(area.Width(), 0), std::max(area.Height(), 0));
    picture.Fill(gfx::kBlack);
    if (picture.Empty()) {
        return picture;
    }
    ErrorTrap trap(connection.Get());
    XImage* image = XGetImage(connection.Get(), drawable, area.left, area.top,
                              static_cast<unsigned>(area.Width()),
                              static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap);
    if (trap.Failed() || image == nullptr) {
        if (image != nullptr) {
            XDestroyImage(image);
        }
        return picture;
    }
    Visual* visual = connection.ScreenVisual();
    CopyImage(image, PixelLayout(visual->red_mask, visual->green_mask, visual->blue_mask), picture);
    XDestroyImage(image);
    return picture;
}

}  // namespace platform::x11
