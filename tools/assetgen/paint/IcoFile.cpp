#include <string>

#include "Icons.h"
#include "base/Exceptions.h"

namespace assetpaint {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kDirectorySize = 6;
constexpr uint32_t kEntrySize = 16;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFFU);
    Put16(out, value >> 16);
}

uint32_t RowBytes(uint32_t bitsPerRow) {
    return (bitsPerRow + 31) / 32 * 4;
}

void Check(const IconImage& image, int bitsPerPixel) {
    const size_t entries = size_t{1} << bitsPerPixel;
    if (image.bitsPerPixel != bitsPerPixel || image.colours.size() != entries ||
        image.pixels.Width() != kIconSize || image.pixels.Height() != kIconSize ||
        image.mask.Width() != kIconSize || image.mask.Height() != kIconSize) {
        throw base::EInvalidGraphic("EncodeIco: the " + std::to_string(bitsPerPixel) +
                                    "-bit image is not a 32 x 32 icon with " +
                                    std::to_string(entries) + " colours");
    }
    for (const uint8_t index : image.pixels.Pixels()) {
        if (index >= entries) {
            throw base::EInvalidGraphic("EncodeIco: a pixel lies beyond the colour table");
        }
    }
}

uint32_t ImageBytes(const IconImage& image) {
    const auto bits = static_cast<uint32_t>(image.bitsPerPixel);
    return kInfoHeaderSize + 4 * static_cast<uint32_t>(image.colours.size()) +
           (RowBytes(kIconSize * bits) + RowBytes(kIconSize)) * kIconSize;
}

// Rows bottom to top, pixels packed from the high bits of each byte.
void PutBits(std::vector<uint8_t>& out, const IndexedImage& picture, uint32_t bits) {
    const uint32_t rowBytes = RowBytes(kIconSize * bits);
    for (int32_t y = kIconSize - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int32_t x = 0; x < kIconSize; ++x) {
            const uint32_t bit = static_cast<uint32_t>(x) * bits;
            const uint32_t shift = 8 - bits - bit % 8;
            row[bit / 8] = static_cast<uint8_t>(row[bit / 8] | (picture.At(x, y) << shift));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

void PutImage(std::vector<uint8_t>& out, const IconImage& image) {
    const auto bits = static_cast<uint32_t>(image.bitsPerPixel);
    Put32(out, kInfoHeaderSize);
    Put32(out, kIconSize);
    Put32(out, 2 * kIconSize);  // colour rows and mask rows together
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);
    Put32(out,
          ImageBytes(image) - kInfoHeaderSize - 4 * static_cast<uint32_t>(image.colours.size()));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (const gfx::Pixel colour : image.colours) {
        out.push_back(gfx::BlueOf(colour));
        out.push_back(gfx::GreenOf(colour));
        out.push_back(gfx::RedOf(colour));
        out.push_back(0);
    }
    PutBits(out, image.pixels, bits);
    PutBits(out, image.mask, 1);
}

void PutEntry(std::vector<uint8_t>& out, const IconImage& image, uint32_t offset) {
    out.push_back(kIconSize);
    out.push_back(kIconSize);
    out.push_back(image.bitsPerPixel == 4 ? 16 : 0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(image.bitsPerPixel));
    Put32(out, ImageBytes(image));
    Put32(out, offset);
}

}  // namespace

std::vector<uint8_t> EncodeIco(const IconPicture& icon) {
    Check(icon.colours16, 4);
    Check(icon.colours256, 8);
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 2);
    const uint32_t first = kDirectorySize + 2 * kEntrySize;
    PutEntry(out, icon.colours16, first);
    PutEntry(out, icon.colours256, first + ImageBytes(icon.colours16));
    PutImage(out, icon.colours16);
    PutImage(out, icon.colours256);
    return out;
}

}  // namespace assetpaint
