#include "platform/x11/ScreenCapture.h"

#include <algorithm>

#include "platform/x11/PixelLayout.h"

namespace platform::x11 {
namespace {

// The screen is read in bands of rows, so that the server's reply never holds more than a
// band beside the picture (a whole 1920 x 1080 reply would be another 8 MB at start-up).
constexpr int32_t kBandRows = 64;

// Rows top .. top + image height - 1 of the picture, from the image of that band.
void CopyBand(XImage* image, const PixelLayout& layout, int32_t top, gfx::Bitmap& picture) {
    const bool direct = RowsAreGfxRows(*image, layout);
    for (int32_t y = 0; y < image->height; ++y) {
        gfx::Pixel* row = picture.ColourRow(top + y);
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

// False where the server refuses the band (the area leaves the drawable).
bool ReadBand(const Connection& connection, Drawable drawable, const gfx::Rect& area, int32_t top,
              gfx::Bitmap& picture) {
    const int32_t rows = std::min(kBandRows, picture.Height() - top);
    ErrorTrap trap(connection.Get());
    XImage* image = XGetImage(connection.Get(), drawable, area.left, area.top + top,
                              static_cast<unsigned>(area.Width()), static_cast<unsigned>(rows),
                              AllPlanes, ZPixmap);
    const bool read = !trap.Failed() && image != nullptr;
    if (read) {
        Visual* visual = connection.ScreenVisual();
        CopyBand(image, PixelLayout(visual->red_mask, visual->green_mask, visual->blue_mask), top,
                 picture);
    }
    if (image != nullptr) {
        XDestroyImage(image);
    }
    return read;
}

}  // namespace

gfx::Bitmap CaptureArea(const Connection& connection, Drawable drawable, const gfx::Rect& area) {
    gfx::Bitmap picture(std::max(area.Width(), 0), std::max(area.Height(), 0));
    picture.Fill(gfx::kBlack);
    if (picture.Empty()) {
        return picture;
    }
    // A refused area is black, as the picture was filled; so is the rest after a refused band.
    for (int32_t top = 0; top < picture.Height(); top += kBandRows) {
        if (!ReadBand(connection, drawable, area, top, picture)) {
            break;
        }
    }
    return picture;
}

}  // namespace platform::x11
