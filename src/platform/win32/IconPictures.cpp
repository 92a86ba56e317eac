#include "platform/win32/IconPictures.h"

#include <algorithm>

#include "base/Exceptions.h"
#include "platform/win32/DibTransfer.h"

namespace platform::win32 {
namespace {

struct BitmapSize {
    int32_t width = 0;
    int32_t height = 0;
};

BitmapSize SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    if (::GetObjectA(bitmap, sizeof(info), &info) == 0) {
        throw base::Exception("GetObjectA cannot describe an icon bitmap");
    }
    return {info.bmWidth, info.bmHeight};
}

// Frees the bitmaps GetIconInfo hands over.
class IconBitmaps {
  public:
    explicit IconBitmaps(::HICON icon) {
        if (::GetIconInfo(icon, &info_) == 0) {
            throw base::Exception("GetIconInfo cannot describe the icon");
        }
    }
    IconBitmaps(const IconBitmaps&) = delete;
    IconBitmaps& operator=(const IconBitmaps&) = delete;
    ~IconBitmaps() {
        ::DeleteObject(info_.hbmMask);
        if (info_.hbmColor != nullptr) {
            ::DeleteObject(info_.hbmColor);
        }
    }
    HBITMAP Mask() const { return info_.hbmMask; }
    HBITMAP Colour() const { return info_.hbmColor; }

  private:
    ICONINFO info_{};
};

// Icons with an alpha channel mark transparency there; others in their mask.
bool HasAlpha(const std::vector<uint32_t>& pixels) {
    return std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p >> 24) != 0; });
}

Icon Compose(const std::vector<uint32_t>& colour, const std::vector<uint32_t>& mask,
             BitmapSize size) {
    Icon icon{gfx::Bitmap(size.width, size.height),
              gfx::Bitmap(size.width, size.height, gfx::PixelFormat::Mono)};
    bool alpha = HasAlpha(colour);
    for (int32_t y = 0; y < size.height; ++y) {
        for (int32_t x = 0; x < size.width; ++x) {
            size_t i =
                static_cast<size_t>(y) * static_cast<size_t>(size.width) + static_cast<size_t>(x);
            bool transparent = alpha ? (colour[i] >> 24) == 0 : (mask[i] & gfx::kColourBits) != 0;
            icon.image.SetPixel(x, y, transparent ? gfx::kBlack : colour[i] & gfx::kColourBits);
            icon.mask.SetPixel(x, y, transparent ? gfx::kWhite : gfx::kBlack);
        }
    }
    return icon;
}

}  // namespace

// A monochrome icon keeps both planes in its mask bitmap: the AND plane above the XOR plane.
Icon ReadIconPictures(::HICON icon) {
    IconBitmaps bitmaps(icon);
    BitmapSize maskSize = SizeOf(bitmaps.Mask());
    if (bitmaps.Colour() == nullptr) {
        BitmapSize size{maskSize.width, maskSize.height / 2};
        std::vector<uint32_t> planes =
            ReadDibPixels(bitmaps.Mask(), maskSize.width, maskSize.height);
        auto half = planes.begin() + static_cast<std::ptrdiff_t>(planes.size() / 2);
        return Compose(std::vector<uint32_t>(half, planes.end()),
                       std::vector<uint32_t>(planes.begin(), half), size);
    }
    BitmapSize size = SizeOf(bitmaps.Colour());
    if (size.width <= 0 || size.height <= 0 || size.width > 256 || size.height > 256) {
        throw base::Exception("an icon of " + std::to_string(size.width) + " x " +
                              std::to_string(size.height) + " pixels is not supported");
    }
    return Compose(ReadDibPixels(bitmaps.Colour(), size.width, size.height),
                   ReadDibPixels(bitmaps.Mask(), size.width, size.height), size);
}

}  // namespace platform::win32
