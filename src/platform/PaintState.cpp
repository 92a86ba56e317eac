#include "platform/PaintState.h"

#include <algorithm>

namespace platform {
namespace {

gfx::Rect UnionRect(const gfx::Rect& a, const gfx::Rect& b) {
    if (a.IsEmpty()) {
        return b;
    }
    if (b.IsEmpty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace

void PaintState::Invalidate(const gfx::Rect& area, bool erase) {
    invalid_ = UnionRect(invalid_, area);
    erasePending_ = erasePending_ || erase;
}

gfx::Rect PaintState::TakeInvalid(bool& eraseDue) {
    painting_ = invalid_;
    invalid_ = {};
    eraseDue = erasePending_;
    erasePending_ = false;
    return painting_;
}

}  // namespace platform
