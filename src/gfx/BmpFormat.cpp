#include "gfx/BmpFormat.h"

#include <string>

#include "base/ByteCount.h"
#include "base/Exceptions.h"
#include "gfx/Bmp.h"

namespace gfx::bmp {

namespace {

[[noreturn]] void Fail(const std::string& fault) {
    throw base::EInvalidGraphic("BMP: " + fault);
}

// The fields of either info header that the reader uses.
struct Header {
    uint32_t size = 0;
    int64_t width = 0;
    int64_t height = 0;
    uint32_t planes = 0;
    uint32_t depth = 0;
    uint32_t compression = kRgbCompression;
    uint32_t coloursUsed = 0;
};

void CheckFileHeader(std::span<const uint8_t> file) {
    if (file.size() < kFileHeaderSize + 4) {
        Fail("file of " + base::ByteCount(file.size()) + " is too short for the headers");
    }
    if (file[0] != 'B' || file[1] != 'M') {
        Fail("bad magic, the file does not start with \"BM\"");
    }
    const uint32_t sizeField = LoadU32(file.data() + 2);
    if (sizeField != file.size()) {
        Fail("size field " + std::to_string(sizeField) + " does not equal the file length " +
             std::to_string(file.size()));
    }
}

Header ReadHeader(std::span<const uint8_t> file) {
    Header h;
    const uint8_t* p = file.data() + kFileHeaderSize;
    h.size = LoadU32(p);
    if (h.size != kCoreHeaderSize && h.size != kInfoHeaderSize && h.size != 108 && h.size != 124) {
        Fail("unknown info header size " + std::to_string(h.size));
    }
    if (file.size() < kFileHeaderSize + h.size) {
        Fail("file too short for its " + std::to_string(h.size) + "-byte info header");
    }
    if (h.size == kCoreHeaderSize) {
        h.width = LoadU16(p + 4);
        h.height = LoadU16(p + 6);
        h.planes = LoadU16(p + 8);
        h.depth = LoadU16(p + 10);
        return h;
    }
    h.width = LoadI32(p + 4);
    h.height = LoadI32(p + 8);
    h.planes = LoadU16(p + 12);
    h.depth = LoadU16(p + 14);
    h.compression = LoadU32(p + 16);
    h.coloursUsed = LoadU32(p + 32);
    return h;
}

void CheckDepthAndPlanes(const Header& h) {
    if (h.planes != 1) {
        Fail("planes is " + std::to_string(h.planes) + ", must be 1");
    }
    if (h.depth != 1 && h.depth != 4 && h.depth != 8 && h.depth != 24 && h.depth != 32) {
        Fail("depth of " + std::to_string(h.depth) + " bits a pixel is not supported");
    }
    if (h.size == kCoreHeaderSize && h.depth == 32) {
        Fail("depth of 32 bits a pixel is not supported with the core header");
    }
}

// The end of the channel masks that follow a 40-byte header for BI_BITFIELDS.
uint64_t CheckCompression(std::span<const uint8_t> file, const Header& h) {
    const uint64_t headersEnd = kFileHeaderSize + uint64_t{h.size};
    if (h.compression == kRgbCompression) {
        return headersEnd;
    }
    if (h.compression != kBitFieldsCompression || h.depth != 32) {
        Fail("compression " + std::to_string(h.compression) +
             " is not supported (only uncompressed)");
    }
    const uint64_t masksAt = kFileHeaderSize + kInfoHeaderSize;
    const uint64_t masksEnd = h.size == kInfoHeaderSize ? headersEnd + 12 : headersEnd;
    if (masksEnd > file.size()) {
        Fail("file too short for the bit field masks");
    }
    const uint8_t* m = file.data() + masksAt;
    if (LoadU32(m) != 0xFF0000 || LoadU32(m + 4) != 0xFF00 || LoadU32(m + 8) != 0xFF) {
        Fail("bit field masks are not the standard 8-8-8 layout");
    }
    return masksEnd;
}

void CheckSize(const Header& h) {
    if (h.width <= 0 || h.width > kMaxBmpDimension) {
        Fail("width " + std::to_string(h.width) + " out of range 1.." +
             std::to_string(kMaxBmpDimension));
    }
    if (h.height == 0 || h.height > kMaxBmpDimension || h.height < -kMaxBmpDimension) {
        Fail("height " + std::to_string(h.height) + " out of range (0 or beyond " +
             std::to_string(kMaxBmpDimension) + ")");
    }
    const int64_t pixels = h.width * (h.height < 0 ? -h.height : h.height);
    if (pixels > kMaxBmpPixels) {
        Fail(std::to_string(pixels) + " pixels exceed the limit of " +
             std::to_string(kMaxBmpPixels));
    }
}

uint32_t TableEntries(const Header& h) {
    if (h.depth > 8) {
        return 0;
    }
    const uint32_t most = 1u << h.depth;
    if (h.coloursUsed > most) {
        Fail("colour count " + std::to_string(h.coloursUsed) + " above " + std::to_string(most) +
             " for " + std::to_string(h.depth) + " bits a pixel");
    }
    return h.coloursUsed == 0 ? most : h.coloursUsed;
}

void CheckPixelData(std::span<const uint8_t> file, const Layout& layout, uint64_t tableEnd) {
    if (layout.pixelOffset < tableEnd) {
        Fail("pixel offset " + std::to_string(layout.pixelOffset) +
             " inside the headers and colour table, which end at " + std::to_string(tableEnd));
    }
    if (layout.pixelOffset >= file.size()) {
        Fail("pixel offset " + std::to_string(layout.pixelOffset) + " past the end of the file (" +
             std::to_string(file.size()) + " bytes)");
    }
    const uint64_t dataBytes = layout.rowBytes * static_cast<uint64_t>(layout.height);
    if (dataBytes > file.size() - layout.pixelOffset) {
        Fail("pixel data of " + std::to_string(dataBytes) + " bytes at offset " +
             std::to_string(layout.pixelOffset) + " runs past the end of the file (" +
             std::to_string(file.size()) + " bytes)");
    }
}

}  // namespace

Layout ParseLayout(std::span<const uint8_t> file) {
    CheckFileHeader(file);
    const Header h = ReadHeader(file);
    CheckDepthAndPlanes(h);
    const uint64_t headersEnd = CheckCompression(file, h);
    CheckSize(h);
    Layout layout;
    layout.width = static_cast<int32_t>(h.width);
    layout.height = static_cast<int32_t>(h.height < 0 ? -h.height : h.height);
    layout.topDown = h.height < 0;
    layout.depth = static_cast<int>(h.depth);
    layout.tableOffset = headersEnd;
    layout.tableEntries = TableEntries(h);
    layout.tableEntrySize = h.size == kCoreHeaderSize ? 3 : 4;
    layout.pixelOffset = LoadU32(file.data() + 10);
    layout.rowBytes = RowBytes(h.width, layout.depth);
    CheckPixelData(file, layout,
                   headersEnd + uint64_t{layout.tableEntries} * layout.tableEntrySize);
    return layout;
}

}  // namespace gfx::bmp
