// ReadBmp on hostile input: a rejection is a base::Exception; anything else (a crash, a
// sanitizer report, another exception) is a finding. What reads must write and read back to
// the same pixels.

#include <cstdlib>

#include "base/Exceptions.h"
#include "gfx/Bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool SamePixels(const gfx::Bitmap& a, const gfx::Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.Format() != b.Format()) {
        return false;
    }
    for (int32_t y = 0; y < a.Height(); ++y) {
        for (int32_t x = 0; x < a.Width(); ++x) {
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const gfx::Bitmap bitmap = gfx::ReadBmp(std::span<const uint8_t>(data, size));
        const gfx::Bitmap again = gfx::ReadBmp(gfx::WriteBmp(bitmap));
        if (!SamePixels(bitmap, again)) {
            std::abort();
        }
    } catch (const base::Exception&) {
        // An expected rejection of a bad file.
    }
    return 0;
}
