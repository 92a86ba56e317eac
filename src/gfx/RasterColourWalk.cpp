#include "gfx/RasterColourWalk.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>

#include "gfx/Bitmap.h"
#include "gfx/CoveredRows.h"
#include "gfx/RasterMaskBits.h"
#include "gfx/RasterPartWalk.h"
#include "gfx/RasterRowKernels.h"
#include "gfx/StretchedColumns.h"

namespace gfx::raster {

namespace {

MonoColours ColoursOf(const BlitPlan& plan) {
    return {plan.monoColours[0], plan.monoColours[1]};
}

Pixel* DestRow(const BlitPlan& plan, int32_t i) {
    return plan.dest->ColourRow(plan.rows.destStart + i) + plan.columns.destStart;
}

// The parts of `run` (columns counted from destination column `origin`) of destination row y
// that the covered pixels, if any are given, leave to be written.
template <class Part>
void ForEachUncoveredPart(const CoveredRows* covered, int32_t y, int32_t origin, ColumnRange run,
                          Part part) {
    if (covered == nullptr) {
        part(run);
        return;
    }
    const ColumnRange row = covered->Row(y);
    ForEachUncovered(run, {row.begin - origin, row.end - origin}, part);
}

// The same for row i of a plan, its columns counted from the plan's first.
template <class Part>
void ForEachUncoveredPart(const BlitPlan& plan, int32_t i, ColumnRange run, Part part) {
    ForEachUncoveredPart(plan.covered, plan.rows.destStart + i, plan.columns.destStart, run, part);
}

void ForwardColourRow(const BlitPlan& plan, ColourRowKernel kernel, int32_t i) {
    const Pixel* source = plan.source->ColourRow(plan.rows.SourceAt(i)) + plan.columns.sourceStart;
    Pixel* dest = DestRow(plan, i);
    ForEachUncoveredPart(plan, i, {0, plan.columns.count}, [&](ColumnRange part) {
        kernel(dest + part.begin, source + part.begin, part.Width());
    });
}

void ForwardMonoRow(const BlitPlan& plan, MonoRowKernel kernel, int32_t i) {
    const int32_t first = plan.columns.sourceStart;
    const uint8_t* row = plan.source->MonoRow(plan.rows.SourceAt(i));
    kernel(DestRow(plan, i), row + (first >> 3), first & 7, plan.columns.count, ColoursOf(plan));
}

// A mirrored colour row: the kernel reads its source from the row's last column backwards.
void MirroredColourRow(const BlitPlan& plan, ColourRowKernel kernel, int32_t i) {
    const int32_t first = plan.columns.sourceStart - plan.columns.count + 1;
    const Pixel* source = plan.source->ColourRow(plan.rows.SourceAt(i));
    kernel(DestRow(plan, i), source + first, plan.columns.count);
}

// A mirrored mask row: its bits reversed into a buffer, eight at a time through a table of
// reversed bytes, then the forward kernel.
class ReversedBits {
  public:
    explicit ReversedBits(int32_t count)
        : count_(count), bits_(static_cast<size_t>(count + 7) / 8) {}

    // Bit i of the result is bit last - i of row.
    const uint8_t* Reverse(const uint8_t* row, int32_t last) {
        const int32_t words = count_ / 64;
        for (int32_t w = 0; w < words; ++w) {
            StoreWord(bits_.data() + 8 * w, ReversedWord(WordAt(row, last - 64 * w - 63)));
        }
        for (int32_t j = 8 * words; j < count_ / 8; ++j) {
            const int32_t from = last - 8 * j - 7;  // the byte's bits, lowest position first
            bits_[static_cast<size_t>(j)] =
                ReversedByte(MaskByteAt(row + (from >> 3), from & 7, 0));
        }
        for (int32_t i = count_ / 8 * 8; i < count_; ++i) {
            SetMonoBitAt(bits_.data(), i, MonoBitAt(row, last - i));
        }
        return bits_.data();
    }

