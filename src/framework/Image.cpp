#include "framework/Image.h"

#include <algorithm>

#include "framework/Form.h"

namespace framework {

namespace {
constexpr int32_t kDefaultImageSize = 105;
}  // namespace

TImage::TImage(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, kDefaultImageSize, kDefaultImageSize);
    picture_.OnChange = [this] { PictureChanged(); };
}

void TImage::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    PictureChanged();
}

void TImage::PictureChanged() {
    if (autoSize_ && picture_.Graphic() != nullptr) {
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    }
    Invalidate();
}

void TImage::Paint() {
    const gfx::Bitmap* graphic = picture_.Graphic();
    if (Parent() == nullptr || graphic == nullptr || graphic->Empty()) {
        return;
    }
    int32_t width = std::min(Width(), graphic->Width());
    int32_t height = std::min(Height(), graphic->Height());
    Parent()->Canvas().BitBlt(Left(), Top(), width, height, &graphic->GetCanvas(), 0, 0,
                              gfx::Rop::SrcCopy);
}

}  // namespace framework
