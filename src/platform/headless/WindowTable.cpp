#include "platform/headless/WindowTable.h"

namespace platform::headless {

bool WindowTable::AddClass(const WNDCLASS& windowClass) {
    if (windowClass.lpszClassName.empty()) {
        return false;
    }
    return classes_.emplace(windowClass.lpszClassName, windowClass).second;
}

const WNDCLASS* WindowTable::FindClass(const std::string& className) const {
    auto it = classes_.find(className);
    return it == classes_.end() ? nullptr : &it->second;
}

HeadlessWindow& WindowTable::Add(std::unique_ptr<HeadlessWindow> window) {
    HeadlessWindow& added = *window;
    windows_[window->hwnd] = std::move(window);
    return added;
}

void WindowTable::Remove(HWND hwnd) {
    windows_.erase(hwnd);
}

HeadlessWindow* WindowTable::Find(HWND hwnd) {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second.get();
}

const HeadlessWindow* WindowTable::Find(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second.get();
}

std::vector<HWND> WindowTable::ChildrenOf(HWND hwnd) const {
    std::vector<HWND> children;
    for (const auto& [handle, window] : windows_) {
        if (window->parent == hwnd) {
            children.push_back(handle);
        }
    }
    return children;
}

HWND WindowTable::FindTopLevel(const char* className, const char* title) const {
    for (const auto& [handle, window] : windows_) {
        bool topLevel = (window->style & WS_CHILD) == 0;
        bool classMatches = className == nullptr || window->className == className;
        bool titleMatches = title == nullptr || window->title == title;
        if (topLevel && classMatches && titleMatches) {
            return handle;
        }
    }
    return 0;
}

HWND WindowTable::FirstInvalid() const {
    for (const auto& [handle, window] : windows_) {
        if (IsShown(*window) && window->paint.Pending()) {
            return handle;
        }
    }
    return 0;
}

bool WindowTable::IsShown(const HeadlessWindow& window) const {
    if (!window.visible) {
        return false;
    }
    const HeadlessWindow* parent = Find(window.parent);
    return (window.style & WS_CHILD) == 0 || parent == nullptr || IsShown(*parent);
}

gfx::Rect WindowTable::ScreenRect(const HeadlessWindow& window) const {
    gfx::Rect rect = window.bounds;
    const HeadlessWindow* parent = Find(window.parent);
    if ((window.style & WS_CHILD) != 0 && parent != nullptr) {
        gfx::Rect origin = ScreenRect(*parent);
        rect = gfx::RectFromSize(origin.left + rect.left, origin.top + rect.top, rect.Width(),
                                 rect.Height());
    }
    return rect;
}

}  // namespace platform::headless