  private:
    static uint8_t ReversedByte(uint32_t byte) { return kReversedBytes[byte & 0xFFu]; }

    // The 64 bits from bit `from` on, the first in the top bit; every byte read holds some.
    static uint64_t WordAt(const uint8_t* row, int32_t from) {
        const uint8_t* bytes = row + (from >> 3);
        const auto shift = static_cast<uint32_t>(from & 7);
        const uint64_t word = LoadBigEndian(bytes);
        return shift == 0 ? word : (word << shift) | (bytes[8] >> (8 - shift));
    }
    // All 64 bits in the opposite order: the bits of each byte, then the bytes.
    static uint64_t ReversedWord(uint64_t x) {
        x = ((x >> 1) & 0x5555555555555555u) | ((x & 0x5555555555555555u) << 1);
        x = ((x >> 2) & 0x3333333333333333u) | ((x & 0x3333333333333333u) << 2);
        x = ((x >> 4) & 0x0F0F0F0F0F0F0F0Fu) | ((x & 0x0F0F0F0F0F0F0F0Fu) << 4);
        return ByteSwapped(x);
    }
    static uint64_t ByteSwapped(uint64_t x) {
        uint64_t swapped = 0;
        for (int i = 0; i < 8; ++i) {
            swapped = (swapped << 8) | ((x >> (8 * i)) & 0xFFu);
        }
        return swapped;  // the compiler makes this one instruction
    }
    static uint64_t LoadBigEndian(const uint8_t* bytes) {
        uint64_t word = 0;
        std::memcpy(&word, bytes, sizeof word);
        return std::endian::native == std::endian::little ? ByteSwapped(word) : word;
    }
    static void StoreWord(uint8_t* bytes, uint64_t word) {
        if (std::endian::native == std::endian::little) {
            word = ByteSwapped(word);
        }
        std::memcpy(bytes, &word, sizeof word);
    }

    static constexpr std::array<uint8_t, 256> kReversedBytes = [] {
        std::array<uint8_t, 256> table{};
        for (uint32_t byte = 0; byte < 256; ++byte) {
            uint32_t reversed = 0;
            for (uint32_t b = 0; b < 8; ++b) {
                reversed |= ((byte >> b) & 1u) << (7 - b);
            }
            table[byte] = static_cast<uint8_t>(reversed);
        }
        return table;
    }();

    int32_t count_;
    std::vector<uint8_t> bits_;
};

void MirroredMonoRow(const BlitPlan& plan, MonoRowKernel kernel, ReversedBits& reversed,
                     int32_t i) {
    const uint8_t* row = plan.source->MonoRow(plan.rows.SourceAt(i));
    kernel(DestRow(plan, i), reversed.Reverse(row, plan.columns.sourceStart), 0, plan.columns.count,
           ColoursOf(plan));
}

// Stretched rows: the source span as colours (a mono span is expanded first, once for rows
// that read the same source row), then the gather kernel picks each destination column's.
class MappedRows {
  public:
    explicit MappedRows(const BlitPlan& plan)
        : plan_(plan),
          columns_(SpanOf(plan.columns)),
          expanded_(plan.source->Monochrome() ? static_cast<size_t>(columns_.count) : 0) {}

    void Row(GatherRowKernel kernel, int32_t i) {
        const int32_t sourceY = plan_.rows.SourceAt(i);
        if (span_ == nullptr || sourceY != prepared_) {
            if (i + 1 < plan_.rows.count) {
                PrefetchSpan(plan_.rows.SourceAt(i + 1));
            }
            span_ = SpanColours(sourceY);
            prepared_ = sourceY;
        }
        kernel(DestRow(plan_, i), span_, columns_.places.data(), plan_.columns.count);
    }

