#include "sprites/Frame.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "base/Exceptions.h"
#include "base/Real48.h"
#include "gfx/Raster.h"
#include "sprites/FrameList.h"
#include "sprites/IOBitmap.h"

namespace sprites {

using framework::ColorToPixel;
using framework::TColor;

namespace {

// Sets a canvas' background and text colours for one copy and puts the old ones back.
class CanvasColours {
  public:
    CanvasColours(gfx::Canvas& canvas, gfx::Pixel background, gfx::Pixel text)
        : canvas_(canvas),
          oldBackground_(canvas.SetBackgroundColour(background)),
          oldText_(canvas.SetTextColour(text)) {}
    CanvasColours(const CanvasColours&) = delete;
    CanvasColours& operator=(const CanvasColours&) = delete;
    ~CanvasColours() {
        canvas_.SetBackgroundColour(oldBackground_);
        canvas_.SetTextColour(oldText_);
    }

  private:
    gfx::Canvas& canvas_;
    gfx::Pixel oldBackground_;
    gfx::Pixel oldText_;
};

// Selects the strip's palette into both device contexts for one copy and puts the old ones
// back, both forced to background. The 32-bit strips carry no palette of their own (handle 0).
class PaletteSelection {
  public:
    PaletteSelection(gfx::Canvas& canvas, gfx::Canvas& image)
        : canvas_(canvas),
          image_(image),
          oldCanvasPalette_(canvas.SelectPalette(kStripPalette, true)),
          oldImagePalette_(image.SelectPalette(kStripPalette, true)) {}
    PaletteSelection(const PaletteSelection&) = delete;
    PaletteSelection& operator=(const PaletteSelection&) = delete;
    ~PaletteSelection() {
        canvas_.SelectPalette(oldCanvasPalette_, true);
        image_.SelectPalette(oldImagePalette_, true);
    }

  private:
    static constexpr uintptr_t kStripPalette = 0;
    gfx::Canvas& canvas_;
    gfx::Canvas& image_;
    uintptr_t oldCanvasPalette_;
    uintptr_t oldImagePalette_;
};

// A block copy between equal rectangles.
void CopyRect(gfx::Canvas& dest, const gfx::Rect& rect, const gfx::Canvas* source, gfx::Rop rop) {
    gfx::BitBlt(dest, rect.left, rect.top, rect.Width(), rect.Height(), source, rect.left, rect.top,
                rop);
}

// A stretch copy with the destination canvas' copy mode; exchanged edges give negative
// extents, which mirror.
void StretchRect(gfx::Canvas& dest, const gfx::Rect& destRect, const gfx::Canvas& source,
                 const gfx::Rect& sourceRect) {
    gfx::StretchBlt(dest, destRect.left, destRect.top, destRect.Width(), destRect.Height(), &source,
                    sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height(),
                    dest.CopyMode());
}

// A scaled extent, halves to even; it must fit a 32-bit coordinate.
int64_t ScaledExtent(int16_t extent, double scale) {
    if (!std::isfinite(scale)) {
        throw base::EFrame("TFrame.PlotEx: scale is not a finite number");
    }
    const long double scaled = static_cast<long double>(extent) * scale;
    if (std::fabs(scaled) > static_cast<long double>(std::numeric_limits<int32_t>::max() / 2)) {
        throw base::EFrame("TFrame.PlotEx: scaled frame size out of range");
    }
    return base::RoundHalfEven(scaled);
}

int32_t CheckedCoordinate(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        throw base::EFrame("TFrame.PlotEx: plot position out of range");
    }
    return static_cast<int32_t>(value);
}

// The mask starts each preparation from a plain canvas, as a fresh copy of it would.
void ResetToPlainCanvas(gfx::Canvas& canvas) {
    canvas.SetCopyMode(gfx::Rop::SrcCopy);
    canvas.SetBackgroundColour(gfx::kWhite);
    canvas.SetTextColour(gfx::kBlack);
    canvas.SetClipRect(std::nullopt);
}

// Transparent pixels are black: OR with the mask expanded to (old, black) gives them back.
void RestoreTransparentPixels(gfx::Canvas& image, const gfx::Canvas& mask, const gfx::Rect& r,
                              TColor old) {
    CanvasColours colours(image, ColorToPixel(old), gfx::kBlack);
    CopyRect(image, r, &mask, gfx::Rop::SrcPaint);
}

// Colour to monochrome: bit 1 exactly where the image pixel equals the colour.
void BuildMask(gfx::Canvas& mask, gfx::Canvas& image, const gfx::Rect& r, TColor color) {
    CanvasColours colours(image, ColorToPixel(color), image.TextColour());
    CopyRect(mask, r, &image, gfx::Rop::SrcCopy);
}

// Inverted, the mask marks opaque pixels; AND with it expanded to (white, black) blackens the
// transparent ones; inverted again, it marks the transparent pixels once more.
void BlackenTransparentPixels(gfx::Canvas& image, gfx::Canvas& mask, const gfx::Rect& r) {
    CopyRect(mask, r, nullptr, gfx::Rop::DstInvert);
    {
        CanvasColours colours(image, gfx::kWhite, gfx::kBlack);
        CopyRect(image, r, &mask, gfx::Rop::SrcAnd);
    }
    CopyRect(mask, r, nullptr, gfx::Rop::DstInvert);
}

int16_t SourceExtent(int32_t extent) {
    if (extent > std::numeric_limits<int16_t>::max()) {
        throw base::EFrame("TFrame.Initialize: source wider or higher than 32767 pixels");
    }
    return static_cast<int16_t>(extent);
}

}  // namespace

