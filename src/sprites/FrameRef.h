#pragma once
// TFrameRef: one step of a sequence: the name of the frame it shows, the move (DX, DY, DZ)
// applied when the sprite leaves the step, and how long the frame is shown (seconds, as a
// 6-byte real). Its record: name (81 bytes), DX, DY, [DZ,] (2 bytes each), Time (6 bytes),
// 93 bytes with DZ and 91 without; DZ is present for owners whose stored version is "1.1b"
// or later, and always written.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/MemoryStream.h"
#include "base/Name.h"
#include "base/Real48.h"
#include "framework/Persistent.h"
#include "sprites/SequenceOwner.h"

namespace sprites {

class TFrame;

// True when steps stored under this version text carry DZ: the text does not compare below
// "1.1b" byte by byte (a proper prefix is the smaller).
bool StepsCarryDZ(std::string_view storedVersion);

class TFrameRef : public framework::TPersistent {
  public:
    explicit TFrameRef(ISequenceOwner* sprite) : sprite_(sprite) {}

    // From a TFrameRef: frame name (cut to 80), sprite, DX, DY, DZ, Time.
    void Assign(const framework::TPersistent& source) override;
    std::string ClassName() const override { return "TFrameRef"; }

    std::string FrameName() const { return name_.Str(); }
    const base::TName& StoredFrameName() const { return name_; }
    void SetFrameName(std::string_view name) { name_.Set(name); }
    ISequenceOwner* Sprite() const { return sprite_.Get(); }
    int16_t DX() const { return dx_; }
    int16_t DY() const { return dy_; }
    int16_t DZ() const { return dz_; }
    const base::Real48& Time() const { return time_; }
    void SetDX(int16_t dx) { dx_ = dx; }
    void SetDY(int16_t dy) { dy_ = dy; }
    void SetDZ(int16_t dz) { dz_ = dz; }
    void SetTime(const base::Real48& time) { time_ = time; }

    // The index of the step's frame in the sprite's frame list, or -1 (also without a sprite).
    int32_t FrameIndex() const;
    // The step's frame; an absent name fails with the list's index error (index -1).
    TFrame& Frame() const;

    // One step record, its size chosen by the sprite's stored version (none: the old size).
    void ReadData(base::MemoryStream& stream);
    // Always the 93-byte record with DZ.
    void WriteData(base::MemoryStream& stream) const;

  private:
    base::TName name_;
    SequenceOwnerLink sprite_;
    int16_t dx_ = 0;
    int16_t dy_ = 0;
    int16_t dz_ = 0;
    base::Real48 time_;
};

}  // namespace sprites