  private:
    // A stretched row reads its source sparsely, which the hardware does not foresee: the next
    // source row is asked for while this one is worked on.
    void PrefetchSpan(int32_t sourceY) const {
        const char* bytes =
            plan_.source->Monochrome()
                ? reinterpret_cast<const char*>(plan_.source->MonoRow(sourceY))
                : reinterpret_cast<const char*>(plan_.source->ColourRow(sourceY) + columns_.first);
        const size_t size = plan_.source->Monochrome()
                                ? plan_.source->MonoStride()
                                : static_cast<size_t>(columns_.count) * sizeof(Pixel);
        for (size_t offset = 0; offset < size; offset += 64) {
            __builtin_prefetch(bytes + offset);
        }
    }

    const Pixel* SpanColours(int32_t sourceY) {
        if (!plan_.source->Monochrome()) {
            return plan_.source->ColourRow(sourceY) + columns_.first;
        }
        const uint8_t* row = plan_.source->MonoRow(sourceY);
        MonoRowKernelFor(Rop::SrcCopy)(expanded_.data(), row + (columns_.first >> 3),
                                       columns_.first & 7, columns_.count, ColoursOf(plan_));
        return expanded_.data();
    }

    const BlitPlan& plan_;
    ColumnSpan columns_;
    const Pixel* span_ = nullptr;  // the colours of the prepared source row
    int32_t prepared_ = 0;
    std::vector<Pixel> expanded_;
};

// One transfer onto a colour bitmap, a row at a time; how its source is read is chosen once.
class ColourRows {
  public:
    ColourRows(const BlitPlan& plan, Rop rop) : plan_(plan) {
        if (!RopUsesSource(rop)) {
            noSource_ = NoSourceRowKernelFor(rop);
        } else if (plan.columns.Scaled()) {
            gather_ = GatherRowKernelFor(rop);
            mapped_.emplace(plan);
        } else if (plan.source->Monochrome()) {
            mono_ = MonoRowKernelFor(rop);
            if (!plan.columns.Forward()) {
                reversed_.emplace(plan.columns.count);
            }
        } else {
            colour_ =
                plan.columns.Forward() ? ColourRowKernelFor(rop) : ReversedColourRowKernelFor(rop);
        }
    }

    void Row(int32_t i) {
        if (noSource_ != nullptr) {
            noSource_(DestRow(plan_, i), plan_.columns.count);
        } else if (mapped_) {
            mapped_->Row(gather_, i);
        } else if (mono_ != nullptr) {
            reversed_ ? MirroredMonoRow(plan_, mono_, *reversed_, i)
                      : ForwardMonoRow(plan_, mono_, i);
        } else {
            plan_.columns.Forward() ? ForwardColourRow(plan_, colour_, i)
                                    : MirroredColourRow(plan_, colour_, i);
        }
    }

  private:
    const BlitPlan& plan_;
    NoSourceRowKernel noSource_ = nullptr;
    ColourRowKernel colour_ = nullptr;
    MonoRowKernel mono_ = nullptr;
    GatherRowKernel gather_ = nullptr;
    std::optional<ReversedBits> reversed_;
    std::optional<MappedRows> mapped_;
};

// The plan reads its source inside `area` only.
bool ReadsInside(const BlitPlan& plan, const Rect& area) {
    return plan.columns.SourceMin() >= area.left && plan.columns.SourceMax() < area.right &&
           plan.rows.SourceMin() >= area.top && plan.rows.SourceMax() < area.bottom;
}

// The rows of a masked plot's three pictures: they lie a stride apart, so each is found from
// the first without asking the plan or the bitmaps again.
class MaskedPlotRows {
  public:
    MaskedPlotRows(const BlitPlan& maskPlan, const Bitmap& image)
        : dest_(DestRow(maskPlan, 0)),
          destStride_(static_cast<ptrdiff_t>(maskPlan.dest->ColourStride())),
          mask_(maskPlan.source->MonoRow(0)),
          maskStride_(static_cast<ptrdiff_t>(maskPlan.source->MonoStride())),
          image_(image.ColourRow(0)),
          imageStride_(static_cast<ptrdiff_t>(image.ColourStride())) {}

