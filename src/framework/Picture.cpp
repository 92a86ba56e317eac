#include "framework/Picture.h"

namespace framework {

gfx::Bitmap& TPicture::Bitmap() {
    if (!graphic_) {
        graphic_ = std::make_unique<gfx::Bitmap>();
    }
    return *graphic_;
}

void TPicture::SetBitmap(std::unique_ptr<gfx::Bitmap> bitmap) {
    graphic_ = std::move(bitmap);
    Changed();
}

void TPicture::Assign(const TPersistent& source) {
    const auto* picture = dynamic_cast<const TPicture*>(&source);
    if (picture == nullptr) {
        AssignError(source);
    }
    if (picture == this) {
        return;
    }
    const gfx::Bitmap* graphic = picture->Graphic();
    SetBitmap(graphic == nullptr ? nullptr : std::make_unique<gfx::Bitmap>(*graphic));
}

void TPicture::Changed() {
    if (OnChange) {
        OnChange();
    }
}

}  // namespace framework
