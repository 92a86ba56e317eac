#include "platform/x11/PixelLayout.h"

#include <bit>

namespace platform::x11 {
namespace {

ChannelMask Describe(unsigned long mask) {
    ChannelMask channel{mask, 0, 0};
    while (mask != 0 && (mask & 1u) == 0) {
        mask >>= 1;
        ++channel.shift;
    }
    while ((mask & 1u) != 0) {
        mask >>= 1;
        ++channel.bits;
    }
    return channel;
}

// An 8-bit channel value scaled to the channel's width and put in place.
unsigned long PackChannel(const ChannelMask& channel, uint8_t value) {
    if (channel.bits == 0) {
        return 0;
    }
    unsigned long scaled = channel.bits >= 8
                               ? static_cast<unsigned long>(value) << (channel.bits - 8)
                               : static_cast<unsigned long>(value) >> (8 - channel.bits);
    return (scaled << channel.shift) & channel.mask;
}

uint8_t UnpackChannel(const ChannelMask& channel, unsigned long value) {
    if (channel.bits == 0) {
        return 0;
    }
    unsigned long raw = (value & channel.mask) >> channel.shift;
    if (channel.bits >= 8) {
        return static_cast<uint8_t>(raw >> (channel.bits - 8));
    }
    unsigned long maximum = (1ul << channel.bits) - 1;
    return static_cast<uint8_t>(raw * 255 / maximum);
}

}  // namespace

PixelLayout::PixelLayout(unsigned long redMask, unsigned long greenMask, unsigned long blueMask)
    : red_(Describe(redMask)),
      green_(Describe(greenMask)),
      blue_(Describe(blueMask)),
      native_(redMask == 0xFF0000 && greenMask == 0xFF00 && blueMask == 0xFF) {}

unsigned long PixelLayout::Pack(gfx::Pixel pixel) const {
    return PackChannel(red_, gfx::RedOf(pixel)) | PackChannel(green_, gfx::GreenOf(pixel)) |
           PackChannel(blue_, gfx::BlueOf(pixel));
}

gfx::Pixel PixelLayout::Unpack(unsigned long value) const {
    return gfx::MakePixel(UnpackChannel(red_, value), UnpackChannel(green_, value),
                          UnpackChannel(blue_, value));
}

bool RowsAreGfxRows(const XImage& image, const PixelLayout& layout) {
    const bool hostOrder =
        (image.byte_order == LSBFirst) == (std::endian::native == std::endian::little);
    return layout.IsNative() && image.bits_per_pixel == 32 && hostOrder;
}

}  // namespace platform::x11
