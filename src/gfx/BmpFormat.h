#pragma once
// The layout of a BMP file, worked out from its headers and checked against the file's length
// before a single pixel is looked at.

#include <cstdint>
#include <span>

namespace gfx::bmp {

inline constexpr uint32_t kFileHeaderSize = 14;
inline constexpr uint32_t kInfoHeaderSize = 40;
inline constexpr uint32_t kCoreHeaderSize = 12;
inline constexpr uint32_t kRgbCompression = 0;
inline constexpr uint32_t kBitFieldsCompression = 3;

struct Layout {
    int32_t width = 0;
    int32_t height = 0;  // always positive; topDown tells the row order
    bool topDown = false;
    int depth = 0;
    uint64_t tableOffset = 0;
    uint32_t tableEntries = 0;
    uint32_t tableEntrySize = 4;  // 3 for the core header's triples
    uint64_t pixelOffset = 0;
    uint64_t rowBytes = 0;
};

// Fails with base::EInvalidGraphic naming the first fault of the headers.
Layout ParseLayout(std::span<const uint8_t> file);

// Bytes of one stored row: depth bits a pixel, padded to 32 bits.
inline uint64_t RowBytes(int64_t width, int depth) {
    return (static_cast<uint64_t>(width) * static_cast<uint64_t>(depth) + 31) / 32 * 4;
}

inline uint16_t LoadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t LoadI32(const uint8_t* p) {
    return static_cast<int32_t>(LoadU32(p));
}

}  // namespace gfx::bmp
