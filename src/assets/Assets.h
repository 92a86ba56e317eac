#pragma once
// The assets embedded in the program at build time: the stored form descriptions of the main
// window and the About dialog, and the program's icons. The program reads no files.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/platform.h"

namespace assets {

// The main window TfrmMain (sprite box, images, timers, the two sprites with their frames and
// sequences), for sprites::ReadSpriteForm.
std::span<const uint8_t> MainFormDescription();
// The About dialog TfrmAbout.
std::span<const uint8_t> AboutFormDescription();

// The program's icons in resource order: 0 the main icon, 1 to 5 the leaves of the preview,
// each 32 x 32 with its mask (white where transparent), as a backend's AddIcon takes them.
inline constexpr int kProgramIconCount = 6;
std::vector<platform::Icon> ProgramIcons();

}  // namespace assets
