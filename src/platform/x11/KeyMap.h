#pragma once
// X key symbols to the window system's virtual keys: letters and digits as their upper-case
// characters, the named keys to their codes; a key without a code of its own gives kUnmappedKey
// (the saver ends on it all the same).

#include <cstdint>

#include "platform/platform.h"

namespace platform::x11 {

inline constexpr WPARAM kUnmappedKey = 0xFF;

WPARAM VirtualKeyOf(unsigned long keySym);
// The Alt keys themselves (which Windows reports as system keys).
bool IsAltKey(unsigned long keySym);

}  // namespace platform::x11
