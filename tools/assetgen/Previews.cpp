#include "Previews.h"

#include <algorithm>

namespace assetpaint {

namespace {

constexpr int32_t kGap = 6;
constexpr int32_t kFramesPerLeaf = 16;
constexpr int32_t kIconZoom = 3;
constexpr gfx::Pixel kSheet = gfx::MakePixel(222, 222, 214);

int32_t RowWidth(const FrameTable& frames, size_t first) {
    int32_t width = kGap;
    for (size_t i = first; i < first + kFramesPerLeaf; ++i) {
        width += frames[i].width + kGap;
    }
    return width;
}

void DrawIcon(gfx::Bitmap& sheet, const IconImage& icon, int32_t left, int32_t top) {
    for (int32_t y = 0; y < kIconSize * kIconZoom; ++y) {
        for (int32_t x = 0; x < kIconSize * kIconZoom; ++x) {
            const int32_t ix = x / kIconZoom;
            const int32_t iy = y / kIconZoom;
            if (icon.mask.At(ix, iy) == 0) {
                sheet.SetPixel(left + x, top + y, icon.colours[icon.pixels.At(ix, iy)]);
            }
        }
    }
}

}  // namespace

gfx::Bitmap LeafPreview(const StripBitmap& leaves) {
    const FrameTable& frames = leaves.frames;
    const auto rows = static_cast<int32_t>(frames.size()) / kFramesPerLeaf;
    int32_t width = 0;
    for (int32_t row = 0; row < rows; ++row) {
        width = std::max(width, RowWidth(frames, static_cast<size_t>(row * kFramesPerLeaf)));
    }
    const int32_t rowHeight = leaves.bitmap.Height() + kGap;
    gfx::Bitmap preview(width, rows * rowHeight + kGap);
    preview.Fill(kTileGreen);
    for (size_t i = 0; i < frames.size(); ++i) {
        const auto row = static_cast<int32_t>(i) / kFramesPerLeaf;
        int32_t left = kGap;
        for (size_t j = static_cast<size_t>(row * kFramesPerLeaf); j < i; ++j) {
            left += frames[j].width + kGap;
        }
        const FrameEntry& frame = frames[i];
        for (int32_t y = 0; y < frame.height; ++y) {
            for (int32_t x = 0; x < frame.width; ++x) {
                const gfx::Pixel p = leaves.bitmap.GetPixel(frame.x + x, frame.y + y);
                if (p != kLeafBlue) {
                    preview.SetPixel(left + x, kGap + row * rowHeight + y, p);
                }
            }
        }
    }
    return preview;
}

gfx::Bitmap IconSheet(const std::vector<IconPicture>& icons) {
    const int32_t cell = kIconSize * kIconZoom + 2 * kGap;
    gfx::Bitmap sheet(static_cast<int32_t>(icons.size()) * cell, 2 * cell);
    sheet.Fill(kSheet);
    for (size_t i = 0; i < icons.size(); ++i) {
        const int32_t left = static_cast<int32_t>(i) * cell + kGap;
        DrawIcon(sheet, icons[i].colours16, left, kGap);
        DrawIcon(sheet, icons[i].colours256, left, cell + kGap);
    }
    return sheet;
}

}  // namespace assetpaint
