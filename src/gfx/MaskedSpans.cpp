#include "gfx/MaskedSpans.h"

#include <algorithm>

namespace gfx {

namespace {

bool LeavesDestination(const Bitmap& mask, const Bitmap& image, int32_t x, int32_t y) {
    return mask.GetPixel(x, y) == kWhite && image.GetPixel(x, y) == kBlack;
}

// Scanned from both ends inward, so a row costs its transparent margins only.
ColumnRange SpanOfRow(const Bitmap& mask, const Bitmap& image, const Rect& area, int32_t y) {
    ColumnRange span{area.left, area.right};
    while (!span.Empty() && LeavesDestination(mask, image, span.begin, y)) {
        ++span.begin;
    }
    while (!span.Empty() && LeavesDestination(mask, image, span.end - 1, y)) {
        --span.end;
    }
    return span;
}

bool Opaque(const Bitmap& mask, const uint8_t* monoRow, int32_t x, int32_t y) {
    return monoRow != nullptr ? !MonoBitAt(monoRow, x) : mask.GetPixel(x, y) == kBlack;
}

// Only the span can hold opaque pixels: outside it every mask bit is 1.
ColumnRange OpaqueRunOfRow(const Bitmap& mask, ColumnRange span, int32_t y) {
    // Pixels outside the mask bitmap (a frame may reach past it) never count as opaque.
    if (y < 0 || y >= mask.Height()) {
        return {};
    }
    span = {std::max(span.begin, 0), std::min(span.end, mask.Width())};
    const uint8_t* monoRow = mask.Monochrome() ? mask.MonoRow(y) : nullptr;
    ColumnRange widest;
    for (int32_t x = span.begin; x < span.end;) {
        if (!Opaque(mask, monoRow, x, y)) {
            ++x;
            continue;
        }
        const int32_t begin = x;
        while (x < span.end && Opaque(mask, monoRow, x, y)) {
            ++x;
        }
        if (x - begin > widest.Width()) {
            widest = {begin, x};
        }
    }
    return widest;
}

}  // namespace

MaskedSpans MaskedSpans::Measure(const Bitmap& mask, const Bitmap& image, const Rect& area) {
    MaskedSpans spans;
    spans.area_ = area;
    spans.mask_ = mask.Stamp();
    spans.image_ = image.Stamp();
    spans.rows_.reserve(static_cast<size_t>(std::max(area.Height(), 0)));
    spans.opaque_.reserve(spans.rows_.capacity());
    for (int32_t y = area.top; y < area.bottom; ++y) {
        spans.rows_.push_back(SpanOfRow(mask, image, area, y));
        spans.opaque_.push_back(OpaqueRunOfRow(mask, spans.rows_.back(), y));
    }
    return spans;
}

bool MaskedSpans::Current(const Bitmap& mask, const Bitmap& image) const {
    return mask.Stamp() == mask_ && image.Stamp() == image_;
}

}  // namespace gfx
