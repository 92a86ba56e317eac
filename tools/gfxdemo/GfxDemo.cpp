// gfxdemo <out.png>: an autumn evening painted with gfx the way the sprites draw: a sky
// gradient, a sun and leaves cut in with monochrome masks (SRCAND) and painted in (SRCPAINT),
// and a mirrored copy of a leaf.

#include <cmath>
#include <functional>
#include <iostream>

#include "base/Exceptions.h"
#include "gfx/Png.h"
#include "gfx/Raster.h"

namespace {

using gfx::Bitmap;
using gfx::Pixel;
using gfx::PixelFormat;

constexpr int32_t kWidth = 480;
constexpr int32_t kHeight = 300;

uint8_t Mix(int from, int to, double t) {
    return static_cast<uint8_t>(std::lround(from + (to - from) * t));
}

void PaintSky(Bitmap& picture) {
    for (int32_t y = 0; y < picture.Height(); ++y) {
        const double t = static_cast<double>(y) / (picture.Height() - 1);
        const Pixel colour = gfx::MakePixel(Mix(40, 250, t), Mix(60, 160, t), Mix(130, 90, t));
        for (int32_t x = 0; x < picture.Width(); ++x) {
            picture.SetPixel(x, y, colour);
        }
    }
}

// A shape as a sprite frame: an image whose outside is black and a mask whose outside is 1.
struct Shape {
    Bitmap image;
    Bitmap mask;
};

using Inside = std::function<bool(double u, double v)>;  // u, v in -1 .. 1
using Shade = std::function<Pixel(double u, double v)>;

Shape MakeShape(int32_t size, const Inside& inside, const Shade& shade) {
    Shape shape{Bitmap(size, size), Bitmap(size, size, PixelFormat::Mono)};
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const double u = 2.0 * (x + 0.5) / size - 1.0;
            const double v = 2.0 * (y + 0.5) / size - 1.0;
            const bool in = inside(u, v);
            shape.image.SetPixel(x, y, in ? shade(u, v) : gfx::kBlack);
            shape.mask.SetPixel(x, y, in ? gfx::kBlack : gfx::kWhite);
        }
    }
    return shape;
}

// Cuts the shape's area to black, then paints the shape in; a negative width mirrors it.
void DrawMasked(Bitmap& picture, const Shape& shape, int32_t x, int32_t y, int32_t width,
                int32_t height) {
    gfx::Canvas& canvas = picture.GetCanvas();
    const int32_t size = shape.image.Width();
    gfx::StretchBlt(canvas, x, y, width, height, &shape.mask.GetCanvas(), 0, 0, size, size,
                    gfx::Rop::SrcAnd);
    gfx::StretchBlt(canvas, x, y, width, height, &shape.image.GetCanvas(), 0, 0, size, size,
                    gfx::Rop::SrcPaint);
}

Shape Sun() {
    return MakeShape(
        90, [](double u, double v) { return u * u + v * v < 1.0; },
        [](double u, double v) {
            const double glow = 1.0 - 0.35 * (u * u + v * v);
            return gfx::MakePixel(255, Mix(120, 230, glow), Mix(20, 90, glow));
        });
}

// A leaf: two arcs meeting at the tips, a darker vein down the middle.
Shape Leaf(int red, int green) {
    return MakeShape(
        64,
        [](double u, double v) {
            const double r = u * 0.8 + v * 0.6;
            const double s = -u * 0.6 + v * 0.8;
            return std::fabs(s) < 0.45 * (1.0 - r * r) && std::fabs(r) < 0.95;
        },
        [red, green](double u, double v) {
            const double s = -u * 0.6 + v * 0.8;
            const double light = 0.75 + 0.25 * (u - v) / 2.0;
            const double vein = std::fabs(s) < 0.04 ? 0.55 : 1.0;
            return gfx::MakePixel(Mix(0, red, light * vein), Mix(0, green, light * vein),
                                  Mix(0, 20, light));
        });
}

Bitmap Paint() {
    Bitmap picture(kWidth, kHeight);
    PaintSky(picture);
    DrawMasked(picture, Sun(), 330, 40, 90, 90);
    const Shape leaves[] = {Leaf(220, 90), Leaf(190, 40), Leaf(240, 170), Leaf(150, 60)};
    for (int i = 0; i < 12; ++i) {
        const Shape& leaf = leaves[i % 4];
        const int32_t x = 20 + (i * 97) % 400;
        const int32_t y = 120 + (i * 53) % 150;
        // Every other leaf is mirrored: origin at its right edge, negative width.
        DrawMasked(picture, leaf, i % 2 == 0 ? x : x + 64, y, i % 2 == 0 ? 64 : -64, 64);
    }
    // One large leaf, stretched to twice its size.
    DrawMasked(picture, leaves[0], 40, 10, 128, 128);
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: gfxdemo <out.png>\n";
        return 2;
    }
    try {
        gfx::WritePng(Paint(), argv[1]);
    } catch (const base::Exception& e) {
        std::cerr << "gfxdemo: " << e.Message() << "\n";
        return 1;
    }
    return 0;
}
