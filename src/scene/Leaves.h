#pragma once
// The records of the leaves scene and their lists: free grid points (TPos in TPosList),
// landed leaves (TLeafPos in TLeafPosList) and leaves in flight (TLeaf in TLeafList). A list
// owns what it holds; taking a record out hands it to the caller.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "sprites/Sprite.h"

namespace scene {

// A grid point.
struct TPos {
    TPos(int32_t x, int32_t y) : X(x), Y(y) {}
    virtual ~TPos() = default;

    int32_t X;
    int32_t Y;
};

// A landed leaf: X, Y is the top-left corner of the stamped frame.
struct TLeafPos : TPos {
    TLeafPos(int32_t x, int32_t y, int32_t width, int32_t height, std::string frameName,
             std::string sequenceName)
        : TPos(x, y),
          FrameName(std::move(frameName)),
          Width(width),
          Height(height),
          SequenceName(std::move(sequenceName)) {}

    int32_t CentreX() const { return X + Width / 2; }
    int32_t CentreY() const { return Y + Height / 2; }

    std::string FrameName;
    int32_t Width;
    int32_t Height;
    std::string SequenceName;
};

// A leaf in flight with its own sprite, a copy of the prototype. The leaf owns the sprite but
// releases it in a deferred way: a leaf is retired from inside its own sprite's move report,
// so the sprite destroys itself at its next tick instead.
class TLeaf {
  public:
    explicit TLeaf(sprites::TSprite& prototype)
        : Sprite(&sprites::TSprite::CreateCopy(prototype)) {}
    TLeaf(const TLeaf&) = delete;
    TLeaf& operator=(const TLeaf&) = delete;
    ~TLeaf() { Sprite->Release(); }

    int32_t GetX() const { return Sprite->GetX(); }
    int32_t GetY() const { return Sprite->GetY(); }
    void SetX(int32_t x) { Sprite->SetX(x); }
    void SetY(int32_t y) { Sprite->SetY(y); }

    sprites::TSprite* const Sprite;
    int32_t TargetX = 0;
    int32_t TargetY = 0;
};

// An ordered list that owns its items.
template <class T>
class TOwningList {
  public:
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    T& Items(int32_t index) const { return *items_[Checked(index)]; }
    T& Add(std::unique_ptr<T> item) {
        items_.push_back(std::move(item));
        return *items_.back();
    }
    // Inserts at index (0 .. Count); later items move down.
    void Insert(int32_t index, std::unique_ptr<T> item) {
        if (index != Count()) {
            Checked(index);
        }
        items_.insert(items_.begin() + index, std::move(item));
    }
    // Takes the item at index out of the list and hands it to the caller.
    std::unique_ptr<T> Extract(int32_t index) {
        const size_t at = Checked(index);
        std::unique_ptr<T> item = std::move(items_[at]);
        items_.erase(items_.begin() + index);
        return item;
    }
    // Takes the given item out; null when it is not in the list.
    std::unique_ptr<T> Remove(const T& item) {
        for (int32_t i = 0; i < Count(); ++i) {
            if (items_[static_cast<size_t>(i)].get() == &item) {
                return Extract(i);
            }
        }
        return nullptr;
    }
    void Clear() { items_.clear(); }

  private:
    size_t Checked(int32_t index) const {
        if (index < 0 || index >= Count()) {
            throw base::EListError("List index out of bounds (" + std::to_string(index) + ")");
        }
        return static_cast<size_t>(index);
    }

    std::vector<std::unique_ptr<T>> items_;
};

using TPosList = TOwningList<TPos>;
using TLeafPosList = TOwningList<TLeafPos>;

class TLeafList : public TOwningList<TLeaf> {
  public:
    // The first leaf whose sprite is that very sprite, or null.
    TLeaf* FindBySprite(const sprites::TSprite& sprite) const;
};

}  // namespace scene
