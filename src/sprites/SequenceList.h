#pragma once
// TSequenceList: a sprite's animations, an ordered list of owned sequences, found by name
// regardless of the case of a to z. Its "Data" stream: SequenceCount (signed 16-bit), then
// the sequence records; every step of it has the size the sprite's stored version gives.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/MemoryStream.h"
#include "sprites/PersistentList.h"
#include "sprites/Sequence.h"
#include "sprites/SequenceOwner.h"

namespace sprites {

class TSequenceList : public TPersistentList<TSequence> {
  public:
    explicit TSequenceList(ISequenceOwner* sprite) : sprite_(sprite) {}

    // From a TSequenceList: its sprite, and a copy of every sequence made for that sprite.
    void Assign(const framework::TPersistent& source) override;
    std::string ClassName() const override { return "TSequenceList"; }

    ISequenceOwner* Sprite() const { return sprite_.Get(); }

    // Appends a sequence (takes ownership).
    TSequence& Add(std::unique_ptr<TSequence> sequence);

    // The index of the first sequence whose name equals `name` cut to 80 characters, the
    // letters a to z compared without case, or -1.
    int32_t IndexOf(std::string_view name) const;
    // The sequence of that name; an absent one fails with ESprite
    // "SequenceByName: <name> not found".
    TSequence& SequenceByName(std::string_view name);

    // Replaces the sequences with the stream's; sequences read before a failure stay.
    void ReadData(base::MemoryStream& stream);
    void WriteData(base::MemoryStream& stream) const;

  private:
    SequenceOwnerLink sprite_;
};

}  // namespace sprites
