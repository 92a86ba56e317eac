#include "base/Exceptions.h"
#include "gfx/Bmp.h"

namespace gfx {

void ReadBitmapPayload(base::MemoryStream& stream, Bitmap& bitmap) {
    const uint32_t count = stream.ReadU32();
    if (count == 0) {
        bitmap = Bitmap(0, 0, bitmap.Format());
        return;
    }
    stream.Require(count);
    const std::span<const uint8_t> file = stream.Contents().subspan(stream.Position(), count);
    bitmap = ReadBmp(file);
    stream.Seek(stream.Position() + count);
}

void WriteBitmapPayload(base::MemoryStream& stream, const Bitmap& bitmap) {
    if (bitmap.Empty()) {
        stream.WriteU32(0);
        return;
    }
    const std::vector<uint8_t> file = WriteBmp(bitmap);
    stream.WriteU32(static_cast<uint32_t>(file.size()));
    stream.WriteBytes(file);
}

}  // namespace gfx
