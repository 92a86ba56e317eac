#include "platform/win32/DibTransfer.h"

#include <cstring>

#include "base/Exceptions.h"

namespace platform::win32 {
namespace {

BITMAPINFO TopDownInfo(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Releases a screen DC when the scope ends.
class ScreenDc {
  public:
    ScreenDc() : dc_(::GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

}  // namespace

// The DIB handed to the system holds only the rows of the rectangle, so no source row offset
// is needed, whichever way the system counts rows of a top-down DIB.
void DrawBitmapRect(HDC dc, const gfx::Bitmap& bitmap, const gfx::Rect& rect) {
    BITMAPINFO info = TopDownInfo(bitmap.Width(), rect.Height());
    const gfx::Pixel* rows = bitmap.ColourRow(rect.top);
    ::SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(rect.Width()),
                        static_cast<DWORD>(rect.Height()), rect.left, 0, 0,
                        static_cast<UINT>(rect.Height()), rows, &info, DIB_RGB_COLORS);
}

std::vector<uint32_t> ReadDibPixels(HBITMAP bitmap, int32_t width, int32_t height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO info = TopDownInfo(width, height);
    ScreenDc screen;
    int rows = ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                           DIB_RGB_COLORS);
    if (rows != height) {
        throw base::Exception("GetDIBits read " + std::to_string(rows) + " of " +
                              std::to_string(height) + " rows of a system bitmap");
    }
    return pixels;
}

// The picture is made first: nothing between taking the system's objects and giving them back
// can fail, so none of them is left behind when memory runs short.
gfx::Bitmap CopyFromDc(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height) {
    gfx::Bitmap picture(width, height);
    BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        if (section != nullptr) {
            ::DeleteObject(section);
        }
        throw base::Exception("CreateDIBSection failed for a " + std::to_string(width) + " x " +
                              std::to_string(height) + " snapshot");
    }
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(memory, section);
    ::BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
    ::GdiFlush();
    const auto* source = static_cast<const gfx::Pixel*>(bits);
    for (int32_t row = 0; row < height; ++row) {
        gfx::Pixel* target = picture.ColourRow(row);
        for (int32_t column = 0; column < width; ++column) {
            target[column] = source[static_cast<size_t>(row) * static_cast<size_t>(width) +
                                    static_cast<size_t>(column)] &
                             gfx::kColourBits;
        }
    }
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::DeleteObject(section);
    return picture;
}

}  // namespace platform::win32
