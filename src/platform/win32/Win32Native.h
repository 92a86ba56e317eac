#pragma once
// The operating system's headers for the Win32 backend, and the conversions between the
// program's 32-bit values and the system's own. Only files of this folder include it.
//
// platform.h comes first: its constants carry the same names as the system's macros.

#include "platform/Backend.h"

namespace platform::win32 {
// The system headers turn the name WNDCLASS into a macro; this alias keeps the program's.
using ProgramClass = platform::WNDCLASS;
}  // namespace platform::win32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h first: shellapi.h builds on it.
#include <shellapi.h>

namespace platform::win32 {

// Window handles fit in 32 bits on 64-bit Windows too: they are truncated on the way out and
// sign-extended on the way in, as the system documents for handles shared with 32-bit code.
inline ::HWND ToNative(HWND hwnd) {
    return reinterpret_cast<::HWND>(static_cast<intptr_t>(static_cast<int32_t>(hwnd)));
}
inline HWND FromNative(::HWND hwnd) {
    return static_cast<HWND>(reinterpret_cast<uintptr_t>(hwnd));
}

inline ::WPARAM ToNativeWParam(WPARAM wParam) {
    return static_cast<::WPARAM>(wParam);
}
inline ::LPARAM ToNativeLParam(LPARAM lParam) {
    return static_cast<::LPARAM>(lParam);
}
// The program's results are 32 bits wide. One that is not 0 stays so when its low half is 0:
// another program's answer (a veto, for one) may be any value but 0.
inline LRESULT FromNativeResult(::LRESULT result) {
    const auto narrow = static_cast<LRESULT>(result);
    return narrow == 0 && result != 0 ? 1 : narrow;
}

inline gfx::Rect FromNativeRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}
inline RECT ToNativeRect(const gfx::Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// COLORREF has red in the low byte; our pixels have blue there.
inline COLORREF ToColorRef(gfx::Pixel pixel) {
    return RGB(gfx::RedOf(pixel), gfx::GreenOf(pixel), gfx::BlueOf(pixel));
}

// A message as the system delivered it, full-width parameters included.
struct NativeMessage {
    ::HWND hwnd = nullptr;
    ::UINT message = 0;
    ::WPARAM wParam = 0;
    ::LPARAM lParam = 0;
};

}  // namespace platform::win32
