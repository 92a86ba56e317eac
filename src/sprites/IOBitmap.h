#pragma once
// TIOBitmap: a bitmap whose stream payload (a 32-bit byte count, then a BMP file) can be read
// and written by its owner directly; the frame list keeps its two strips in it.

#include "base/MemoryStream.h"
#include "gfx/Bitmap.h"

namespace sprites {

class TIOBitmap : public gfx::Bitmap {
  public:
    using gfx::Bitmap::Bitmap;

    // Replaces the content with the payload at the stream's position. A damaged payload fails
    // with the stream's or the BMP reader's exception.
    void ReadData(base::MemoryStream& stream);
    void WriteData(base::MemoryStream& stream) const;
};

}  // namespace sprites
