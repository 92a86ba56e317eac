#pragma once
// TSequence: a named animation script, an ordered list of owned steps (TFrameRef). Its
// record: name (81 bytes, as held), StepCount (signed 16-bit), the step records.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/MemoryStream.h"
#include "base/Name.h"
#include "base/Real48.h"
#include "sprites/FrameRef.h"
#include "sprites/PersistentList.h"
#include "sprites/SequenceOwner.h"

namespace sprites {

inline constexpr std::string_view kNewSequenceName = "New Sequence";

class TSequence : public TPersistentList<TFrameRef> {
  public:
    explicit TSequence(ISequenceOwner* sprite)
        : name_(kNewSequenceName), sprite_(sprite), serial_(++lastSerial_) {}

    // From a TSequence: name (cut to 80), Reserved, sprite, and a copy of every step made for
    // that sprite.
    void Assign(const framework::TPersistent& source) override;
    std::string ClassName() const override { return "TSequence"; }

    std::string Name() const { return name_.Str(); }
    const base::TName& StoredName() const { return name_; }
    // The bytes behind a shorter new name keep the earlier characters, and are stored so.
    void SetName(std::string_view name) { name_.Set(name); }
    const base::Real48& Reserved() const { return reserved_; }
    void SetReserved(const base::Real48& reserved) { reserved_ = reserved; }
    ISequenceOwner* Sprite() const { return sprite_.Get(); }
    // Tells this sequence apart from every other one the process made, also from one made later
    // at the same address; a rename or an assignment keeps it.
    uint64_t Serial() const { return serial_; }

    // Appends a step (takes ownership).
    TFrameRef& Add(std::unique_ptr<TFrameRef> step);

    // The index of the first step whose frame name equals `frameName` cut to 80 characters
    // (case matters), or -1.
    int32_t IndexOf(std::string_view frameName) const;

    // Step index's frame index (-1 when its frame is absent) and move and time. Index -1 gives
    // the first step's frame index with no move and no time. A bad index fails with the
    // list's index error.
    void GetFrameData(int32_t index, int32_t& frameIndex, int16_t& dx, int16_t& dy, int16_t& dz,
                      base::Real48& time) const;

    // Replaces the steps with the record's; steps read before a failure stay.
    void ReadData(base::MemoryStream& stream);
    void WriteData(base::MemoryStream& stream) const;

  private:
    base::TName name_;
    base::Real48 reserved_;
    SequenceOwnerLink sprite_;
    uint64_t serial_;
    static inline uint64_t lastSerial_ = 0;
};

}  // namespace sprites
