// TSequenceList::ReadData on hostile input. The first byte chooses the owner's stored version
// text: even "1.1e" (steps of 93 bytes, with DZ), odd "1.0" (91 bytes, without); the rest is
// one stored "Data" property. A rejection is a base::Exception; anything else (a crash, a
// sanitizer report, another exception) is a finding. A list that reads must be usable: every
// sequence is found by its own name, every step gives its frame data, it copies, and what it
// writes reads back under "1.1e" and writes again to the same bytes.

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "sprites/FrameList.h"
#include "sprites/SequenceList.h"
#include "sprites/SequenceOwner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using sprites::TSequence;
using sprites::TSequenceList;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// An owner with a version text and a few frames named as the stored leaf frames, so that
// some step lookups find a frame and others do not.
class FuzzOwner : public sprites::ISequenceOwner {
  public:
    explicit FuzzOwner(std::string version) : version_(std::move(version)) {
        for (const char* name : {"blad1_", "blad1_02", "blad4_", "ster"}) {
            auto frame = std::make_unique<sprites::TFrame>(&frames_);
            frame->SetName(name);
            frames_.Add(std::move(frame));
        }
    }
    std::string StoredVersion() const override { return version_; }
    sprites::TFrameList& FrameList() override { return frames_; }

  private:
    std::string version_;
    sprites::TFrameList frames_;
};

std::vector<uint8_t> Written(const TSequenceList& list) {
    base::MemoryStream out;
    list.WriteData(out);
    return out.Bytes();
}

void CheckSteps(const TSequence& sequence, int32_t frameCount) {
    int32_t frameIndex = 0;
    int16_t dx = 0, dy = 0, dz = 0;
    base::Real48 time;
    if (sequence.Count() > 0) {
        sequence.GetFrameData(-1, frameIndex, dx, dy, dz, time);
        Check(dx == 0 && dy == 0 && dz == 0 && time == base::Real48{});
        Check(frameIndex == sequence.Items(0).FrameIndex());
    }
    for (int32_t j = 0; j < sequence.Count(); ++j) {
        const sprites::TFrameRef& step = sequence.Items(j);
        sequence.GetFrameData(j, frameIndex, dx, dy, dz, time);
        Check(frameIndex >= -1 && frameIndex < frameCount && frameIndex == step.FrameIndex());
        Check(dx == step.DX() && dy == step.DY() && dz == step.DZ() && time == step.Time());
        Check(sequence.IndexOf(step.FrameName()) <= j);
        (void)time.ToDouble();
    }
}

// A copy holds the same names, moves and times; the bytes behind its names may differ.
void CheckSameSequence(const TSequence& copy, const TSequence& source) {
    Check(copy.Name() == source.Name() && copy.Count() == source.Count());
    for (int32_t j = 0; j < source.Count(); ++j) {
        const sprites::TFrameRef& a = copy.Items(j);
        const sprites::TFrameRef& b = source.Items(j);
        Check(a.FrameName() == b.FrameName() && a.DX() == b.DX() && a.DY() == b.DY() &&
              a.DZ() == b.DZ() && a.Time() == b.Time());
    }
}

// Written, read into a list of a "1.1e" owner and written again: the same bytes.
void CheckRoundTrip(const TSequenceList& list) {
    const std::vector<uint8_t> first = Written(list);
    FuzzOwner owner("1.1e");
    TSequenceList again(&owner);
    base::MemoryStream in(first);
    again.ReadData(in);
    Check(in.Remaining() == 0 && again.Count() == list.Count());
    Check(Written(again) == first);
}

void Exercise(FuzzOwner& owner, TSequenceList& list, size_t consumed) {
    Check(list.Count() > 0 || consumed == 2);  // an empty list reads only its count
    const int32_t frameCount = owner.FrameList().Count();
    for (int32_t i = 0; i < list.Count(); ++i) {
        TSequence& sequence = list.Items(i);
        Check(sequence.Sprite() == &owner);
        Check(list.IndexOf(sequence.Name()) <= i);
        Check(&list.SequenceByName(sequence.Name()) == &list.Items(list.IndexOf(sequence.Name())));
        CheckSteps(sequence, frameCount);
    }
    CheckRoundTrip(list);
    TSequenceList copy(nullptr);
    copy.Assign(list);
    Check(copy.Count() == list.Count() && copy.Sprite() == &owner);
    for (int32_t i = 0; i < list.Count(); ++i) {
        CheckSameSequence(copy.Items(i), list.Items(i));
    }
}

}  // namespace

// Only the read may fail: an exception from the exercise of a list that read is a finding.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    FuzzOwner owner((data[0] & 1u) == 0 ? "1.1e" : "1.0");
    TSequenceList list(&owner);
    base::MemoryStream stream(std::span<const uint8_t>(data + 1, size - 1));
    try {
        list.ReadData(stream);
    } catch (const base::Exception&) {
        return 0;  // an expected rejection of a damaged property
    }
    Exercise(owner, list, stream.Position());
    return 0;
}