TFrame::TFrame(TFrameList* frameList) {
    Initialize("", frameList, nullptr);
    ResizeTempBitmap();
    if (frameList == nullptr) {
        throw base::EFrame("Creation of frame failed. Framelist cannot be nil");
    }
}

TFrame::~TFrame() {
    if (frameList_ != nullptr) {
        frameList_->RemoveFrame(*this);
    }
}

void TFrame::Initialize(std::string_view name, TFrameList* frameList, const gfx::Bitmap* source) {
    name_.Set(name);
    frameList_ = frameList;
    width_ = source != nullptr ? SourceExtent(source->Width()) : 0;
    height_ = source != nullptr ? SourceExtent(source->Height()) : 0;
    x_ = -1;
    y_ = -1;
}

void TFrame::Assign(const framework::TPersistent& source) {
    const auto* frame = dynamic_cast<const TFrame*>(&source);
    if (frame == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    name_.Set(frame->Name());
    x_ = frame->x_;
    y_ = frame->y_;
    width_ = frame->width_;
    height_ = frame->height_;
}

TFrameList& TFrame::List() const {
    if (frameList_ == nullptr) {
        throw base::EFrame("TFrame: the frame belongs to no FrameList");
    }
    return *frameList_;
}

TIOBitmap& TFrame::Image() const {
    return List().Image();
}

TIOBitmap& TFrame::Mask() const {
    return List().Mask();
}

gfx::Canvas& TFrame::ImageCanvas() const {
    return List().ImageCanvas();
}

void TFrame::ResizeTempBitmap() const {
    gfx::Bitmap* temp = TempBitmap();
    if (temp == nullptr) {
        throw base::EFrame("TFrame.ResizeTempBitmap: Temporary bitmap does not exist anymore!");
    }
    GrowTempBitmap(2 * width_ - 1, 2 * height_ - 1);
}

// Restore, build, and (for a colour other than black) invert, blacken, invert, all on this
// frame's rectangle. Afterwards mask bit 1 marks the pixels of colour `color`, and when that
// colour is not black those pixels hold black in Image.
void TFrame::PrepareMask(TColor color, bool loading) {
    TFrameList& list = List();
    gfx::Canvas& image = list.ImageCanvas();
    gfx::Canvas& mask = list.Mask().GetCanvas();
    const gfx::Rect r = SourceRect();
    const TColor old = list.TransparentColor();
    ResetToPlainCanvas(mask);
    if (old != framework::clBlack && !loading) {
        RestoreTransparentPixels(image, mask, r, old);
    }
    BuildMask(mask, image, r, color);
    if (color != framework::clBlack) {
        BlackenTransparentPixels(image, mask, r);
    }
}

void TFrame::Plot(gfx::Canvas& canvas, int32_t x, int32_t y, bool transparent) const {
    PlotEx(canvas, x, y, false, false, transparent, 1.0);
}

gfx::Rect TFrame::PlotRect(int32_t x, int32_t y, bool mirrorX, bool mirrorY, double scale) const {
    gfx::Rect dest{x, y, CheckedCoordinate(x + ScaledExtent(width_, scale)),
                   CheckedCoordinate(y + ScaledExtent(height_, scale))};
    if (mirrorX) {
        std::swap(dest.left, dest.right);
    }
    if (mirrorY) {
        std::swap(dest.top, dest.bottom);
    }
    return dest;
}

// Transparent: the mask cuts the frame's opaque area to black (AND), then the blackened image
// is ORed in. Opaque: the image is copied. The canvas keeps the copy mode of the last step.
void TFrame::PlotEx(gfx::Canvas& canvas, int32_t x, int32_t y, bool mirrorX, bool mirrorY,
                    bool transparent, double scale) const {
    const gfx::Rect dest = PlotRect(x, y, mirrorX, mirrorY, scale);
    const gfx::Rect source = SourceRect();
    TFrameList& list = List();
    PaletteSelection palettes(canvas, list.ImageCanvas());
    if (!transparent) {
        canvas.SetCopyMode(gfx::Rop::SrcCopy);
        StretchRect(canvas, dest, list.ImageCanvas(), source);
        return;
    }
    // The mask's AND and the image's OR, run together row by row: one pass over the canvas,
    // and only over the part of each row that the frame's pixels change.
    canvas.SetCopyMode(gfx::Rop::SrcPaint);
    const gfx::Bitmap& mask = list.Mask();
    const gfx::Bitmap& image = list.Image();
    gfx::MaskedStretchBlt(canvas, dest.left, dest.top, dest.Width(), dest.Height(),
                          mask.GetCanvas(), image.GetCanvas(), source.left, source.top,
                          source.Width(), source.Height(), &SpansIn(mask, image));
}

// Mirrored, frame column c lands on x + width - c and frame row r on y + height - r: an
// exchanged edge pair puts the picture one pixel further on, as the stretch does.
void TFrame::CoverOpaquePixels(gfx::CoveredRows& rows, int32_t x, int32_t y, bool mirrorX,
                               bool mirrorY, bool transparent) const {
    TFrameList& list = List();
    const gfx::Bitmap& strip = list.Image();
    const gfx::MaskedSpans* spans = transparent ? &SpansIn(list.Mask(), strip) : nullptr;
    // Only the frame rows that land on one of the covered rows are measured.
    const int32_t shift = mirrorY ? y + height_ : y;
    const int32_t first = mirrorY ? std::max(0, shift - rows.Height() + 1) : std::max(0, -shift);
    const int32_t end = mirrorY ? std::min<int32_t>(height_, shift + 1)
                                : std::min<int32_t>(height_, rows.Height() - shift);
    // Frame row r lands on row shift + step * r; frame column c on x + c, or mirrored on
    // x + width - c (a run's ends exchanged).
    const int32_t step = mirrorY ? -1 : 1;
    // The opaque runs are in the strips' columns. An opaque frame draws its whole rectangle as
    // far as it lies inside the strips: a rectangle reaching past them draws nothing there.
    const gfx::ColumnRange inStrip{std::max<int32_t>(x_, 0),
                                   std::min<int32_t>(x_ + width_, strip.Width())};
    const int32_t top = y_;
    const int32_t forward = x - x_;
    const int32_t mirrored = x + width_ + 1 + x_;
    for (int32_t r = first; r < end; ++r) {
        const int32_t stripRow = top + r;
        gfx::ColumnRange run;
        if (spans != nullptr) {
            run = spans->OpaqueRun(stripRow);
        } else if (stripRow >= 0 && stripRow < strip.Height()) {
            run = inStrip;
        }
        rows.Cover(shift + step * r,
                   mirrorX ? gfx::ColumnRange{mirrored - run.end, mirrored - run.begin}
                           : gfx::ColumnRange{forward + run.begin, forward + run.end});
    }
}

// Measured again whenever the strips' pixels or the frame's rectangle have changed.
const gfx::MaskedSpans& TFrame::SpansIn(const gfx::Bitmap& mask, const gfx::Bitmap& image) const {
    const gfx::Rect source = SourceRect();
    if (!spans_.Describe(mask, image, source)) {
        spans_ = gfx::MaskedSpans::Measure(mask, image, source);
    }
    return spans_;
}

void TFrame::PlotMasked(gfx::Canvas& canvas, int32_t x, int32_t y, double scale) const {
    PlotEx(canvas, x, y, false, false, true, scale);
}

void TFrame::PlotOpaque(gfx::Canvas& canvas, int32_t x, int32_t y, double scale) const {
    PlotEx(canvas, x, y, false, false, false, scale);
}

// The fields take the record's values only once it is read whole and sound, so a frame whose
// read fails keeps its rectangle and takes no more out of the strips when it goes than it
// holds. A record too large for the scratch bitmap puts the old values back.
void TFrame::ReadData(base::MemoryStream& stream) {
    const base::TName name = name_;
    const int16_t x = x_, y = y_, width = width_, height = height_;
    ReadRecord(stream);
    try {
        ResizeTempBitmap();
    } catch (...) {
        name_ = name;
        x_ = x, y_ = y, width_ = width, height_ = height;
        throw;
    }
}

void TFrame::ReadRecord(base::MemoryStream& stream) {
    if (stream.ReadU8() != 0) {
        throw base::EFrame("Frame.ReadData: TestByte not equal to zero");
    }
    base::TName name;
    name.Read(stream);
    const int16_t x = stream.ReadI16();
    const int16_t y = stream.ReadI16();
    const int16_t width = stream.ReadI16();
    const int16_t height = stream.ReadI16();
    if (width < 0 || height < 0) {
        throw base::EFrame("Frame.ReadData: negative frame size " + std::to_string(width) + " x " +
                           std::to_string(height));
    }
    name_ = name;
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    if (frameList_ == nullptr) {
        throw base::EFrame("Frame.ReadData: no FrameList");
    }
    frameList_->SetLoaded(true);
}

void TFrame::WriteData(base::MemoryStream& stream) const {
    stream.WriteU8(0);
    name_.Write(stream);
    stream.WriteI16(x_);
    stream.WriteI16(y_);
    stream.WriteI16(width_);
    stream.WriteI16(height_);
}

}  // namespace sprites
