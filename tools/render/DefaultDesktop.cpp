#include "DefaultDesktop.h"

namespace render {

namespace {

void FillRect(gfx::Bitmap& bitmap, int32_t x, int32_t y, int32_t w, int32_t h, gfx::Pixel p) {
    for (int32_t row = y; row < y + h; ++row) {
        for (int32_t column = x; column < x + w; ++column) {
            bitmap.SetPixel(column, row, p);
        }
    }
}

// A window: a title bar, a light client area and a few lines of "text".
void PaintWindow(gfx::Bitmap& desktop, int32_t x, int32_t y, int32_t w, int32_t h) {
    FillRect(desktop, x, y, w, h, gfx::MakePixel(236, 236, 232));
    FillRect(desktop, x, y, w, 22, gfx::MakePixel(52, 84, 122));
    for (int32_t line = y + 40; line + 8 < y + h; line += 18) {
        FillRect(desktop, x + 16, line, (w - 32) * (3 + (line / 18) % 4) / 7, 6,
                 gfx::MakePixel(150, 150, 146));
    }
}

}  // namespace

gfx::Bitmap PaintDefaultDesktop(int32_t width, int32_t height) {
    gfx::Bitmap desktop(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const auto t = static_cast<uint8_t>(255 * y / (height > 1 ? height - 1 : 1));
        const gfx::Pixel p =
            gfx::MakePixel(static_cast<uint8_t>(40 + t / 6), static_cast<uint8_t>(70 + t / 5),
                           static_cast<uint8_t>(110 + t / 3));
        FillRect(desktop, 0, y, width, 1, p);
    }
    PaintWindow(desktop, width / 12, height / 10, width / 2, height / 2);
    PaintWindow(desktop, width / 2, height / 3, width * 2 / 5, height / 2);
    FillRect(desktop, 0, height - height / 24, width, height / 24, gfx::MakePixel(30, 30, 34));
    return desktop;
}

}  // namespace render