    // Row i of the plan in the destination, from its first column.
    Pixel* Dest(int32_t i) const { return dest_ + static_cast<ptrdiff_t>(i) * destStride_; }
    // Source row y of the mask and of the image.
    const uint8_t* Mask(int32_t y) const { return mask_ + static_cast<ptrdiff_t>(y) * maskStride_; }
    const Pixel* Image(int32_t y) const {
        return image_ + static_cast<ptrdiff_t>(y) * imageStride_;
    }

    // The strides, in elements.
    ptrdiff_t DestStride() const { return destStride_; }
    ptrdiff_t MaskStride() const { return maskStride_; }
    ptrdiff_t ImageStride() const { return imageStride_; }

  private:
    Pixel* dest_;
    ptrdiff_t destStride_;
    const uint8_t* mask_;
    ptrdiff_t maskStride_;
    const Pixel* image_;
    ptrdiff_t imageStride_;
};

// A plan's source rows as values, for walks that keep them in registers: the parts such a walk
// stores cannot change its locals, while the plan's members it would read again after each
// store.
class SourceRows {
  public:
    explicit SourceRows(const AxisMap& rows)
        : table_(rows.Scaled() ? rows.table.data() : nullptr),
          start_(rows.sourceStart),
          step_(rows.step) {}

    int32_t At(int32_t i) const { return table_ != nullptr ? table_[i] : start_ + step_ * i; }

  private:
    const int32_t* table_;
    int32_t start_;
    int32_t step_;
};

// The parts of an unscaled masked plot's rows: of the destination pixels a row's span can
// change, what the destination's covered pixels leave. Where the source rows ascend one by one
// and the spans are given (a sprite's plot), the parts kernel finds them; else the rows are
// walked here, with values in locals (see SourceRows).
class UnscaledRowParts {
  public:
    UnscaledRowParts(const BlitPlan& maskPlan, const MaskedSpans* spans)
        : sources_(maskPlan.rows),
          spansTop_(spans != nullptr ? spans->Area().top : 0),
          byKernel_(spans != nullptr && maskPlan.rows.Forward()),
          kernel_(MaskedPartsKernelFor()) {
        rows_.spans = spans != nullptr ? spans->Rows() : nullptr;  // white for bit 1
        rows_.firstSpan = byKernel_ ? maskPlan.rows.sourceStart - spansTop_ : 0;
        rows_.covered = maskPlan.covered != nullptr ? maskPlan.covered->Rows() : nullptr;
        rows_.coveredHeight = maskPlan.covered != nullptr ? maskPlan.covered->Height() : 0;
        rows_.destTop = maskPlan.rows.destStart;
        rows_.destLeft = maskPlan.columns.destStart;
        rows_.sourceStart = maskPlan.columns.sourceStart;
        rows_.count = maskPlan.columns.count;
        rows_.forward = maskPlan.columns.Forward();
    }

    // Plan rows first .. first + rows - 1, as rows 0 on of the kernel's walk, from `out` on;
    // returns where their parts end.
    MaskedRowPart* AddRows(int32_t first, int32_t rows, MaskedRowPart* out) const {
        if (byKernel_) {
            return kernel_(rows_, first, first + rows, out);
        }
        const UnscaledRowParts values = *this;
        for (int32_t r = 0; r < rows; ++r) {
            out = values.Add(first + r, r, out);
        }
        return out;
    }

  private:
    // Plan row i's parts from `out` on, as parts of row `row` of the kernel's walk.
    MaskedRowPart* Add(int32_t i, int32_t row, MaskedRowPart* out) const {
        ColumnRange run{0, rows_.count};
        if (rows_.spans != nullptr) {
            run = RunReading(rows_, rows_.spans[sources_.At(i) - spansTop_]);
            if (run.Empty()) {
                return out;
            }
        }
        return AddUncoveredParts(rows_, i, run, row, out);
    }

