#include "gfx/Bitmap.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <string>

#include "base/Exceptions.h"
#include "gfx/BitmapCount.h"

namespace gfx {

namespace {

void CheckSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0 || width > kMaxBitmapDimension || height > kMaxBitmapDimension ||
        int64_t{width} * height > kMaxBitmapPixels) {
        throw base::EInvalidGraphic("Invalid bitmap size " + std::to_string(width) + " x " +
                                    std::to_string(height));
    }
}

size_t MonoStrideFor(int32_t width) {
    return (static_cast<size_t>(width) + 31) / 32 * 4;
}

// Every constructor that completes counts one; the destructor takes it away.
int64_t liveBitmaps = 0;

// A bitmap's number comes from one atomic counter, so that two bitmaps made on different
// threads never share one (the program draws on one thread; the live count assumes that);
// writes only move a bitmap's own version, which needs none.
std::atomic<uint64_t> madeBitmaps{0};

uint64_t NextIdentity() {
    return madeBitmaps.fetch_add(1, std::memory_order_relaxed) + 1;
}

}  // namespace

int64_t LiveBitmapCount() {
    return liveBitmaps;
}

Bitmap::Bitmap() : canvas_(std::make_unique<Canvas>(*this)), identity_(NextIdentity()) {
    ++liveBitmaps;
}

Bitmap::Bitmap(int32_t width, int32_t height, PixelFormat format)
    : format_(format), canvas_(std::make_unique<Canvas>(*this)), identity_(NextIdentity()) {
    SetSize(width, height);
    ++liveBitmaps;
}

Bitmap::Bitmap(int32_t width, int32_t height, std::shared_ptr<PixelSource> source)
    : colour_(PixelAllocator<Pixel>(std::move(source))),
      canvas_(std::make_unique<Canvas>(*this)),
      identity_(NextIdentity()) {
    SetSize(width, height);
    ++liveBitmaps;
}

Bitmap::Bitmap(const Bitmap& other)
    : width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      monoStride_(other.monoStride_),
      colour_(other.colour_),
      mono_(other.mono_),
      colourTable_(other.colourTable_),
      storedDepth_(other.storedDepth_),
      canvas_(std::make_unique<Canvas>(*this)),
      identity_(NextIdentity()) {
    ++liveBitmaps;
}

Bitmap::Bitmap(Bitmap&& other)
    : width_(other.width_),
      height_(other.height_),
      format_(other.format_),
      monoStride_(other.monoStride_),
      colour_(std::move(other.colour_)),
      mono_(std::move(other.mono_)),
      colourTable_(std::move(other.colourTable_)),
      storedDepth_(other.storedDepth_),
      canvas_(std::make_unique<Canvas>(*this)),
      identity_(NextIdentity()) {
    other.ResetToEmpty();
    ++liveBitmaps;
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        Bitmap copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        width_ = other.width_;
        height_ = other.height_;
        format_ = other.format_;
        monoStride_ = other.monoStride_;
        colour_ = std::move(other.colour_);
        mono_ = std::move(other.mono_);
        colourTable_ = std::move(other.colourTable_);
        storedDepth_ = other.storedDepth_;
        ++version_;
        other.ResetToEmpty();
    }
    return *this;
}

Bitmap::~Bitmap() {
    --liveBitmaps;
}

void Bitmap::ResetToEmpty() {
    ++version_;
    width_ = 0;
    height_ = 0;
    monoStride_ = 0;
    colour_.clear();
    mono_.clear();
    colourTable_.clear();
    storedDepth_ = 0;
}

void Bitmap::SetSize(int32_t width, int32_t height) {
    CheckSize(width, height);
    if (width == width_ && height == height_) {
        return;
    }
    ++version_;
    const int32_t keepWidth = std::min(width, width_);
    const int32_t keepHeight = std::min(height, height_);
    if (format_ == PixelFormat::Colour) {
        ResizeColour(width, height, keepWidth, keepHeight);
    } else {
        ResizeMono(width, height, keepWidth, keepHeight);
    }
    width_ = width;
    height_ = height;
}

void Bitmap::ResizeColour(int32_t width, int32_t height, int32_t keepWidth, int32_t keepHeight) {
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<Pixel, PixelAllocator<Pixel>> pixels(count, kWhite, colour_.get_allocator());
    for (int32_t y = 0; y < keepHeight; ++y) {
        const Pixel* from = colour_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
        std::copy_n(from, keepWidth,
                    pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width));
    }
    colour_ = std::move(pixels);
}

void Bitmap::ResizeMono(int32_t width, int32_t height, int32_t keepWidth, int32_t keepHeight) {
    const size_t stride = MonoStrideFor(width);
    std::vector<uint8_t> bits(stride * static_cast<size_t>(height), 0xFF);
    for (int32_t y = 0; y < keepHeight; ++y) {
        const uint8_t* from = mono_.data() + static_cast<size_t>(y) * monoStride_;
        uint8_t* to = bits.data() + static_cast<size_t>(y) * stride;
        for (int32_t x = 0; x < keepWidth; ++x) {
            SetMonoBitAt(to, x, MonoBitAt(from, x));
        }
    }
    mono_ = std::move(bits);
    monoStride_ = stride;
}

bool Bitmap::Contains(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
}

Pixel Bitmap::GetPixel(int32_t x, int32_t y) const {
    return RowPixels(*this, y).At(x);
}

void Bitmap::SetPixel(int32_t x, int32_t y, Pixel colour) {
    if (!Contains(x, y)) {
        return;
    }
    if (format_ == PixelFormat::Colour) {
        ColourRow(y)[x] = colour & kColourBits;
    } else {
        SetMonoBitAt(MonoRow(y), x, colour == kWhite);
    }
}

void Bitmap::FillRect(const Rect& area, Pixel colour) {
    const Rect inside = IntersectRect(area, {0, 0, width_, height_});
    for (int32_t y = inside.top; y < inside.bottom; ++y) {
        if (format_ == PixelFormat::Colour) {
            std::fill(ColourRow(y) + inside.left, ColourRow(y) + inside.right,
                      colour & kColourBits);
            continue;
        }
        for (int32_t x = inside.left; x < inside.right; ++x) {
            SetMonoBitAt(MonoRow(y), x, colour == kWhite);
        }
    }
}

void Bitmap::Fill(Pixel colour) {
    ++version_;
    if (format_ == PixelFormat::Colour) {
        std::fill(colour_.begin(), colour_.end(), colour & kColourBits);
    } else {
        std::fill(mono_.begin(), mono_.end(), colour == kWhite ? uint8_t{0xFF} : uint8_t{0});
    }
}

void Bitmap::SetStoredForm(int depth, std::vector<Pixel> colourTable) {
    storedDepth_ = depth;
    colourTable_ = std::move(colourTable);
}

}  // namespace gfx
