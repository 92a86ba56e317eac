#pragma once
// What frame references, sequences and sequence lists need from the sprite that owns them:
// the version text it read from its form description (it decides the stored step size) and
// its frame list (for frame lookups by name). TSprite implements it.

#include <string>

namespace sprites {

class TFrameList;

class ISequenceOwner {
  public:
    virtual ~ISequenceOwner() = default;

    // The About text as stored ("1.1e" for a sprite that read none).
    virtual std::string StoredVersion() const = 0;
    virtual TFrameList& FrameList() = 0;
};

}  // namespace sprites
