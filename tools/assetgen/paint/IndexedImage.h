#pragma once
// A picture of palette indices, one byte a pixel, rows top to bottom. The painters work in
// indices so that the stored 8-bit pictures are exact.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetpaint {

class IndexedImage {
  public:
    IndexedImage() = default;
    // A negative size fails with base::EInvalidGraphic.
    IndexedImage(int32_t width, int32_t height, uint8_t fill = 0);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Contains(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }

    // Reading outside the picture fails with base::EListError naming the point.
    uint8_t At(int32_t x, int32_t y) const;
    // Drawing is clipped: a point outside the picture is ignored.
    void Set(int32_t x, int32_t y, uint8_t index);
    void FillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t index);
    // Copies source with its top-left corner at (x, y), clipped.
    void Paste(const IndexedImage& source, int32_t x, int32_t y);

    size_t Count(uint8_t index) const;
    const std::vector<uint8_t>& Pixels() const { return pixels_; }

  private:
    size_t Offset(int32_t x, int32_t y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> pixels_;
};

}  // namespace assetpaint
