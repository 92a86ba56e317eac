#include <string>

#include "base/Exceptions.h"
#include "gfx/Bmp.h"
#include "gfx/BmpFormat.h"

namespace gfx {

namespace {

using bmp::Layout;

std::vector<Pixel> ReadColourTable(std::span<const uint8_t> file, const Layout& layout) {
    std::vector<Pixel> table(layout.tableEntries);
    const uint8_t* p = file.data() + layout.tableOffset;
    for (Pixel& entry : table) {
        entry = MakePixel(p[2], p[1], p[0]);
        p += layout.tableEntrySize;
    }
    return table;
}

bool IsBlackAndWhite(const std::vector<Pixel>& table) {
    return table.size() == 2 && ((table[0] == kBlack && table[1] == kWhite) ||
                                 (table[0] == kWhite && table[1] == kBlack));
}

const uint8_t* StoredRow(std::span<const uint8_t> file, const Layout& layout, int32_t row) {
    return file.data() + layout.pixelOffset + static_cast<uint64_t>(row) * layout.rowBytes;
}

// The bitmap row that stored row `row` fills.
int32_t TargetRow(const Layout& layout, int32_t row) {
    return layout.topDown ? row : layout.height - 1 - row;
}

uint32_t IndexAt(const uint8_t* row, int32_t x, int depth) {
    const uint32_t byte = row[x >> (depth == 1 ? 3 : depth == 4 ? 1 : 0)];
    switch (depth) {
        case 1:
            return (byte >> (7 - (x & 7))) & 1u;
        case 4:
            return (x & 1) != 0 ? (byte & 0x0Fu) : (byte >> 4);
        default:
            return byte;
    }
}

// Every palette index must name an entry of the table; checked before anything is allocated.
void CheckIndices(std::span<const uint8_t> file, const Layout& layout) {
    if (layout.depth > 8 || layout.tableEntries == (1u << layout.depth)) {
        return;
    }
    for (int32_t row = 0; row < layout.height; ++row) {
        const uint8_t* stored = StoredRow(file, layout, row);
        for (int32_t x = 0; x < layout.width; ++x) {
            const uint32_t index = IndexAt(stored, x, layout.depth);
            if (index >= layout.tableEntries) {
                throw base::EInvalidGraphic(
                    "BMP: palette index " + std::to_string(index) + " beyond the colour table (" +
                    std::to_string(layout.tableEntries) + " entries) at pixel (" +
                    std::to_string(x) + ", " + std::to_string(TargetRow(layout, row)) + ")");
            }
        }
    }
}

// A black-and-white picture: stored index bits become white/black bits through the table.
Bitmap ReadMono(std::span<const uint8_t> file, const Layout& layout, std::vector<Pixel> table) {
    Bitmap bitmap(layout.width, layout.height, PixelFormat::Mono);
    const bool invert = table[0] == kWhite;
    for (int32_t row = 0; row < layout.height; ++row) {
        const uint8_t* stored = StoredRow(file, layout, row);
        uint8_t* target = bitmap.MonoRow(TargetRow(layout, row));
        for (size_t i = 0; i < bitmap.MonoStride(); ++i) {
            target[i] = invert ? static_cast<uint8_t>(~stored[i]) : stored[i];
        }
    }
    bitmap.SetStoredForm(1, std::move(table));
    return bitmap;
}

void ReadIndexedRow(const uint8_t* stored, Pixel* target, const Layout& layout,
                    const std::vector<Pixel>& table) {
    for (int32_t x = 0; x < layout.width; ++x) {
        target[x] = table[IndexAt(stored, x, layout.depth)];
    }
}

void ReadDirectRow(const uint8_t* stored, Pixel* target, const Layout& layout) {
    const size_t bytesPerPixel = layout.depth == 24 ? 3 : 4;
    for (int32_t x = 0; x < layout.width; ++x) {
        const uint8_t* p = stored + static_cast<size_t>(x) * bytesPerPixel;
        target[x] = MakePixel(p[2], p[1], p[0]);
    }
}

Bitmap ReadColour(std::span<const uint8_t> file, const Layout& layout, std::vector<Pixel> table) {
    Bitmap bitmap(layout.width, layout.height, PixelFormat::Colour);
    for (int32_t row = 0; row < layout.height; ++row) {
        const uint8_t* stored = StoredRow(file, layout, row);
        Pixel* target = bitmap.ColourRow(TargetRow(layout, row));
        if (layout.depth <= 8) {
            ReadIndexedRow(stored, target, layout, table);
        } else {
            ReadDirectRow(stored, target, layout);
        }
    }
    // A 4-bit picture is kept as an 8-bit one with its (short) table; the writer has no 4 bits.
    const int storedDepth = layout.depth == 4 ? 8 : layout.depth;
    bitmap.SetStoredForm(storedDepth, std::move(table));
    return bitmap;
}

}  // namespace

Bitmap ReadBmp(std::span<const uint8_t> file) {
    const Layout layout = bmp::ParseLayout(file);
    CheckIndices(file, layout);
    std::vector<Pixel> table = ReadColourTable(file, layout);
    if (layout.depth == 1 && IsBlackAndWhite(table)) {
        return ReadMono(file, layout, std::move(table));
    }
    return ReadColour(file, layout, std::move(table));
}

}  // namespace gfx
