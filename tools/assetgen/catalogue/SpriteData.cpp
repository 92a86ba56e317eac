#include "SpriteData.h"

#include <memory>
#include <string>

#include "FrameTable.h"
#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "base/Real48.h"
#include "sprites/FrameList.h"
#include "sprites/SequenceList.h"
#include "sprites/Sprite.h"

namespace assetgen {
namespace {

// What the sequences ask of their sprite while they are made and written: its version.
class StoredSprite : public sprites::ISequenceOwner {
  public:
    std::string StoredVersion() const override { return std::string(sprites::kSpriteVersion); }
    sprites::TFrameList& FrameList() override { return frames_; }

  private:
    sprites::TFrameList frames_;
};

int16_t Coordinate(int32_t value, const std::string& frame) {
    if (value < INT16_MIN || value > INT16_MAX) {
        throw base::EFrame("StoredFrameList: frame " + frame + " does not fit 16 bits");
    }
    return static_cast<int16_t>(value);
}

void AddFrame(sprites::TFrameList& list, const assetpaint::FrameEntry& entry) {
    const gfx::Rect strip{0, 0, list.Image().Width(), list.Image().Height()};
    const gfx::Rect frame = gfx::RectFromSize(entry.x, entry.y, entry.width, entry.height);
    if (frame.left < 0 || frame.top < 0 || frame.right > strip.right ||
        frame.bottom > strip.bottom) {
        throw base::EFrame("StoredFrameList: frame " + entry.name + " lies outside the strip");
    }
    auto made = std::make_unique<sprites::TFrame>(&list);
    made->Initialize(entry.name, &list, nullptr);
    made->SetX(Coordinate(entry.x, entry.name));
    made->SetY(Coordinate(entry.y, entry.name));
    made->SetWidth(Coordinate(entry.width, entry.name));
    made->SetHeight(Coordinate(entry.height, entry.name));
    sprites::TFrame& added = list.Add(std::move(made));
    // The strip holds its true colours yet, as right after reading it.
    added.PrepareMask(list.TransparentColor(), true);
}

std::unique_ptr<sprites::TFrameRef> MakeStep(StoredSprite& sprite, const WindSequence& sequence,
                                             int step) {
    auto made = std::make_unique<sprites::TFrameRef>(&sprite);
    made->SetFrameName(assetpaint::LeafFrameName(sequence.leaf, StripPositionOfStep(step)));
    const WindMove& move = sequence.moves[static_cast<size_t>(step)];
    made->SetDX(move.dx);
    made->SetDY(move.dy);
    made->SetDZ(0);
    made->SetTime(base::Real48::FromDouble(kWindStepTime));
    return made;
}

}  // namespace

std::vector<uint8_t> StoredFrameList(const assetpaint::StripBitmap& strip,
                                     framework::TColor transparent) {
    sprites::TFrameList list(transparent);
    static_cast<gfx::Bitmap&>(list.Image()) = strip.bitmap;
    list.Mask().SetSize(strip.bitmap.Width(), strip.bitmap.Height());
    for (const assetpaint::FrameEntry& entry : strip.frames) {
        AddFrame(list, entry);
    }
    list.SetLoaded(true);
    base::MemoryStream stream;
    list.WriteData(stream);
    return stream.Bytes();
}

std::vector<uint8_t> StoredSequenceList(std::span<const WindSequence> sequences) {
    StoredSprite sprite;
    sprites::TSequenceList list(&sprite);
    for (const WindSequence& wind : sequences) {
        auto sequence = std::make_unique<sprites::TSequence>(&sprite);
        sequence->SetName(WindSequenceName(wind));
        for (int step = 0; step < kWindSteps; ++step) {
            sequence->Add(MakeStep(sprite, wind, step));
        }
        list.Add(std::move(sequence));
    }
    base::MemoryStream stream;
    list.WriteData(stream);
    return stream.Bytes();
}

}  // namespace assetgen
