#pragma once
// TCanvas: the canvas of a form. It draws into the window's surface and puts every change on
// the screen at once: each copy presents exactly its destination rectangle (within the clip
// box). Code that draws onto it through the plain gfx calls presents with Changed.

#include <functional>
#include <optional>

#include "framework/Color.h"
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Rect.h"

namespace framework {

class TCanvas : public gfx::Canvas {
  public:
    using PresentFunction = std::function<void(const gfx::Rect&)>;

    TCanvas(gfx::Bitmap& surface, PresentFunction present);

    void BitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const gfx::Canvas* source,
                int32_t sourceX, int32_t sourceY, gfx::Rop rop);
    void StretchBlt(int32_t x, int32_t y, int32_t width, int32_t height, const gfx::Canvas* source,
                    int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight,
                    gfx::Rop rop);
    // As gfx::Canvas does, then presents.
    void CopyRect(const gfx::Rect& dest, const gfx::Canvas& source, const gfx::Rect& sourceRect);
    void Draw(int32_t x, int32_t y, const gfx::Bitmap& source);
    void FillRect(const gfx::Rect& rect, TColor color);

    // Presents a rectangle that was drawn onto this canvas by other means.
    void Changed(const gfx::Rect& rect);

    // Confines drawing to a rectangular region; nullopt removes the clip region.
    void SelectClipRgn(const std::optional<gfx::Rect>& region) { SetClipRect(region); }
    // The clip box: the clip region, or the whole surface when there is none.
    gfx::Rect GetClipBox() const { return ClipBox(); }

  private:
    PresentFunction present_;
};

}  // namespace framework
