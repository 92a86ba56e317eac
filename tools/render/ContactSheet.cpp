#include "ContactSheet.h"

#include <algorithm>
#include <utility>

#include "gfx/Raster.h"

namespace render {

namespace {

constexpr int32_t kGap = 6;
constexpr gfx::Pixel kSheetColour = gfx::MakePixel(24, 24, 24);

// The average of the source pixels under one thumbnail pixel, so fine detail stays smooth
// instead of the sparkle of a nearest-pixel reduction.
gfx::Pixel AverageOf(const gfx::Bitmap& source, int32_t left, int32_t top, int32_t right,
                     int32_t bottom) {
    uint64_t r = 0, g = 0, b = 0, n = 0;
    for (int32_t y = top; y < bottom; ++y) {
        const gfx::Pixel* row = source.ColourRow(y);
        for (int32_t x = left; x < right; ++x) {
            r += gfx::RedOf(row[x]);
            g += gfx::GreenOf(row[x]);
            b += gfx::BlueOf(row[x]);
            ++n;
        }
    }
    n = std::max<uint64_t>(n, 1);
    return gfx::MakePixel(static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n),
                          static_cast<uint8_t>(b / n));
}

}  // namespace

gfx::Bitmap MakeThumbnail(const gfx::Bitmap& shot, int32_t side) {
    if (shot.Empty()) {
        return gfx::Bitmap();
    }
    side = std::max(side, 1);
    const auto scaled = [side](int32_t length, int32_t by) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{side} * length / by, 1, side));
    };
    const bool wide = shot.Width() >= shot.Height();
    const int32_t width = wide ? side : scaled(shot.Width(), shot.Height());
    const int32_t height = wide ? scaled(shot.Height(), shot.Width()) : side;
    gfx::Bitmap thumbnail(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const int32_t top = y * shot.Height() / height;
        const int32_t bottom = std::max(top + 1, (y + 1) * shot.Height() / height);
        for (int32_t x = 0; x < width; ++x) {
            const int32_t left = x * shot.Width() / width;
            const int32_t right = std::max(left + 1, (x + 1) * shot.Width() / width);
            thumbnail.SetPixel(x, y, AverageOf(shot, left, top, right, bottom));
        }
    }
    return thumbnail;
}

SheetThumbnails::SheetThumbnails(size_t limit, int32_t side)
    : limit_(std::max<size_t>(limit, 2)), side_(std::max(side, 1)) {}

void SheetThumbnails::Offer(const gfx::Bitmap& shot) {
    const size_t index = offered_++;
    if (index % stride_ != 0) {
        return;
    }
    if (kept_.size() == limit_) {
        for (size_t i = 1; 2 * i < kept_.size(); ++i) {
            kept_[i] = std::move(kept_[2 * i]);
        }
        kept_.resize((kept_.size() + 1) / 2);
        stride_ *= 2;
        if (index % stride_ != 0) {
            return;
        }
    }
    kept_.push_back(MakeThumbnail(shot, side_));
}

gfx::Bitmap MakeContactSheet(const std::vector<gfx::Bitmap>& thumbnails, int32_t columns) {
    if (thumbnails.empty() || columns < 1 || thumbnails.front().Empty()) {
        return gfx::Bitmap();
    }
    const int32_t thumbWidth = thumbnails.front().Width();
    const int32_t thumbHeight = thumbnails.front().Height();
    const auto count = static_cast<int32_t>(thumbnails.size());
    const int32_t used = std::min(columns, count);
    const int32_t rows = (count + columns - 1) / columns;
    gfx::Bitmap sheet(kGap + used * (thumbWidth + kGap), kGap + rows * (thumbHeight + kGap));
    sheet.Fill(kSheetColour);
    for (int32_t i = 0; i < count; ++i) {
        const gfx::Bitmap& thumbnail = thumbnails[static_cast<size_t>(i)];
        gfx::BitBlt(sheet.GetCanvas(), kGap + (i % columns) * (thumbWidth + kGap),
                    kGap + (i / columns) * (thumbHeight + kGap), thumbnail.Width(),
                    thumbnail.Height(), &thumbnail.GetCanvas(), 0, 0, gfx::Rop::SrcCopy);
    }
    return sheet;
}

}  // namespace render
