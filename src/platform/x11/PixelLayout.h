#pragma once
// How the screen's visual packs a colour into a pixel value, and the conversions between that
// and gfx pixels (0x00RRGGBB). Most screens use 0x00RRGGBB themselves, the fast case.

#include <cstdint>

#include "gfx/Pixel.h"
#include "platform/x11/XHeaders.h"

namespace platform::x11 {

struct ChannelMask {
    unsigned long mask = 0;
    int shift = 0;  // of the channel's lowest bit
    int bits = 0;
};

class PixelLayout {
  public:
    PixelLayout(unsigned long redMask, unsigned long greenMask, unsigned long blueMask);

    unsigned long Pack(gfx::Pixel pixel) const;
    gfx::Pixel Unpack(unsigned long value) const;
    // The visual's pixel values are 0x00RRGGBB already.
    bool IsNative() const { return native_; }

  private:
    ChannelMask red_;
    ChannelMask green_;
    ChannelMask blue_;
    bool native_ = false;
};

// The image holds the layout's pixels as 32-bit values in this processor's byte order: with a
// native layout its rows are gfx rows, copied as they are.
bool RowsAreGfxRows(const XImage& image, const PixelLayout& layout);

}  // namespace platform::x11
