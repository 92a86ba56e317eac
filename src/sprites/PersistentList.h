#pragma once
// TPersistentList: the owning list beneath frame lists, sequences and sequence lists. It holds
// its items as std::unique_ptr and frees them, in index order, when it is cleared or destroyed.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/Exceptions.h"
#include "framework/Persistent.h"

namespace sprites {

template <class TItem>
class TPersistentList : public framework::TPersistent {
  public:
    TPersistentList() = default;
    TPersistentList(const TPersistentList&) = delete;
    TPersistentList& operator=(const TPersistentList&) = delete;
    ~TPersistentList() override { TPersistentList::Clear(); }

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }

    // The item at index; an index outside 0 .. Count - 1 fails with base::EListError.
    TItem& Items(int32_t index) { return *items_[CheckedIndex(index)]; }
    const TItem& Items(int32_t index) const { return *items_[CheckedIndex(index)]; }

    // Frees every item in index order 0 .. Count - 1, then empties the list.
    virtual void Clear() {
        for (auto& item : items_) {
            item.reset();
        }
        items_.clear();
    }

  protected:
    TItem& Append(std::unique_ptr<TItem> item) {
        items_.push_back(std::move(item));
        return *items_.back();
    }

    // Destroys the item at index while it still holds its place (its slot reads as null
    // meanwhile), then closes the gap.
    void Delete(int32_t index) {
        const size_t slot = CheckedIndex(index);
        items_[slot].reset();
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(slot));
    }

    // The slots themselves, for scans that must skip an item being destroyed.
    const std::vector<std::unique_ptr<TItem>>& Slots() const { return items_; }

  private:
    size_t CheckedIndex(int32_t index) const {
        if (index < 0 || index >= Count()) {
            throw base::EListError("List index out of bounds (" + std::to_string(index) + ")");
        }
        return static_cast<size_t>(index);
    }

    std::vector<std::unique_ptr<TItem>> items_;
};

}  // namespace sprites
