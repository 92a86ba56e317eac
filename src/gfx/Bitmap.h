#pragma once
// Bitmaps in memory: colour (32 bits a pixel, 0x00RRGGBB) or monochrome (1 bit a pixel,
// 1 = white, rows padded to 32 bits, leftmost pixel in the top bit of its byte). Each bitmap
// has its canvas (copy mode, background and text colours, clip box), which block transfers use.

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/Canvas.h"
#include "gfx/Pixel.h"
#include "gfx/PixelAllocator.h"

namespace gfx {

enum class PixelFormat : uint8_t { Colour, Mono };

// Which pixels a bitmap holds: two equal stamps name the same bitmap with the same pixels.
// Every way of writing pixels moves a bitmap's stamp on (its non-const rows included, which
// is how the raster code writes), so what was worked out from a bitmap's pixels can be kept
// with its stamp and trusted while the stamp stays.
struct PixelStamp {
    uint64_t bitmap = 0;   // one number for each bitmap object ever made
    uint64_t version = 0;  // moves on with each write
    bool operator==(const PixelStamp&) const = default;
};

// The largest bitmap made in memory: each side at most 32767, at most 2^28 pixels in all.
inline constexpr int32_t kMaxBitmapDimension = 32767;
inline constexpr int64_t kMaxBitmapPixels = int64_t{1} << 28;

// Bit x of a monochrome row (leftmost pixel in the top bit of its byte).
inline bool MonoBitAt(const uint8_t* row, int32_t x) {
    return ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0;
}
inline void SetMonoBitAt(uint8_t* row, int32_t x, bool white) {
    const auto bit = static_cast<uint8_t>(0x80 >> (x & 7));
    row[x >> 3] = static_cast<uint8_t>(white ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
}

class Bitmap {
  public:
    Bitmap();  // an empty colour bitmap (0 x 0)
    Bitmap(int32_t width, int32_t height, PixelFormat format = PixelFormat::Colour);
    // A colour bitmap whose pixels (now and after each resize) come from the source. A copy of
    // it keeps its pixels in ordinary memory; one it is assigned from brings its own memory.
    Bitmap(int32_t width, int32_t height, std::shared_ptr<PixelSource> source);
    // A copy has the same pixels and colour table and a fresh canvas with default settings.
    Bitmap(const Bitmap& other);
    // Assignment replaces pixels, colour table and stored form; this bitmap keeps its own canvas
    // object and its settings, so references to the canvas stay valid.
    Bitmap& operator=(const Bitmap& other);
    // A moved-from bitmap is left empty (0 x 0) with its canvas.
    Bitmap(Bitmap&& other);
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap();

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    bool Monochrome() const { return format_ == PixelFormat::Mono; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    bool Contains(int32_t x, int32_t y) const;

    // Resizing keeps the pixels of the common top-left area; new pixels are white.
    // A negative or too large size fails with base::EInvalidGraphic.
    void SetWidth(int32_t width) { SetSize(width, height_); }
    void SetHeight(int32_t height) { SetSize(width_, height); }
    void SetSize(int32_t width, int32_t height);

    // kNoPixel outside the bitmap. Monochrome pixels read as kWhite or kBlack. Read through
    // RowPixels (below), which holds this rule for whole rows.
    Pixel GetPixel(int32_t x, int32_t y) const;
    // Outside the bitmap nothing happens. A monochrome pixel becomes 1 exactly for kWhite.
    void SetPixel(int32_t x, int32_t y, Pixel colour);
    void Fill(Pixel colour);
    // Fills the part of `area` inside the bitmap, as SetPixel would pixel by pixel.
    void FillRect(const Rect& area, Pixel colour);

    // Raw rows for the raster kernels; y must lie inside the bitmap. Inline: the kernels ask
    // for them once a row. The non-const rows may be written, so they move the stamp on.
    Pixel* ColourRow(int32_t y) {
        ++version_;
        return colour_.data() + RowOffset(y, ColourStride());
    }
    const Pixel* ColourRow(int32_t y) const {
        return colour_.data() + RowOffset(y, ColourStride());
    }
    uint8_t* MonoRow(int32_t y) {
        ++version_;
        return mono_.data() + RowOffset(y, monoStride_);
    }
    const uint8_t* MonoRow(int32_t y) const { return mono_.data() + RowOffset(y, monoStride_); }
    // From one row to the next: pixels of a colour bitmap, bytes of a monochrome one.
    size_t ColourStride() const { return static_cast<size_t>(width_); }
    size_t MonoStride() const { return monoStride_; }

    // The colour table and depth of the stored picture this bitmap was read from (empty and 0
    // for a bitmap made in memory); a writer uses them to store the picture as it was.
    const std::vector<Pixel>& ColourTable() const { return colourTable_; }
    int StoredDepth() const { return storedDepth_; }
    void SetStoredForm(int depth, std::vector<Pixel> colourTable);

    Canvas& GetCanvas() { return *canvas_; }
    const Canvas& GetCanvas() const { return *canvas_; }

    PixelStamp Stamp() const { return {identity_, version_}; }

  private:
    template <class Stride>
    static size_t RowOffset(int32_t y, Stride stride) {
        return static_cast<size_t>(y) * static_cast<size_t>(stride);
    }
    void ResetToEmpty();
    void ResizeColour(int32_t width, int32_t height, int32_t keepWidth, int32_t keepHeight);
    void ResizeMono(int32_t width, int32_t height, int32_t keepWidth, int32_t keepHeight);

    int32_t width_ = 0;
    int32_t height_ = 0;
    PixelFormat format_ = PixelFormat::Colour;
    size_t monoStride_ = 0;
    std::vector<Pixel, PixelAllocator<Pixel>> colour_;  // width * height pixels, rows top to bottom
    std::vector<uint8_t> mono_;                         // monoStride * height bytes
    std::vector<Pixel> colourTable_;
    int storedDepth_ = 0;
    std::unique_ptr<Canvas> canvas_;
    uint64_t identity_;
    uint64_t version_ = 0;
};

// Row y of a bitmap read pixel by pixel, the row found once: kNoPixel outside the bitmap, kWhite
// or kBlack for a monochrome pixel. Bitmap::GetPixel reads through it; code that reads many
// pixels of one row uses it directly, where a call per pixel would be most of the cost. It
// points into the bitmap's pixels: valid until the bitmap is resized, assigned or destroyed.
class RowPixels {
  public:
    RowPixels(const Bitmap& bitmap, int32_t y) {
        if (y < 0 || y >= bitmap.Height()) {
            return;
        }
        width_ = bitmap.Width();
        if (bitmap.Monochrome()) {
            mono_ = bitmap.MonoRow(y);
        } else {
            colour_ = bitmap.ColourRow(y);
        }
    }

    Pixel At(int32_t x) const {
        if (x < 0 || x >= width_) {
            return kNoPixel;
        }
        if (colour_ != nullptr) {
            return colour_[x];
        }
        return MonoBitAt(mono_, x) ? kWhite : kBlack;
    }

  private:
    const Pixel* colour_ = nullptr;
    const uint8_t* mono_ = nullptr;
    int32_t width_ = 0;  // 0 for a row outside the bitmap
};

}  // namespace gfx
