#include "gfx/RasterReference.h"

#include <optional>

#include "gfx/Bitmap.h"
#include "gfx/RasterPlan.h"

namespace gfx {

namespace {

// The offset k (0 .. |extent| - 1) of coordinate c along an extent from origin, or -1.
int64_t OffsetOf(int64_t c, int64_t origin, int64_t extent) {
    const int64_t k = extent > 0 ? c - origin : origin - c;
    const int64_t n = extent > 0 ? extent : -extent;
    return (k >= 0 && k < n) ? k : -1;
}

int64_t SourceCoordinate(int64_t k, int64_t extent, int64_t sourceOrigin, int64_t sourceExtent) {
    const int64_t n = extent > 0 ? extent : -extent;
    const int64_t m = sourceExtent > 0 ? sourceExtent : -sourceExtent;
    const int64_t offset = raster::ScaledOffset(k, n, m);
    return sourceExtent > 0 ? sourceOrigin + offset : sourceOrigin - offset;
}

// The source pixel converted to the destination's kind (as a colour, mono as white/black).
Pixel Convert(Pixel s, const Canvas& source, const Canvas& dest) {
    const bool sourceMono = source.Target().Monochrome();
    const bool destMono = dest.Target().Monochrome();
    if (sourceMono && !destMono) {
        return s == kWhite ? dest.BackgroundColour() : dest.TextColour();
    }
    if (!sourceMono && destMono) {
        return s == source.BackgroundColour() ? kWhite : kBlack;
    }
    return s;
}

Pixel Combine(Rop rop, Pixel d, Pixel s) {
    switch (rop) {
        case Rop::SrcCopy:
            return s;
        case Rop::SrcAnd:
            return d & s;
        case Rop::SrcPaint:
            return d | s;
        case Rop::DstInvert:
            return d ^ kColourBits;
        case Rop::Blackness:
            return kBlack;
    }
    return d;
}

}  // namespace

void StretchBltReference(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                         const Canvas* source, int32_t sourceX, int32_t sourceY,
                         int32_t sourceWidth, int32_t sourceHeight, Rop rop) {
    const bool usesSource = RopUsesSource(rop);
    if ((usesSource && (sourceWidth == 0 || sourceHeight == 0 || source == nullptr))) {
        return;
    }
    std::optional<Bitmap> snapshot;
    if (usesSource) {
        snapshot.emplace(source->Target());
    }
    const Rect clip = dest.ClipBox();
    for (int32_t dy = clip.top; dy < clip.bottom; ++dy) {
        for (int32_t dx = clip.left; dx < clip.right; ++dx) {
            const int64_t kx = OffsetOf(dx, x, width);
            const int64_t ky = OffsetOf(dy, y, height);
            if (kx < 0 || ky < 0) {
                continue;
            }
            Pixel s = 0;
            if (usesSource) {
                const int64_t sx = SourceCoordinate(kx, width, sourceX, sourceWidth);
                const int64_t sy = SourceCoordinate(ky, height, sourceY, sourceHeight);
                if (sx < 0 || sy < 0 || sx >= snapshot->Width() || sy >= snapshot->Height()) {
                    continue;
                }
                s = Convert(snapshot->GetPixel(static_cast<int32_t>(sx), static_cast<int32_t>(sy)),
                            *source, dest);
            }
            dest.Target().SetPixel(dx, dy, Combine(rop, dest.GetPixel(dx, dy), s));
        }
    }
}

}  // namespace gfx
