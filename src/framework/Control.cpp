#include "framework/Control.h"

#include <algorithm>

#include "framework/Form.h"

namespace framework {

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    SetParent(nullptr);
}

void TControl::SetParent(TForm* parent) {
    if (parent == parent_) {
        return;
    }
    if (parent_ != nullptr) {
        Invalidate();
        parent_->RemoveControl(*this);
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->InsertControl(*this);
        Realign();
        Invalidate();
    }
}

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    gfx::Rect bounds = gfx::RectFromSize(left, top, std::max(width, 0), std::max(height, 0));
    if (bounds == bounds_) {
        return;
    }
    Invalidate();
    bounds_ = bounds;
    Invalidate();
}

void TControl::SetAlign(TAlign align) {
    align_ = align;
    Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        if (parent_ != nullptr) {
            parent_->InvalidateRect(bounds_);
        }
    }
}

void TControl::Invalidate() {
    if (parent_ != nullptr && visible_) {
        parent_->InvalidateRect(bounds_);
    }
}

void TControl::Realign() {
    if (align_ == alClient && parent_ != nullptr) {
        SetBounds(0, 0, parent_->ClientWidth(), parent_->ClientHeight());
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
    if (OnMouseDown) {
        TMouseEvent handler = OnMouseDown;
        handler(*this, button, shift, x, y);
    }
}

void TControl::MouseMove(TShiftState shift, int32_t x, int32_t y) {
    if (OnMouseMove) {
        TMouseMoveEvent handler = OnMouseMove;
        handler(*this, shift, x, y);
    }
}

}  // namespace framework
