#pragma once
// TFrameList: the frames of one sprite and the two strips they live in, Image (colour, all
// frames side by side) and Mask (monochrome, same size, bit 1 = transparent). It owns the
// transparent colour and keeps every frame prepared for it, finds frames by name, copies
// itself, and reads and writes its "Data" stream:
//   FrameCount (signed 16-bit), FrameCount records of 90 bytes, then the Image strip as a
//   bitmap payload (read only when a record was read; the mask is rebuilt, not stored).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/MemoryStream.h"
#include "framework/Color.h"
#include "sprites/Frame.h"
#include "sprites/IOBitmap.h"
#include "sprites/PersistentList.h"

namespace sprites {

class TFrameList : public TPersistentList<TFrame> {
  public:
    explicit TFrameList(framework::TColor transparentColor = framework::clBlack);
    ~TFrameList() override;

    std::string ClassName() const override { return "TFrameList"; }

    // Appends a frame of this list; a frame of another list fails with EFrame.
    TFrame& Add(std::unique_ptr<TFrame> frame);
    // Destroys the frame at index; its pixels are taken out of the strips (RemoveFrame).
    void Delete(int32_t index) { TPersistentList::Delete(index); }

    // The index of the first frame whose name equals `name` cut to 80 characters (case
    // matters), or -1.
    int32_t IndexOf(std::string_view name) const;

    framework::TColor TransparentColor() const { return transparentColor_; }
    // Prepares every frame for the new colour, then stores it.
    void SetTransparentColor(framework::TColor color);

    // The largest Width and the largest Height over all frames; 0 and 0 for an empty list.
    void GetMaxSize(int32_t& maxWidth, int32_t& maxHeight) const;

    // Frees every frame without compacting the strips, then empties both strips.
    void Clear() override;
    // From a TFrameList: colour, Loaded, copies of both strips and of every frame (not
    // prepared again). Other sources fail with the framework's assignment error.
    void Assign(const framework::TPersistent& source) override;
    // Called by a frame that goes away: the strip columns right of it move left by its width
    // and both strips get narrower. Does nothing while the list is clearing.
    void RemoveFrame(const TFrame& frame);

    TIOBitmap& Image() { return image_; }
    const TIOBitmap& Image() const { return image_; }
    TIOBitmap& Mask() { return mask_; }
    const TIOBitmap& Mask() const { return mask_; }
    gfx::Canvas& ImageCanvas() { return image_.GetCanvas(); }

    bool Clearing() const { return clearing_; }
    bool Loaded() const { return loaded_; }
    void SetLoaded(bool loaded) { loaded_ = loaded; }

    // Replaces the content with the stream's frames and strip, every frame prepared for the
    // list's colour. Frames read before a failure stay in the list. A frame reaching outside
    // the strip, or too large for the scratch bitmap, is refused before that bitmap grows.
    void ReadData(base::MemoryStream& stream);
    // Writes the strip with its true colours (the colour is set to 0 meanwhile), then
    // prepares the frames for the list's colour again.
    void WriteData(base::MemoryStream& stream);

  private:
    void ReadFrames(base::MemoryStream& stream, int16_t frameCount);
    void ReadStrip(base::MemoryStream& stream);
    struct ScratchSize {
        int64_t width;
        int64_t height;
    };
    ScratchSize ScratchForFrames() const;
    void CheckFramesInsideStrip() const;
    void WriteContent(base::MemoryStream& stream) const;
    void ShiftFramesRightOf(const TFrame& frame, int16_t width);

    framework::TColor transparentColor_;
    TIOBitmap image_;
    TIOBitmap mask_;
    bool clearing_ = false;
    bool loaded_ = false;
};

}  // namespace sprites
