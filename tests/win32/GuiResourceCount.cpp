#include "GuiResourceCount.h"

#include <windows.h>

namespace win32test {
namespace {

// USER handles: the index in bits 1..15 of the low word, from 0x0020 on.
constexpr uintptr_t kFirstUserHandle = 0x0020;
constexpr uintptr_t kLastUserHandle = 0xFFEF;
constexpr uintptr_t kLastGdiHandle = 0xFFFF;

uint32_t ProbeGdiObjects() {
    uint32_t count = 0;
    for (uintptr_t index = 1; index <= kLastGdiHandle; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) {
            ++count;
        }
    }
    return count;
}

bool IsOwnWindow(HWND hwnd) {
    DWORD process = 0;
    return IsWindow(hwnd) && GetWindowThreadProcessId(hwnd, &process) != 0 &&
           process == GetCurrentProcessId();
}

// GetIconInfo hands out copies of the icon's bitmaps, which are deleted at once.
bool IsIconOrCursor(HANDLE handle) {
    ICONINFO info{};
    if (GetIconInfo(static_cast<HICON>(handle), &info) == 0) {
        return false;
    }
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    if (info.hbmMask != nullptr) {
        DeleteObject(info.hbmMask);
    }
    return true;
}

uint32_t ProbeUserObjects() {
    uint32_t count = 0;
    for (uintptr_t value = kFirstUserHandle; value <= kLastUserHandle; value += 2) {
        auto* handle = reinterpret_cast<HANDLE>(value);
        if (IsOwnWindow(static_cast<HWND>(handle)) || IsIconOrCursor(handle)) {
            ++count;
        }
    }
    return count;
}

GuiCounts SystemGuiCounts() {
    HANDLE self = GetCurrentProcess();
    return {static_cast<uint32_t>(GetGuiResources(self, GR_GDIOBJECTS)),
            static_cast<uint32_t>(GetGuiResources(self, GR_USEROBJECTS)), "GetGuiResources"};
}

// The USER probe runs second: the bitmaps it copies out of icons are gone again by then.
GuiCounts ProbedGuiCounts() {
    uint32_t gdi = ProbeGdiObjects();
    return {gdi, ProbeUserObjects(), "handle-table probe"};
}

}  // namespace

std::string GuiCounts::Describe() const {
    return "GDI " + std::to_string(gdi) + ", USER " + std::to_string(user) + " (" + counter + ")";
}

// A process with a window and a DC always holds objects of both kinds, so a 0 means the
// counter is not there.
GuiCounts CountGuiResources() {
    GuiCounts system = SystemGuiCounts();
    if (system.gdi != 0 && system.user != 0) {
        return system;
    }
    return ProbedGuiCounts();
}

}  // namespace win32test
