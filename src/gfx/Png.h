#pragma once
// PNG output (through libpng), for the render tool, screenshots and the docs.

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/Bitmap.h"

namespace gfx {

std::vector<uint8_t> EncodePng(const Bitmap& bitmap);
// Fails with base::Exception naming the path when the file cannot be written.
void WritePng(const Bitmap& bitmap, const std::string& path);

}  // namespace gfx
