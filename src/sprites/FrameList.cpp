#include "sprites/FrameList.h"

#include <algorithm>
#include <utility>

#include "base/Exceptions.h"
#include "base/Name.h"
#include "gfx/Bitmap.h"
#include "gfx/Raster.h"
#include "sprites/StoredCount.h"

namespace sprites {

using framework::TColor;

namespace {

// A stored 1-bit black-and-white strip reads as a monochrome bitmap, but Image is a colour
// strip: its pixels are expanded, and its stored form is kept for writing it back.
void ExpandToColour(TIOBitmap& strip) {
    if (!strip.Monochrome()) {
        return;
    }
    TIOBitmap colour(strip.Width(), strip.Height(), gfx::PixelFormat::Colour);
    gfx::BitBlt(colour.GetCanvas(), 0, 0, strip.Width(), strip.Height(), &strip.GetCanvas(), 0, 0,
                gfx::Rop::SrcCopy);
    colour.SetStoredForm(strip.StoredDepth(), strip.ColourTable());
    strip = std::move(colour);
}

// Moves the columns right of a removed frame left by its width and narrows the strip.
void CompactStrip(TIOBitmap& strip, const TFrame& frame, int16_t width) {
    const gfx::Rect dest{frame.X(), frame.Y(), strip.Width() - width, strip.Height()};
    const gfx::Rect source{frame.X() + width, frame.Y(), strip.Width(), strip.Height()};
    gfx::Canvas& canvas = strip.GetCanvas();
    if (!dest.IsEmpty()) {  // a frame reaching past the strip's end has nothing right of it
        gfx::BitBlt(canvas, dest.left, dest.top, dest.Width(), dest.Height(), &canvas, source.left,
                    source.top, gfx::Rop::SrcCopy);
    }
    strip.SetWidth(std::max(0, strip.Width() - width));
}

// An empty span grows nothing, wherever it starts.
bool SpanInside(int32_t start, int32_t length, int32_t limit) {
    return length == 0 || (start >= 0 && start + length <= limit);
}

}  // namespace

TFrameList::TFrameList(TColor transparentColor)
    : transparentColor_(transparentColor), image_(0, 0), mask_(0, 0, gfx::PixelFormat::Mono) {}

TFrameList::~TFrameList() {
    TFrameList::Clear();
}

TFrame& TFrameList::Add(std::unique_ptr<TFrame> frame) {
    if (frame == nullptr || frame->FrameList() != this) {
        throw base::EFrame("TFrameList.Add: the frame does not belong to this FrameList");
    }
    return Append(std::move(frame));
}

int32_t TFrameList::IndexOf(std::string_view name) const {
    const std::string_view wanted = base::CutName(name);
    for (int32_t i = 0; i < Count(); ++i) {
        if (Items(i).StoredName().View() == wanted) {
            return i;
        }
    }
    return -1;
}

// PrepareMask reads the old colour from the list, so the field changes after every frame.
void TFrameList::SetTransparentColor(TColor color) {
    for (const auto& frame : Slots()) {
        frame->PrepareMask(color, false);
    }
    transparentColor_ = color;
}

void TFrameList::GetMaxSize(int32_t& maxWidth, int32_t& maxHeight) const {
    maxWidth = 0;
    maxHeight = 0;
    for (const auto& frame : Slots()) {
        maxWidth = std::max<int32_t>(maxWidth, frame->Width());
        maxHeight = std::max<int32_t>(maxHeight, frame->Height());
    }
}

void TFrameList::Clear() {
    if (Count() == 0) {
        return;
    }
    clearing_ = true;
    TPersistentList::Clear();
    mask_.SetSize(0, 0);
    image_.SetSize(0, 0);
    clearing_ = false;
}

// The copied strips are prepared for the copied colour already, so no frame is prepared.
void TFrameList::Assign(const framework::TPersistent& source) {
    const auto* list = dynamic_cast<const TFrameList*>(&source);
    if (list == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (list == this) {
        return;
    }
    Clear();
    transparentColor_ = list->transparentColor_;
    clearing_ = false;
    loaded_ = list->loaded_;
    image_ = list->image_;
    mask_ = list->mask_;
    for (const auto& frame : list->Slots()) {
        auto copy = std::make_unique<TFrame>(this);
        copy->Assign(*frame);
        Append(std::move(copy));
    }
}

// A frame without width occupies no strip columns, so it moves nothing.
void TFrameList::RemoveFrame(const TFrame& frame) {
    const int16_t width = frame.Width();
    if (clearing_ || frame.FrameList() != this || width <= 0) {
        return;
    }
    ShiftFramesRightOf(frame, width);
    CompactStrip(image_, frame, width);
    CompactStrip(mask_, frame, width);
}

void TFrameList::ShiftFramesRightOf(const TFrame& frame, int16_t width) {
    for (const auto& other : Slots()) {
        if (other != nullptr && other->X() > frame.X()) {
            other->SetX(static_cast<int16_t>(other->X() - width));
        }
    }
}

void TFrameList::ReadData(base::MemoryStream& stream) {
    Clear();
    loaded_ = false;
    const int16_t frameCount = stream.ReadI16();
    ReadFrames(stream, frameCount);
    if (loaded_) {
        ReadStrip(stream);
    }
    CheckFramesInsideStrip();
    const ScratchSize scratch = ScratchForFrames();
    GrowTempBitmap(static_cast<int32_t>(scratch.width), static_cast<int32_t>(scratch.height));
    for (const auto& frame : Slots()) {
        frame->PrepareMask(transparentColor_, true);
    }
}

// What the scratch bitmap, shared by every list, grows to for this list's frames: twice the
// largest frame's width and height, less one, and no less than it has. It is grown once, not
// frame by frame; a frame that would make it larger than a bitmap can be is refused first.
TFrameList::ScratchSize TFrameList::ScratchForFrames() const {
    const gfx::Bitmap* scratch = TempBitmap();
    ScratchSize size{scratch != nullptr ? scratch->Width() : 0,
                     scratch != nullptr ? scratch->Height() : 0};
    for (const auto& frame : Slots()) {
        size.width = std::max<int64_t>(size.width, 2 * int64_t{frame->Width()} - 1);
        size.height = std::max<int64_t>(size.height, 2 * int64_t{frame->Height()} - 1);
        if (size.width > gfx::kMaxBitmapDimension || size.height > gfx::kMaxBitmapDimension ||
            size.width * size.height > gfx::kMaxBitmapPixels) {
            throw base::EFrame("FrameList.ReadData: frame \"" + frame->Name() + "\" of " +
                               std::to_string(frame->Width()) + " x " +
                               std::to_string(frame->Height()) + " needs a scratch bitmap of " +
                               std::to_string(size.width) + " x " + std::to_string(size.height) +
                               ", larger than a bitmap can be");
        }
    }
    return size;
}

// The scratch bitmap grows to twice a frame's size, so a record must not ask for more than
// the strip that was actually read can hold.
void TFrameList::CheckFramesInsideStrip() const {
    for (const auto& frame : Slots()) {
        if (!SpanInside(frame->X(), frame->Width(), image_.Width()) ||
            !SpanInside(frame->Y(), frame->Height(), image_.Height())) {
            throw base::EFrame("FrameList.ReadData: frame \"" + frame->Name() + "\" at (" +
                               std::to_string(frame->X()) + ", " + std::to_string(frame->Y()) +
                               ") of " + std::to_string(frame->Width()) + " x " +
                               std::to_string(frame->Height()) + " lies outside the strip of " +
                               std::to_string(image_.Width()) + " x " +
                               std::to_string(image_.Height()));
        }
    }
}

// One frame is made per record actually present, so a huge count costs nothing beyond the
// bytes that are there; a negative count reads as none.
void TFrameList::ReadFrames(base::MemoryStream& stream, int16_t frameCount) {
    for (int16_t i = 0; i < frameCount; ++i) {
        auto frame = std::make_unique<TFrame>(this);
        try {
            frame->ReadRecord(stream);
        } catch (...) {
            // Never part of the list: detached, it takes nothing out of the strips as it goes.
            frame->Initialize("", nullptr, nullptr);
            throw;
        }
        Append(std::move(frame));
    }
}

void TFrameList::ReadStrip(base::MemoryStream& stream) {
    image_.ReadData(stream);
    ExpandToColour(image_);
    mask_.SetSize(image_.Width(), image_.Height());
}

// Colour 0 gives every transparent pixel its own colour back, so the stored strip holds the
// true colours; the list's colour is prepared again afterwards, also after a failure.
void TFrameList::WriteData(base::MemoryStream& stream) {
    const TColor color = transparentColor_;
    SetTransparentColor(framework::clBlack);
    try {
        WriteContent(stream);
    } catch (...) {
        SetTransparentColor(color);
        throw;
    }
    SetTransparentColor(color);
}

void TFrameList::WriteContent(base::MemoryStream& stream) const {
    stream.WriteI16(StoredCount(Count(), "FrameList.WriteData"));
    for (const auto& frame : Slots()) {
        frame->WriteData(stream);
    }
    image_.WriteData(stream);
}

}  // namespace sprites
