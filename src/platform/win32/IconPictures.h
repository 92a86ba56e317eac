#pragma once
// An icon's pictures read from the system (GetIconInfo and GetDIBits): the colour picture with
// black where the icon is transparent, and its monochrome mask, 1 where transparent.

#include "platform/win32/Win32Native.h"

namespace platform::win32 {

// base::Exception when the system cannot describe the icon.
Icon ReadIconPictures(::HICON icon);

}  // namespace platform::win32
