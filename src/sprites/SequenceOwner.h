#pragma once
// What frame references, sequences and sequence lists need from the sprite that owns them:
// the version text it read from its form description (it decides the stored step size) and
// its frame list (for frame lookups by name). TSprite implements it.

#include <memory>
#include <string>

namespace sprites {

class TFrameList;

class ISequenceOwner {
  public:
    ISequenceOwner() = default;
    ISequenceOwner(const ISequenceOwner&) = delete;
    ISequenceOwner& operator=(const ISequenceOwner&) = delete;
    virtual ~ISequenceOwner() = default;

    // The About text as stored ("1.1e" for a sprite that read none).
    virtual std::string StoredVersion() const = 0;
    virtual TFrameList& FrameList() = 0;

  private:
    friend class SequenceOwnerLink;
    // Lives exactly as long as the owner; links watch it.
    std::shared_ptr<ISequenceOwner* const> self_ = std::make_shared<ISequenceOwner* const>(this);
};

// How a step, a sequence or a list holds its sprite. A list assigned from another sprite's list
// keeps that other sprite, which may go first: the link then reads null, as for a step without
// sprite, instead of pointing at what is gone.
class SequenceOwnerLink {
  public:
    SequenceOwnerLink() = default;
    explicit SequenceOwnerLink(ISequenceOwner* owner) {
        if (owner != nullptr) {
            owner_ = owner->self_;
        }
    }

    ISequenceOwner* Get() const {
        const std::shared_ptr<ISequenceOwner* const> owner = owner_.lock();
        return owner ? *owner : nullptr;
    }

  private:
    std::weak_ptr<ISequenceOwner* const> owner_;
};

}  // namespace sprites
