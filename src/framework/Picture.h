#pragma once
// TPicture: holds the graphic of an image control, a bitmap (gfx::Bitmap or a kind derived
// from it). A picture may hold no graphic at all.

#include <functional>
#include <memory>
#include <string>

#include "framework/Persistent.h"
#include "gfx/Bitmap.h"

namespace framework {

class TPicture : public TPersistent {
  public:
    // The graphic, or null when there is none.
    gfx::Bitmap* Graphic() const { return graphic_.get(); }
    // The graphic as a bitmap; an empty one is made first when there is none.
    gfx::Bitmap& Bitmap();
    // Takes the bitmap as the graphic (null: no graphic).
    void SetBitmap(std::unique_ptr<gfx::Bitmap> bitmap);
    // 0 without a graphic.
    int32_t Width() const { return graphic_ ? graphic_->Width() : 0; }
    int32_t Height() const { return graphic_ ? graphic_->Height() : 0; }

    // From another picture: a copy of its graphic's pixels (or no graphic).
    void Assign(const TPersistent& source) override;
    std::string ClassName() const override { return "TPicture"; }

    // Called after the graphic was replaced.
    std::function<void()> OnChange;

  private:
    void Changed();

    std::unique_ptr<gfx::Bitmap> graphic_;
};

}  // namespace framework
