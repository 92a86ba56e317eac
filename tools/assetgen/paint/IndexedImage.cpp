#include "IndexedImage.h"

#include <algorithm>
#include <string>

#include "base/Exceptions.h"

namespace assetpaint {

IndexedImage::IndexedImage(int32_t width, int32_t height, uint8_t fill)
    : width_(width), height_(height) {
    if (width < 0 || height < 0) {
        throw base::EInvalidGraphic("IndexedImage: negative size " + std::to_string(width) + " x " +
                                    std::to_string(height));
    }
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

uint8_t IndexedImage::At(int32_t x, int32_t y) const {
    if (!Contains(x, y)) {
        throw base::EListError("IndexedImage: pixel (" + std::to_string(x) + ", " +
                               std::to_string(y) + ") outside the picture");
    }
    return pixels_[Offset(x, y)];
}

void IndexedImage::Set(int32_t x, int32_t y, uint8_t index) {
    if (Contains(x, y)) {
        pixels_[Offset(x, y)] = index;
    }
}

void IndexedImage::FillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t index) {
    const int32_t left = std::max(x, 0);
    const int32_t right = std::min(x + width, width_);
    for (int32_t row = std::max(y, 0); row < std::min(y + height, height_); ++row) {
        for (int32_t column = left; column < right; ++column) {
            pixels_[Offset(column, row)] = index;
        }
    }
}

void IndexedImage::Paste(const IndexedImage& source, int32_t x, int32_t y) {
    for (int32_t row = 0; row < source.height_; ++row) {
        for (int32_t column = 0; column < source.width_; ++column) {
            Set(x + column, y + row, source.pixels_[source.Offset(column, row)]);
        }
    }
}

size_t IndexedImage::Count(uint8_t index) const {
    return static_cast<size_t>(std::count(pixels_.begin(), pixels_.end(), index));
}

}  // namespace assetpaint
