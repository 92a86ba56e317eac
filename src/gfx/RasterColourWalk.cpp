#include "gfx/RasterColourWalk.h"

#include <algorithm>

#include "gfx/Bitmap.h"
#include "gfx/RasterRowKernels.h"

namespace gfx::raster {

namespace {

MonoColours ColoursOf(const BlitPlan& plan) {
    return {plan.monoColours[0], plan.monoColours[1]};
}

Pixel* DestRow(const BlitPlan& plan, int32_t i) {
    return plan.dest->ColourRow(plan.rows.destStart + i) + plan.columns.destStart;
}

void WalkWithoutSource(const BlitPlan& plan, NoSourceRowKernel kernel) {
    for (int32_t i = 0; i < plan.rows.count; ++i) {
        kernel(DestRow(plan, i), plan.columns.count);
    }
}

void WalkForwardColour(const BlitPlan& plan, ColourRowKernel kernel) {
    for (int32_t i = 0; i < plan.rows.count; ++i) {
        const Pixel* source = plan.source->ColourRow(plan.rows.SourceAt(i));
        kernel(DestRow(plan, i), source + plan.columns.sourceStart, plan.columns.count);
    }
}

void WalkForwardMono(const BlitPlan& plan, MonoRowKernel kernel) {
    const int32_t first = plan.columns.sourceStart;
    for (int32_t i = 0; i < plan.rows.count; ++i) {
        const uint8_t* row = plan.source->MonoRow(plan.rows.SourceAt(i));
        kernel(DestRow(plan, i), row + (first >> 3), first & 7, plan.columns.count,
               ColoursOf(plan));
    }
}

// The source columns a mirrored or stretched row reads: the span from the lowest to the
// highest, and for each destination column its place in that span.
struct ColumnSpan {
    int32_t first = 0;
    int32_t count = 0;
    bool reversed = false;        // unscaled mirror: place i is count - 1 - i
    std::vector<int32_t> places;  // stretched: place of each destination column
};

ColumnSpan SpanOf(const AxisMap& columns) {
    ColumnSpan span;
    span.first = columns.SourceMin();
    span.count = columns.SourceMax() - span.first + 1;
    span.reversed = !columns.Scaled();
    if (columns.Scaled()) {
        span.places.resize(columns.table.size());
        std::transform(columns.table.begin(), columns.table.end(), span.places.begin(),
                       [&](int32_t x) { return x - span.first; });
    }
    return span;
}

void ReverseInto(Pixel* out, const Pixel* span, int32_t count) {
    std::reverse_copy(span, span + count, out);
}

void GatherInto(Pixel* out, const Pixel* span, const std::vector<int32_t>& places) {
    const size_t count = places.size();
    for (size_t i = 0; i < count; ++i) {
        out[i] = span[places[i]];
    }
}

// Mirrored or stretched rows: the source span as colours (a mono span is expanded first), then
// its columns in destination order, then the kernel. A row that reads the same source row as
// the one before reuses the prepared columns.
class MappedRows {
  public:
    explicit MappedRows(const BlitPlan& plan)
        : plan_(plan),
          span_(SpanOf(plan.columns)),
          expanded_(plan.source->Monochrome() ? static_cast<size_t>(span_.count) : 0),
          columns_(static_cast<size_t>(plan.columns.count)) {}

    void Walk(ColourRowKernel kernel) {
        int32_t prepared = -1;
        for (int32_t i = 0; i < plan_.rows.count; ++i) {
            const int32_t sourceY = plan_.rows.SourceAt(i);
            if (i == 0 || sourceY != prepared) {
                PrepareColumns(sourceY);
                prepared = sourceY;
            }
            kernel(DestRow(plan_, i), columns_.data(), plan_.columns.count);
        }
    }

  private:
    const Pixel* SpanColours(int32_t sourceY) {
        if (!plan_.source->Monochrome()) {
            return plan_.source->ColourRow(sourceY) + span_.first;
        }
        const uint8_t* row = plan_.source->MonoRow(sourceY);
        MonoRowKernelFor(Rop::SrcCopy)(expanded_.data(), row + (span_.first >> 3), span_.first & 7,
                                       span_.count, ColoursOf(plan_));
        return expanded_.data();
    }

    void PrepareColumns(int32_t sourceY) {
        const Pixel* span = SpanColours(sourceY);
        if (span_.reversed) {
            ReverseInto(columns_.data(), span, span_.count);
        } else {
            GatherInto(columns_.data(), span, span_.places);
        }
    }

    const BlitPlan& plan_;
    ColumnSpan span_;
    std::vector<Pixel> expanded_;
    std::vector<Pixel> columns_;
};

}  // namespace

void RunColourBlit(const BlitPlan& plan, Rop rop) {
    if (!RopUsesSource(rop)) {
        WalkWithoutSource(plan, NoSourceRowKernelFor(rop));
        return;
    }
    const bool mono = plan.source->Monochrome();
    if (plan.columns.Forward()) {
        mono ? WalkForwardMono(plan, MonoRowKernelFor(rop))
             : WalkForwardColour(plan, ColourRowKernelFor(rop));
        return;
    }
    MappedRows(plan).Walk(ColourRowKernelFor(rop));
}

}  // namespace gfx::raster
