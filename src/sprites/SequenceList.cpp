#include "sprites/SequenceList.h"

#include "base/Exceptions.h"
#include "base/Name.h"
#include "sprites/StoredCount.h"

namespace sprites {

void TSequenceList::Assign(const framework::TPersistent& source) {
    const auto* list = dynamic_cast<const TSequenceList*>(&source);
    if (list == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (list == this) {
        return;
    }
    sprite_ = list->sprite_;
    Clear();
    for (const auto& sequence : list->Slots()) {
        auto copy = std::make_unique<TSequence>(Sprite());
        copy->Assign(*sequence);
        Append(std::move(copy));
    }
}

TSequence& TSequenceList::Add(std::unique_ptr<TSequence> sequence) {
    if (sequence == nullptr) {
        throw base::ESprite("TSequenceList.Add: no sequence");
    }
    return Append(std::move(sequence));
}

int32_t TSequenceList::IndexOf(std::string_view name) const {
    const std::string_view wanted = base::CutName(name);
    for (int32_t i = 0; i < Count(); ++i) {
        if (base::SameTextAZ(Items(i).StoredName().View(), wanted)) {
            return i;
        }
    }
    return -1;
}

TSequence& TSequenceList::SequenceByName(std::string_view name) {
    const std::string_view wanted = base::CutName(name);
    const int32_t index = IndexOf(wanted);
    if (index == -1) {
        throw base::ESprite("SequenceByName: " + std::string(wanted) + " not found");
    }
    return Items(index);
}

// One sequence is made per record actually present, so a huge count costs nothing beyond the
// bytes that are there; a negative count reads as none.
void TSequenceList::ReadData(base::MemoryStream& stream) {
    Clear();
    const int16_t sequenceCount = stream.ReadI16();
    for (int16_t i = 0; i < sequenceCount; ++i) {
        auto sequence = std::make_unique<TSequence>(Sprite());
        sequence->ReadData(stream);
        Append(std::move(sequence));
    }
}

void TSequenceList::WriteData(base::MemoryStream& stream) const {
    stream.WriteI16(StoredCount(Count(), "SequenceList.WriteData"));
    for (const auto& sequence : Slots()) {
        sequence->WriteData(stream);
    }
}

}  // namespace sprites
