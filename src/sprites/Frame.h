#pragma once
// TFrame: one picture of an animation, a named rectangle inside the two strips of its frame
// list (the colour Image and the monochrome Mask). A frame holds no pixels of its own, so it
// derives from TPersistent rather than from a bitmap class. It prepares its part of the mask
// for the list's transparent colour, plots itself, and reads and writes its 90-byte record.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/MemoryStream.h"
#include "base/Name.h"
#include "framework/Color.h"
#include "framework/Persistent.h"
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/CoveredRows.h"
#include "gfx/MaskedSpans.h"
#include "gfx/Rect.h"
#include "sprites/TempBitmap.h"

namespace sprites {

class TFrameList;
class TIOBitmap;

inline constexpr size_t kFrameRecordSize = 90;

class TFrame : public framework::TPersistent {
  public:
    // An empty frame of frameList (not yet appended to it). A null list fails with EFrame; the
    // frame's share of the scratch bitmap is given back.
    explicit TFrame(TFrameList* frameList);
    TFrame(const TFrame&) = delete;
    TFrame& operator=(const TFrame&) = delete;
    // Asks the list to take the frame's pixels out of the strips, then releases the share.
    ~TFrame() override;

    // Name cut to 80 characters, the list, the size of source (0 x 0 without one), X = Y = -1.
    void Initialize(std::string_view name, TFrameList* frameList, const gfx::Bitmap* source);
    // From a TFrame: name, X, Y, Width, Height (not the list).
    void Assign(const framework::TPersistent& source) override;
    std::string ClassName() const override { return "TFrame"; }

    std::string Name() const { return name_.Str(); }
    const base::TName& StoredName() const { return name_; }
    void SetName(std::string_view name) { name_.Set(name); }
    TFrameList* FrameList() const { return frameList_; }
    int16_t X() const { return x_; }
    int16_t Y() const { return y_; }
    int16_t Width() const { return width_; }
    int16_t Height() const { return height_; }
    void SetX(int16_t x) { x_ = x; }
    void SetY(int16_t y) { y_ = y; }
    void SetWidth(int16_t width) { width_ = width; }
    void SetHeight(int16_t height) { height_ = height; }
    // (X, Y, X + Width, Y + Height), right and bottom exclusive.
    gfx::Rect SourceRect() const { return gfx::RectFromSize(x_, y_, width_, height_); }

    // The owning list's strips and the canvas of its Image.
    TIOBitmap& Image() const;
    TIOBitmap& Mask() const;
    gfx::Canvas& ImageCanvas() const;

    // Grows the scratch bitmap to at least (2 Width - 1) x (2 Height - 1).
    void ResizeTempBitmap() const;

    // Rebuilds this frame's part of Mask for transparent colour `color` and blackens its
    // transparent pixels in Image. `loading` tells that the strips were just read, so Image
    // still holds the list's colour in its transparent pixels.
    void PrepareMask(framework::TColor color, bool loading);

    // Draws the frame with its top-left corner at (x, y): scaled (sizes rounded half to even),
    // mirrored by exchanging the destination's edges, through the mask when transparent.
    virtual void Plot(gfx::Canvas& canvas, int32_t x, int32_t y, bool transparent) const;
    virtual void PlotEx(gfx::Canvas& canvas, int32_t x, int32_t y, bool mirrorX, bool mirrorY,
                        bool transparent, double scale) const;
    // Marks the pixels that PlotEx at (x, y) and scale 1, on a canvas with black as its text
    // colour, gives the frame's own colours whatever they held: the whole frame when opaque (as
    // far as it lies inside the strips), each row's widest run of opaque pixels when
    // transparent. An override of PlotEx that changes what is drawn must override this too.
    virtual void CoverOpaquePixels(gfx::CoveredRows& rows, int32_t x, int32_t y, bool mirrorX,
                                   bool mirrorY, bool transparent) const;
    void PlotMasked(gfx::Canvas& canvas, int32_t x, int32_t y, double scale) const;
    void PlotOpaque(gfx::Canvas& canvas, int32_t x, int32_t y, double scale) const;

    // The record: test byte 0, name (81 bytes), X, Y, Width, Height (signed 16-bit each).
    // ReadData also grows the scratch bitmap for the frame read; ReadRecord leaves that to the
    // list, which first checks the rectangle against the strip it reads afterwards.
    void ReadData(base::MemoryStream& stream);
    void ReadRecord(base::MemoryStream& stream);
    void WriteData(base::MemoryStream& stream) const;

  private:
    TFrameList& List() const;
    // The spans of the frame's rows in the strips (see gfx::MaskedSpans), kept while they hold.
    const gfx::MaskedSpans& SpansIn(const gfx::Bitmap& mask, const gfx::Bitmap& image) const;
    gfx::Rect PlotRect(int32_t x, int32_t y, bool mirrorX, bool mirrorY, double scale) const;

    TempBitmapShare share_;  // first member: counted before anything else can fail
    base::TName name_;
    TFrameList* frameList_ = nullptr;
    int16_t x_ = -1;
    int16_t y_ = -1;
    int16_t width_ = 0;
    int16_t height_ = 0;
    mutable gfx::MaskedSpans spans_;  // a cache of what the strips' pixels give
};

}  // namespace sprites
