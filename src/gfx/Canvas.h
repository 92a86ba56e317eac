#pragma once
// The drawing state of a bitmap, as a device context has it: the copy mode, the background
// colour (white by default; a colour-to-monochrome copy gives 1 where the source equals the
// source canvas' background; a monochrome-to-colour copy gives the destination's background
// for 1) and the text colour (black by default; the destination's colour for 0), a clip box,
// and the selected palette, which is kept for the calls but changes no 32-bit pixel.

#include <cstdint>
#include <optional>

#include "gfx/Pixel.h"
#include "gfx/Rect.h"

namespace gfx {

class Bitmap;
class CoveredRows;

// Raster operations, with the platform's codes.
enum class Rop : uint32_t {
    SrcCopy = 0x00CC0020,    // d = s
    SrcAnd = 0x008800C6,     // d = d AND s
    SrcPaint = 0x00EE0086,   // d = d OR s
    DstInvert = 0x00550009,  // d = NOT d, no source
    Blackness = 0x00000042,  // d = 0, no source
};

// True for the operations that read a source.
inline constexpr bool RopUsesSource(Rop rop) {
    return rop != Rop::DstInvert && rop != Rop::Blackness;
}

class Canvas {
  public:
    explicit Canvas(Bitmap& target) : target_(&target) {}
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Bitmap& Target() { return *target_; }
    const Bitmap& Target() const { return *target_; }

    Rop CopyMode() const { return copyMode_; }
    void SetCopyMode(Rop rop) { copyMode_ = rop; }

    Pixel BackgroundColour() const { return background_; }
    // Returns the previous colour, as SetBkColor does.
    Pixel SetBackgroundColour(Pixel colour);
    Pixel TextColour() const { return text_; }
    Pixel SetTextColour(Pixel colour);

    // Drawing onto this canvas is confined to the clip box (and always to the bitmap).
    std::optional<Rect> ClipRect() const { return clip_; }
    void SetClipRect(std::optional<Rect> clip) { clip_ = clip; }
    // The clip box, or the whole bitmap when none is set.
    Rect ClipBox() const;

    // Pixels that drawing still to come will overwrite (see CoveredRows): transfers onto the
    // canvas may leave them. Not owned; null when none are, as by default.
    const CoveredRows* Covered() const { return covered_; }
    void SetCovered(const CoveredRows* covered) { covered_ = covered; }

    // Palette calls keep their place in the drawing code; they return the previous palette
    // handle and change no pixel.
    uintptr_t SelectPalette(uintptr_t palette, bool forceBackground);
    void RealizePalette() {}

    Pixel GetPixel(int32_t x, int32_t y) const;

    // Stretch-copies sourceRect of source onto dest with the copy mode (a negative extent of
    // either rectangle mirrors).
    void CopyRect(const Rect& dest, const Canvas& source, const Rect& sourceRect);
    // Copies the whole of source with its top-left corner at (x, y), with the copy mode.
    void Draw(int32_t x, int32_t y, const Bitmap& source);

  private:
    Bitmap* target_;
    Rop copyMode_ = Rop::SrcCopy;
    Pixel background_ = kWhite;
    Pixel text_ = kBlack;
    std::optional<Rect> clip_;
    const CoveredRows* covered_ = nullptr;
    uintptr_t palette_ = 0;
};

}  // namespace gfx
