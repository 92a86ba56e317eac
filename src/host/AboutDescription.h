#pragma once
// The About dialog's form description, made from its layout values and picture. The program
// reads the dialog from it, so a stored description can take its place without code changes.

#include <cstdint>
#include <vector>

#include "framework/FormDescription.h"
#include "gfx/Bitmap.h"

namespace host {

framework::ObjectDescription AboutDescription(const gfx::Bitmap& picture);

// The same in its stored form, for the asset generator to embed.
std::vector<uint8_t> StoredAboutDescription(const gfx::Bitmap& picture);

}  // namespace host
