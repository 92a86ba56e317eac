#pragma once
// Moving pixels between our bitmaps and the system's device contexts and bitmaps, always as
// 32-bit top-down DIBs: the memory layout of a DIB row (blue, green, red, unused) is exactly a
// row of gfx pixels.

#include "platform/win32/Win32Native.h"

namespace platform::win32 {

// Puts the rectangle of `bitmap` (a colour bitmap; the rectangle must lie inside it) on `dc`
// at the same coordinates.
void DrawBitmapRect(HDC dc, const gfx::Bitmap& bitmap, const gfx::Rect& rect);

// The pixels of a system bitmap of the given size, as the 32-bit values GetDIBits gives
// (alpha kept), top row first.
std::vector<uint32_t> ReadDibPixels(HBITMAP bitmap, int32_t width, int32_t height);

// Copies `width` x `height` pixels from (x, y) of `dc` into a new colour bitmap through a DIB
// section.
gfx::Bitmap CopyFromDc(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height);

}  // namespace platform::win32
