#include "gfx/RasterKernels.h"

#include <vector>

#include "gfx/RasterColourWalk.h"

namespace gfx::raster {

namespace {

// Raster operations on converted values; `ones` is the value with every bit of the kind set.
struct CopyOp {
    static uint32_t Apply(uint32_t, uint32_t s, uint32_t) { return s; }
};
struct AndOp {
    static uint32_t Apply(uint32_t d, uint32_t s, uint32_t) { return d & s; }
};
struct OrOp {
    static uint32_t Apply(uint32_t d, uint32_t s, uint32_t) { return d | s; }
};
struct InvertOp {
    static uint32_t Apply(uint32_t d, uint32_t, uint32_t ones) { return d ^ ones; }
};
struct BlackOp {
    static uint32_t Apply(uint32_t, uint32_t, uint32_t) { return 0; }
};

// Monochrome destination rows, read and written by column. (Colour destinations have their
// own row kernels, RasterColourWalk.)
struct MonoDest {
    static constexpr uint32_t kOnes = 1;
    uint8_t* row;
    uint32_t Get(int32_t x) const { return MonoBitAt(row, x) ? 1u : 0u; }
    void Set(int32_t x, uint32_t value) const { SetMonoBitAt(row, x, value != 0); }
};

// Source rows, converted to monochrome as they are read.
struct MonoFromColour {
    const Pixel* row;
    Pixel background;
    uint32_t operator()(int32_t x) const { return row[x] == background ? 1u : 0u; }
};
struct MonoFromMono {
    const uint8_t* row;
    uint32_t operator()(int32_t x) const { return MonoBitAt(row, x) ? 1u : 0u; }
};

// Source columns: contiguous from a start, or looked up in a table.
struct ForwardColumns {
    int32_t start;
    int32_t operator()(int32_t i) const { return start + i; }
};
struct TableColumns {
    const int32_t* table;
    int32_t operator()(int32_t i) const { return table[i]; }
};

template <class Op, class Dest, class Fetch, class Columns>
void WalkRow(Dest dest, Fetch fetch, Columns columns, int32_t destStart, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const int32_t x = destStart + i;
        dest.Set(x, Op::Apply(dest.Get(x), fetch(columns(i)), Dest::kOnes));
    }
}

MonoDest MakeDest(Bitmap& bitmap, int32_t y, MonoDest*) {
    return {bitmap.MonoRow(y)};
}
MonoFromColour MakeFetch(const BlitPlan& plan, int32_t y, MonoFromColour*) {
    return {plan.source->ColourRow(y), plan.sourceBackground};
}
MonoFromMono MakeFetch(const BlitPlan& plan, int32_t y, MonoFromMono*) {
    return {plan.source->MonoRow(y)};
}

template <class Op, class Dest, class Fetch, class Columns>
void WalkRows(const BlitPlan& plan, Columns columns) {
    for (int32_t i = 0; i < plan.rows.count; ++i) {
        const Dest dest =
            MakeDest(*plan.dest, plan.rows.destStart + i, static_cast<Dest*>(nullptr));
        const Fetch fetch = MakeFetch(plan, plan.rows.SourceAt(i), static_cast<Fetch*>(nullptr));
        WalkRow<Op>(dest, fetch, columns, plan.columns.destStart, plan.columns.count);
    }
}

template <class Op, class Dest, class Fetch>
void WalkWithSource(const BlitPlan& plan) {
    if (plan.columns.Forward()) {
        WalkRows<Op, Dest, Fetch>(plan, ForwardColumns{plan.columns.sourceStart});
        return;
    }
    const std::vector<int32_t> table = plan.columns.SourceTable();
    WalkRows<Op, Dest, Fetch>(plan, TableColumns{table.data()});
}

// A fetch that yields nothing, for the operations that read no source.
struct NoSource {
    uint32_t operator()(int32_t) const { return 0; }
};

template <class Op, class Dest>
void WalkWithoutSource(const BlitPlan& plan) {
    for (int32_t i = 0; i < plan.rows.count; ++i) {
        const Dest dest =
            MakeDest(*plan.dest, plan.rows.destStart + i, static_cast<Dest*>(nullptr));
        WalkRow<Op>(dest, NoSource{}, ForwardColumns{0}, plan.columns.destStart,
                    plan.columns.count);
    }
}

template <class Op>
void RunMonoOp(const BlitPlan& plan) {
    if (plan.source == nullptr) {
        WalkWithoutSource<Op, MonoDest>(plan);
        return;
    }
    plan.source->Monochrome() ? WalkWithSource<Op, MonoDest, MonoFromMono>(plan)
                              : WalkWithSource<Op, MonoDest, MonoFromColour>(plan);
}

}  // namespace

void RunBlit(const BlitPlan& plan, Rop rop) {
    if (plan.columns.Empty() || plan.rows.Empty()) {
        return;
    }
    if (!plan.dest->Monochrome()) {
        return RunColourBlit(plan, rop);
    }
    switch (rop) {
        case Rop::SrcCopy:
            return RunMonoOp<CopyOp>(plan);
        case Rop::SrcAnd:
            return RunMonoOp<AndOp>(plan);
        case Rop::SrcPaint:
            return RunMonoOp<OrOp>(plan);
        case Rop::DstInvert:
            return RunMonoOp<InvertOp>(plan);
        case Rop::Blackness:
            return RunMonoOp<BlackOp>(plan);
    }
}

}  // namespace gfx::raster
