#include "gfx/Raster.h"

#include <optional>
#include <string>

#include "base/Exceptions.h"
#include "gfx/Bitmap.h"
#include "gfx/MaskedSpans.h"
#include "gfx/RasterColourWalk.h"
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

// An origin and signed extents, as the caller gave them (origin + extent may not fit 32 bits).
struct Placement {
    int32_t x, y, width, height;
};

// The clipped mapping and the colours of a transfer; `source` is null without a source.
raster::BlitPlan PlanTransfer(Canvas& dest, Placement to, const Canvas* source, Placement from) {
    raster::BlitPlan plan;
    plan.dest = &dest.Target();
    plan.source = source != nullptr ? &source->Target() : nullptr;
    const Rect clip = dest.ClipBox();
    const bool hasSource = source != nullptr;
    const int32_t sourceWidth = hasSource ? plan.source->Width() : 0;
    const int32_t sourceHeight = hasSource ? plan.source->Height() : 0;
    plan.columns = raster::MapAxis(
        {to.x, to.width, from.x, from.width, clip.left, clip.right, 0, sourceWidth, hasSource});
    plan.rows = raster::MapAxis(
        {to.y, to.height, from.y, from.height, clip.top, clip.bottom, 0, sourceHeight, hasSource});
    plan.monoColours[0] = dest.TextColour();
    plan.monoColours[1] = dest.BackgroundColour();
    plan.sourceBackground = hasSource ? source->BackgroundColour() : kWhite;
    plan.covered = dest.Covered();
    return plan;
}

bool SameSize(const Bitmap& a, const Bitmap& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

bool SameMapping(const raster::AxisMap& a, const raster::AxisMap& b) {
    return a.destStart == b.destStart && a.count == b.count && a.sourceStart == b.sourceStart &&
           a.step == b.step && a.table == b.table;
}

// The image's plan maps as the mask's does: the same size clips the same (the plan is not
// made again), or the mappings came out the same.
bool MapsAsMask(const raster::BlitPlan& maskPlan, Canvas& dest, Placement to, const Canvas& image,
                Placement from) {
    if (SameSize(*maskPlan.source, image.Target())) {
        return true;
    }
    const raster::BlitPlan imagePlan = PlanTransfer(dest, to, &image, from);
    return SameMapping(maskPlan.columns, imagePlan.columns) &&
           SameMapping(maskPlan.rows, imagePlan.rows);
}

// Row by row is the same as one transfer after the other when both write the same pixels and
// neither reads what the other writes.
bool CanRunTogether(const raster::BlitPlan& maskPlan, const Bitmap& image) {
    return !maskPlan.dest->Monochrome() && maskPlan.source != maskPlan.dest &&
           &image != maskPlan.dest;
}

}  // namespace

void MaskedStretchBlt(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                      const Canvas& mask, const Canvas& image, int32_t sourceX, int32_t sourceY,
                      int32_t sourceWidth, int32_t sourceHeight, const MaskedSpans* spans) {
    const Placement to{x, y, width, height};
    const Placement from{sourceX, sourceY, sourceWidth, sourceHeight};
    const raster::BlitPlan maskPlan = PlanTransfer(dest, to, &mask, from);
    if (!MapsAsMask(maskPlan, dest, to, image, from) || !CanRunTogether(maskPlan, image.Target())) {
        StretchBlt(dest, x, y, width, height, &mask, sourceX, sourceY, sourceWidth, sourceHeight,
                   Rop::SrcAnd);
        StretchBlt(dest, x, y, width, height, &image, sourceX, sourceY, sourceWidth, sourceHeight,
                   Rop::SrcPaint);
        return;
    }
    if (!maskPlan.columns.Empty() && !maskPlan.rows.Empty()) {
        const bool current = spans != nullptr && spans->Current(mask.Target(), image.Target());
        raster::RunMaskedColourBlit(maskPlan, image.Target(), current ? spans : nullptr);
    }
}

void BitBlt(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height, const Canvas* source,
            int32_t sourceX, int32_t sourceY, Rop rop) {
    StretchBlt(dest, x, y, width, height, source, sourceX, sourceY, width, height, rop);
}

void StretchBlt(Canvas& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                const Canvas* source, int32_t sourceX, int32_t sourceY, int32_t sourceWidth,
                int32_t sourceHeight, Rop rop) {
    CheckRop(rop);
    const Canvas* used = RopUsesSource(rop) ? source : nullptr;
    if (RopUsesSource(rop) && source == nullptr) {
        throw base::EInvalidGraphic("StretchBlt: the raster operation needs a source canvas");
    }
    raster::BlitPlan plan = PlanTransfer(dest, {x, y, width, height}, used,
                                         {sourceX, sourceY, sourceWidth, sourceHeight});
    if (plan.columns.Empty() || plan.rows.Empty()) {
        return;
    }
    std::optional<Bitmap> snapshot;
    if (plan.source == plan.dest && ReadsWhatItWrites(plan)) {
        snapshot.emplace(*plan.source);
        plan.source = &*snapshot;
    }
    raster::RunBlit(plan, rop);
}

}  // namespace gfx
