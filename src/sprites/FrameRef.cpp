#include "sprites/FrameRef.h"

#include <algorithm>

#include "base/Exceptions.h"
#include "sprites/FrameList.h"

namespace sprites {

bool StepsCarryDZ(std::string_view storedVersion) {
    constexpr std::string_view kFirstVersionWithDZ = "1.1b";
    const auto asByte = [](char c) { return static_cast<unsigned char>(c); };
    const bool below = std::lexicographical_compare(
        storedVersion.begin(), storedVersion.end(), kFirstVersionWithDZ.begin(),
        kFirstVersionWithDZ.end(), [&](char a, char b) { return asByte(a) < asByte(b); });
    return !below;
}

void TFrameRef::Assign(const framework::TPersistent& source) {
    const auto* step = dynamic_cast<const TFrameRef*>(&source);
    if (step == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    name_.Set(step->FrameName());
    sprite_ = step->sprite_;
    dx_ = step->dx_;
    dy_ = step->dy_;
    dz_ = step->dz_;
    time_ = step->time_;
}

int32_t TFrameRef::FrameIndex() const {
    ISequenceOwner* sprite = Sprite();
    return sprite != nullptr ? sprite->FrameList().IndexOf(name_.View()) : -1;
}

TFrame& TFrameRef::Frame() const {
    ISequenceOwner* sprite = Sprite();
    if (sprite == nullptr) {
        throw base::ESprite("TFrameRef.Frame: the step belongs to no sprite");
    }
    return sprite->FrameList().Items(FrameIndex());
}

void TFrameRef::ReadData(base::MemoryStream& stream) {
    ISequenceOwner* sprite = Sprite();
    const bool withDZ = sprite != nullptr && StepsCarryDZ(sprite->StoredVersion());
    base::TName stored;
    stored.Read(stream);
    SetFrameName(stored.Str());
    dx_ = stream.ReadI16();
    dy_ = stream.ReadI16();
    dz_ = withDZ ? stream.ReadI16() : int16_t{0};
    stream.Read(time_.bytes.data(), time_.bytes.size());
}

void TFrameRef::WriteData(base::MemoryStream& stream) const {
    name_.Write(stream);
    stream.WriteI16(dx_);
    stream.WriteI16(dy_);
    stream.WriteI16(dz_);
    stream.Write(time_.bytes.data(), time_.bytes.size());
}

}  // namespace sprites