    SourceRows sources_;
    int32_t spansTop_;  // the spans' rows (rows_.spans) start at their area's top row
    bool byKernel_;
    MaskedPartsKernel kernel_;
    MaskedPartRows rows_;  // its first span is plan row 0's only where the kernel takes them
};

// A masked plot at scale 1 (columns forward or mirrored, rows in any order). Given the
// pictures' spans, a row runs only the destination pixels its span can change, and of those
// only what the destination's covered pixels leave. The parts so found go to the kernel in one
// call where the source rows lie a stride apart (unscaled rows, forward or upside down), else
// a row's parts at a time.
class UnscaledMaskedRows {
  public:
    UnscaledMaskedRows(const BlitPlan& maskPlan, const Bitmap& image, const MaskedSpans* spans)
        : kernel_(maskPlan.columns.Forward() ? MaskedMonoRowsKernelFor()
                                             : ReversedMaskedMonoRowsKernelFor()),
          colours_(ColoursOf(maskPlan)),
          start_(maskPlan.columns.sourceStart),
          pictures_(maskPlan, image),
          rows_(maskPlan.rows),
          parts_(maskPlan, spans) {}

    // The rows in chunks whose parts a buffer on the stack holds (at most two a row: a covered
    // run can split it), so that a plot allocates nothing; rows whose source rows are not a
    // stride apart (stretched vertically) one at a time.
    void Run() const {
        constexpr int32_t kChunkRows = 64;
        std::array<MaskedRowPart, 2 * kChunkRows> parts;
        const int32_t chunkRows = rows_.Scaled() ? 1 : kChunkRows;
        const int32_t step = rows_.Scaled() ? 0 : rows_.step;
        for (int32_t first = 0; first < rows_.count; first += chunkRows) {
            const int32_t rows = std::min(chunkRows, rows_.count - first);
            Plot(first, step, parts.data(), parts_.AddRows(first, rows, parts.data()));
        }
    }

  private:
    // The parts from `begin` to `end`, their rows counted from plan row i, the walk's source
    // rows going `step` rows at a time.
    void Plot(int32_t i, int32_t step, const MaskedRowPart* begin, const MaskedRowPart* end) const {
        const int32_t sourceY = rows_.SourceAt(i);
        MaskedRows rows;
        rows.dest = pictures_.Dest(i);
        rows.destStride = pictures_.DestStride();
        rows.bits = pictures_.Mask(sourceY);
        rows.bitsStride = step * pictures_.MaskStride();
        rows.image = pictures_.Image(sourceY);
        rows.imageStride = step * pictures_.ImageStride();
        rows.firstColumn = start_;
        rows.colours = colours_;
        rows.parts = begin;
        rows.partCount = static_cast<int32_t>(end - begin);
        kernel_(rows);
    }

    MaskedMonoRowsKernel kernel_;
    MonoColours colours_;
    int32_t start_;
    MaskedPlotRows pictures_;
    const AxisMap& rows_;
    UnscaledRowParts parts_;
};

// Stretched masked rows that shrink too far for shuffles: the mask's source span expanded to
// colours, then both pictures gathered into rows in destination order, once for each source
// row, and the run plotted from those.
class GatheredRows {
  public:
    GatheredRows(const BlitPlan& plan, const ColumnSpan& span, MonoColours colours)
        : span_(span),
          colours_(colours),
          count_(plan.columns.count),
          gather_(GatherRowKernelFor(Rop::SrcCopy)),
          maskedColour_(MaskedColourRowKernelFor()),
          spanMask_(static_cast<size_t>(span.count)),
          rowMask_(static_cast<size_t>(count_)),
          rowImage_(static_cast<size_t>(count_)) {}

    void Row(Pixel* dest, const uint8_t* mask, const Pixel* image, int32_t sourceY,
             ColumnRange run) {
        if (!gathered_ || sourceY != gatheredY_) {
            MonoRowKernelFor(Rop::SrcCopy)(spanMask_.data(), mask + (span_.first >> 3),
                                           span_.first & 7, span_.count, colours_);
            gather_(rowMask_.data(), spanMask_.data(), span_.places.data(), count_);
            gather_(rowImage_.data(), image + span_.first, span_.places.data(), count_);
            gathered_ = true;
            gatheredY_ = sourceY;
        }
        const auto from = static_cast<size_t>(run.begin);
        maskedColour_(dest + run.begin, rowMask_.data() + from, rowImage_.data() + from,
                      run.Width());
    }

