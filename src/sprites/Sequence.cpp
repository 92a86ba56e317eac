#include "sprites/Sequence.h"

#include "base/Exceptions.h"
#include "sprites/StoredCount.h"

namespace sprites {

void TSequence::Assign(const framework::TPersistent& source) {
    const auto* sequence = dynamic_cast<const TSequence*>(&source);
    if (sequence == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (sequence == this) {
        return;
    }
    name_.Set(sequence->Name());
    reserved_ = sequence->reserved_;
    sprite_ = sequence->sprite_;
    Clear();
    for (const auto& step : sequence->Slots()) {
        auto copy = std::make_unique<TFrameRef>(Sprite());
        copy->Assign(*step);
        Append(std::move(copy));
    }
}

TFrameRef& TSequence::Add(std::unique_ptr<TFrameRef> step) {
    if (step == nullptr) {
        throw base::ESprite("TSequence.Add: no step");
    }
    return Append(std::move(step));
}

int32_t TSequence::IndexOf(std::string_view frameName) const {
    const std::string_view wanted = base::CutName(frameName);
    for (int32_t i = 0; i < Count(); ++i) {
        if (Items(i).StoredFrameName().View() == wanted) {
            return i;
        }
    }
    return -1;
}

void TSequence::GetFrameData(int32_t index, int32_t& frameIndex, int16_t& dx, int16_t& dy,
                             int16_t& dz, base::Real48& time) const {
    if (index == -1) {
        frameIndex = Items(0).FrameIndex();
        dx = dy = dz = 0;
        time = base::Real48{};
        return;
    }
    const TFrameRef& step = Items(index);
    frameIndex = step.FrameIndex();
    dx = step.DX();
    dy = step.DY();
    dz = step.DZ();
    time = step.Time();
}

// One step is made per record actually present, so a huge count costs nothing beyond the
// bytes that are there; a negative count reads as none.
void TSequence::ReadData(base::MemoryStream& stream) {
    Clear();
    name_.Read(stream);
    const int16_t stepCount = stream.ReadI16();
    for (int16_t i = 0; i < stepCount; ++i) {
        auto step = std::make_unique<TFrameRef>(Sprite());
        step->ReadData(stream);
        Append(std::move(step));
    }
}

void TSequence::WriteData(base::MemoryStream& stream) const {
    name_.Write(stream);
    stream.WriteI16(StoredCount(Count(), "Sequence.WriteData"));
    for (const auto& step : Slots()) {
        step->WriteData(stream);
    }
}

}  // namespace sprites
