#include "gfx/Raster.h"

#include <optional>
#include <string>

#include "base/Exceptions.h"
#include "gfx/Bitmap.h"
#include "gfx/RasterKernels.h"

namespace gfx {

namespace {

void CheckRop(Rop rop) {
    switch (rop) {
        case Rop::SrcCopy:
        case Rop::SrcAnd:
        case Rop::SrcPaint:
        case Rop::DstInvert:
        case Rop::Blackness:
            return;
    }
    throw base::EInvalidGraphic("Unknown raster operation " +
                                std::to_string(static_cast<uint32_t>(rop)));
}

// True when the source pixels the plan reads overlap the destination pixels it writes.
bool ReadsWhatItWrites(const raster::BlitPlan& plan) {
    const Rect written = RectFromSize(plan.columns.destStart, plan.rows.destStart,
                                      plan.columns.count, plan.rows.count);
    const Rect read{plan.columns.SourceMin(), plan.rows.SourceMin(), plan.columns.SourceMax() + 1,
                    plan.rows.SourceMax() + 1};
    return RectsIntersect(written, read);
}

raster::AxisRequest Axis(int32_t origin, int32_t extent, int32_t sourceOrigin, int32_t sourceExtent,
                         int32_t clipLow, int32_t clipHigh, int32_t sourceSize, bool hasSource) {
    return {origin,   extent, sourceOrigin, sourceExtent, clipLow,
            clipHigh, 0,      sourceSize,   hasSource};
}

}  // namespace

void BitBlt(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height, const Canvas* source,
            int32_t sourceX, int32_t sourceY, Rop rop) {
    StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

void StretchBlt(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                const Canvas* source, int32_t sourceX, int32_t sourceY, int32_t sourceWidth,
                int32_t sourceHeight, Rop rop) {
    CheckRop(rop);
    const bool usesSource = RopUsesSource(rop);
    if (usesSource && source == nullptr) {
        throw base::EInvalidGraphic("StretchBlt: the raster operation needs a source canvas");
    }
    raster::BlitPlan plan;
    plan.dest = &dest.Target();
    plan.source = usesSource ? &source->Target() : nullptr;
    const Rect clip = dest.ClipBox();
    const int32_t sourceW = usesSource ? plan.source->Width() : 0;
    const int32_t sourceH = usesSource ? plan.source->Height() : 0;
    plan.columns = raster::MapAxis(
        Axis(x, width, sourceX, sourceWidth, clip.left, clip.right, sourceW, usesSource));
    plan.rows = raster::MapAxis(
        Axis(y, height, sourceY, sourceHeight, clip.top, clip.bottom, sourceH, usesSource));
    if (plan.columns.Empty() || plan.rows.Empty()) {
        return;
    }
    std::optional<Bitmap> snapshot;
    if (usesSource) {
        plan.monoColours[0] = dest.TextColour();
        plan.monoColours[1] = dest.BackgroundColour();
        plan.sourceBackground = source->BackgroundColour();
        if (plan.source == plan.dest && ReadsWhatItWrites(plan)) {
            snapshot.emplace(*plan.source);
            plan.source = &*snapshot;
        }
    }
    raster::RunBlit(plan, rop);
}

}  // namespace gfx