  private:
    const ColumnSpan& span_;
    MonoColours colours_;
    int32_t count_;
    GatherRowKernel gather_;
    MaskedColourRowKernel maskedColour_;
    std::vector<Pixel> spanMask_;
    std::vector<Pixel> rowMask_;
    std::vector<Pixel> rowImage_;
    bool gathered_ = false;
    int32_t gatheredY_ = 0;
};

// A stretched masked plot, each destination row in one pass: mask bits and image pixels picked
// by shuffles, the rows' parts going to the kernel in chunks, or where a row shrinks too far
// for them, gathered. Given the pictures' spans, a row runs only the destination pixels its
// span can change.
class StretchedMaskedRows {
  public:
    StretchedMaskedRows(const BlitPlan& maskPlan, const Bitmap& image, const MaskedSpans* spans)
        : plan_(maskPlan),
          image_(image),
          colours_(ColoursOf(maskPlan)),
          spans_(spans),
          columns_(StretchedColumnsFor(maskPlan.columns,
                                       static_cast<int32_t>(maskPlan.source->MonoStride()))) {}

    void Run() const {
        const MaskedPlotRows pictures(plan_, image_);
        if (columns_->WideKernel() != nullptr) {
            ShuffledRuns(columns_->WideKernel(), columns_->WideGroups(), pictures);
            return;
        }
        if (columns_->Kernel() != nullptr) {
            ShuffledRuns(columns_->Kernel(), columns_->Groups(), pictures);
            return;
        }
        GatheredRows gathered(plan_, columns_->Span(), colours_);
        const RowRuns runs(plan_, spans_, *columns_);
        for (int32_t i = 0; i < plan_.rows.count; ++i) {
            const int32_t sourceY = runs.SourceRow(i);
            const ColumnRange run = runs.Run(sourceY);
            if (!run.Empty()) {
                gathered.Row(pictures.Dest(i), pictures.Mask(sourceY), pictures.Image(sourceY),
                             sourceY, run);
            }
        }
    }

  private:
    // Each plan row's source row, and the destination columns of a row that read its source
    // row's span, or all of them: the walk's values in locals, which its stores cannot change.
    class RowRuns {
      public:
        RowRuns(const BlitPlan& plan, const MaskedSpans* spans, const StretchedColumns& columns)
            : sources_(plan.rows),
              spans_(spans != nullptr ? spans->Rows() : nullptr),
              spansTop_(spans != nullptr ? spans->Area().top : 0),
              count_(plan.columns.count),
              limits_(columns.Limits()) {}

        int32_t SourceRow(int32_t i) const { return sources_.At(i); }
        ColumnRange Run(int32_t sourceY) const {
            return spans_ != nullptr ? limits_.Reading(spans_[sourceY - spansTop_])
                                     : ColumnRange{0, count_};
        }

      private:
        SourceRows sources_;
        const ColumnRange* spans_;  // the spans' rows, their area's top row first
        int32_t spansTop_;
        int32_t count_;
        ColumnLimits limits_;
    };

