#include "gfx/RasterKernels.h"

#include <algorithm>

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

// Destination rows of either kind, read and written by column.
struct ColourDest {
    static constexpr uint32_t kOnes = kColourBits;
    Pixel* row;
    uint32_t Get(int32_t x) const { return row[x]; }
    void Set(int32_t x, uint32_t value) const { row[x] = value; }
};
struct MonoDest {
    static constexpr uint32_t kOnes = 1;
    uint8_t* row;
    uint32_t Get(int32_t x) const { return MonoBitAt(row, x) ? 1u : 0u; }
    void Set(int32_t x, uint32_t value) const { SetMonoBitAt(row, x, value != 0); }
};

// Source rows, converted to the destination's kind as they are read.
struct ColourFromColour {
    const Pixel* row;
    uint32_t operator()(int32_t x) const { return row[x]; }
};
struct ColourFromMono {
    const uint8_t* row;
    const Pixel* colours;  // [0] for bit 0, [1] for bit 1
    uint32_t operator()(int32_t x) const { return colours[MonoBitAt(row, x) ? 1 : 0]; }
};
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

// The common plain copy between colour bitmaps: one block move a row.
template <>
void WalkRow<CopyOp, ColourDest, ColourFromColour, ForwardColumns>(ColourDest dest,
                                                                   ColourFromColour fetch,
                                                                   ForwardColumns columns,
                                                                   int32_t destStart,
                                                                   int32_t count) {
    std::copy_n(fetch.row + columns.start, count, dest.row + destStart);
}

ColourDest MakeDest(Bitmap& bitmap, int32_t y, ColourDest*) {
    return {bitmap.ColourRow(y)};
}
MonoDest MakeDest(Bitmap& bitmap, int32_t y, MonoDest*) {
    return {bitmap.MonoRow(y)};
}
ColourFromColour MakeFetch(const BlitPlan& plan, int32_t y, ColourFromColour*) {
    return {plan.source->ColourRow(y)};
}
ColourFromMono MakeFetch(const BlitPlan& plan, int32_t y, ColourFromMono*) {
    return {plan.source->MonoRow(y), plan.monoColours};
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
void RunOp(const BlitPlan& plan) {
    const bool monoDest = plan.dest->Monochrome();
    if (plan.source == nullptr) {
        monoDest ? WalkWithoutSource<Op, MonoDest>(plan) : WalkWithoutSource<Op, ColourDest>(plan);
        return;
    }
    const bool monoSource = plan.source->Monochrome();
    if (monoDest) {
        monoSource ? WalkWithSource<Op, MonoDest, MonoFromMono>(plan)
                   : WalkWithSource<Op, MonoDest, MonoFromColour>(plan);
    } else {
        monoSource ? WalkWithSource<Op, ColourDest, ColourFromMono>(plan)
                   : WalkWithSource<Op, ColourDest, ColourFromColour>(plan);
    }
}

}  // namespace

void RunBlit(const BlitPlan& plan, Rop rop) {
    if (plan.columns.Empty() || plan.rows.Empty()) {
        return;
    }
    switch (rop) {
        case Rop::SrcCopy:
            return RunOp<CopyOp>(plan);
        case Rop::SrcAnd:
            return RunOp<AndOp>(plan);
        case Rop::SrcPaint:
            return RunOp<OrOp>(plan);
        case Rop::DstInvert:
            return RunOp<InvertOp>(plan);
        case Rop::Blackness:
            return RunOp<BlackOp>(plan);
    }
}

}  // namespace gfx::raster
