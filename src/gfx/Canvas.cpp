#include "gfx/Canvas.h"

#include "gfx/Bitmap.h"
#include "gfx/Raster.h"

namespace gfx {

Pixel Canvas::SetBackgroundColour(Pixel colour) {
    const Pixel previous = background_;
    background_ = colour & kColourBits;
    return previous;
}

Pixel Canvas::SetTextColour(Pixel colour) {
    const Pixel previous = text_;
    text_ = colour & kColourBits;
    return previous;
}

Rect Canvas::ClipBox() const {
    const Rect whole{0, 0, target_->Width(), target_->Height()};
    return clip_ ? IntersectRect(*clip_, whole) : whole;
}

uintptr_t Canvas::SelectPalette(uintptr_t palette, bool /*forceBackground*/) {
    const uintptr_t previous = palette_;
    palette_ = palette;
    return previous;
}

Pixel Canvas::GetPixel(int32_t x, int32_t y) const {
    return target_->GetPixel(x, y);
}

void Canvas::CopyRect(const Rect& dest, const Canvas& source, const Rect& sourceRect) {
    StretchBlt(*this, dest.left, dest.top, dest.Width(), dest.Height(), &source, sourceRect.left,
               sourceRect.top, sourceRect.Width(), sourceRect.Height(), copyMode_);
}

void Canvas::Draw(int32_t x, int32_t y, const Bitmap& source) {
    BitBlt(*this, x, y, source.Width(), source.Height(), &source.GetCanvas(), 0, 0, copyMode_);
}

}  // namespace gfx