    // The rows' runs as parts of whole groups, in chunks of rows whose parts a buffer on the
    // stack holds, each chunk in one call of the kernel. A run takes the groups from the one
    // it starts in to the one it ends in, or to the row's last group (which covers the row's
    // last pixels) where it reaches past the whole groups.
    template <class Kernel, class Group>
    void ShuffledRuns(Kernel kernel, const std::vector<Group>& groups,
                      const MaskedPlotRows& pictures) const {
        constexpr auto lanes = static_cast<uint32_t>(std::size(Group{}.pick));
        constexpr int32_t kChunkRows = 64;
        std::array<ShuffledRowPart, kChunkRows> parts;
        const int32_t count = plan_.columns.count;
        const auto full = static_cast<int32_t>(static_cast<uint32_t>(count) / lanes);
        ShuffledRows<Group> rows;
        rows.dest = pictures.Dest(0);
        rows.destStride = pictures.DestStride();
        rows.bits = pictures.Mask(0);
        rows.bitsStride = pictures.MaskStride();
        rows.maskBytes = plan_.source->MonoStride();
        rows.imageSpan = pictures.Image(0) + columns_->Span().first;
        rows.imageStride = pictures.ImageStride();
        rows.groups = groups.data();
        rows.groupCount = static_cast<int32_t>(groups.size());
        rows.count = count;
        rows.colours = colours_;
        rows.parts = parts.data();
        constexpr auto laneShift = static_cast<uint32_t>(std::countr_zero(lanes));
        const RowRuns runs(plan_, spans_, *columns_);
        const std::optional<ShuffledPartRows> partRows = PartRows(laneShift, full + 1);
        const ShuffledPartsKernel addParts = ShuffledPartsKernelFor();
        for (int32_t first = 0; first < plan_.rows.count; first += kChunkRows) {
            const int32_t last = std::min(first + kChunkRows, plan_.rows.count);
            ShuffledRowPart* end = parts.data();
            if (partRows) {
                end = addParts(*partRows, first, last, end);
            } else {
                for (int32_t i = first; i < last; ++i) {
                    const int32_t sourceY = runs.SourceRow(i);
                    const ColumnRange run = runs.Run(sourceY);
                    if (!run.Empty()) {
                        *end++ = ShuffledPartOf(i, sourceY, run, laneShift, full + 1);
                    }
                }
            }
            rows.partCount = static_cast<int32_t>(end - parts.data());
            kernel(rows);
        }
    }

    // The rows for the parts kernel, where their source rows come from a table and their spans
    // are given (a stretched sprite's plot): else the walk above finds the parts itself.
    std::optional<ShuffledPartRows> PartRows(uint32_t laneShift, int32_t groupLimit) const {
        if (spans_ == nullptr || !plan_.rows.Scaled()) {
            return std::nullopt;
        }
        ShuffledPartRows partRows;
        partRows.sourceRows = plan_.rows.table.data();
        partRows.spans = spans_->Rows();
        partRows.spansTop = spans_->Area().top;
        partRows.limits = columns_->Limits();
        partRows.laneShift = laneShift;
        partRows.groupLimit = groupLimit;
        return partRows;
    }

    const BlitPlan& plan_;
    const Bitmap& image_;
    MonoColours colours_;
    const MaskedSpans* spans_;  // with white for bit 1 only
    std::shared_ptr<const StretchedColumns> columns_;
};

}  // namespace

void RunColourBlit(const BlitPlan& plan, Rop rop) {
    ColourRows rows(plan, rop);
    for (int32_t i = 0; i < plan.rows.count; ++i) {
        rows.Row(i);
    }
}

void RunMaskedColourBlit(const BlitPlan& maskPlan, const Bitmap& image, const MaskedSpans* spans) {
    if (maskPlan.columns.Empty() || maskPlan.rows.Empty()) {
        return;
    }
    if (maskPlan.source->Monochrome() && !image.Monochrome()) {
        const bool useSpans = spans != nullptr && maskPlan.monoColours[1] == kWhite &&
                              ReadsInside(maskPlan, spans->Area());
        const MaskedSpans* readSpans = useSpans ? spans : nullptr;
        if (maskPlan.columns.Scaled()) {
            StretchedMaskedRows(maskPlan, image, readSpans).Run();
        } else {
            UnscaledMaskedRows(maskPlan, image, readSpans).Run();
        }
        return;
    }
    BlitPlan imagePlan = maskPlan;
    imagePlan.source = &image;
    ColourRows mask(maskPlan, Rop::SrcAnd);
    ColourRows colours(imagePlan, Rop::SrcPaint);
    for (int32_t i = 0; i < maskPlan.rows.count; ++i) {
        mask.Row(i);
        colours.Row(i);
    }
}

}  // namespace gfx::raster
