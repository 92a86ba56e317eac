#pragma once
// Drawing helpers shared by the three logo painters: the logo inks, rounded boxes, edge
// distances, text and leaves painted onto a logo.

#include <cstdint>
#include <functional>

#include "Geometry.h"
#include "IndexedImage.h"
#include "LeafPose.h"
#include "PixelFont.h"
#include "Quantizer.h"
#include "Rgb.h"

namespace assetpaint {

const Quantizer& LogoQuantizer();

// Distance from p to the outline of a closed polygon.
float DistanceToOutline(const Polyline& polygon, Vec2 p);

// The signed distance from p to a box with rounded corners: negative inside.
float RoundedBoxDistance(Vec2 p, const Bounds& box, float radius);

// Paints every pixel of the picture for which `paint` returns true, in the colour it sets.
using PixelPaint = std::function<bool(int32_t x, int32_t y, Rgb& colour)>;
void PaintPixels(IndexedImage& picture, const PixelPaint& paint);

// Sets text with its top-left corner at (x, y); colour gets the pixel relative to the text.
void DrawTextMask(IndexedImage& picture, const TextMask& text, int32_t x, int32_t y,
                  const std::function<Rgb(int32_t, int32_t)>& colour);
// Every pixel within radius (a square) of the text's ink gets the index.
void DrawTextHalo(IndexedImage& picture, const TextMask& text, int32_t x, int32_t y, int32_t radius,
                  uint8_t index);

// A leaf of the kind, undistorted, centred in the box (x, y, width, height).
void DrawLeaf(IndexedImage& picture, LeafKind kind, const LeafPose& pose, int32_t x, int32_t y,
              int32_t width, int32_t height);

}  // namespace assetpaint
