#include "sprites/IOBitmap.h"

#include "gfx/Bmp.h"

namespace sprites {

void TIOBitmap::ReadData(base::MemoryStream& stream) {
    gfx::ReadBitmapPayload(stream, *this);
}

void TIOBitmap::WriteData(base::MemoryStream& stream) const {
    gfx::WriteBitmapPayload(stream, *this);
}

}  // namespace sprites
