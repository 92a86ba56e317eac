#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>

#include "base/Exceptions.h"
#include "gfx/Bmp.h"
#include "gfx/BmpFormat.h"

namespace gfx {

namespace {

int ChooseDepth(const Bitmap& bitmap, int depth) {
    if (depth == 0) {
        depth = bitmap.StoredDepth() != 0 ? bitmap.StoredDepth() : (bitmap.Monochrome() ? 1 : 32);
    }
    if (depth != 1 && depth != 8 && depth != 24 && depth != 32) {
        throw base::EInvalidGraphic("BMP: cannot write " + std::to_string(depth) + " bits a pixel");
    }
    return depth;
}

// 8 levels of red and green, 4 of blue: the table for pictures of more than 256 colours.
std::vector<Pixel> UniformTable() {
    std::vector<Pixel> table;
    for (int r = 0; r < 8; ++r) {
        for (int g = 0; g < 8; ++g) {
            for (int b = 0; b < 4; ++b) {
                table.push_back(MakePixel(static_cast<uint8_t>(r * 255 / 7),
                                          static_cast<uint8_t>(g * 255 / 7),
                                          static_cast<uint8_t>(b * 255 / 3)));
            }
        }
    }
    return table;
}

// The colours of the picture in ascending order, padded to 256 entries; or the uniform table.
std::vector<Pixel> TableOfColours(const Bitmap& bitmap) {
    std::set<Pixel> colours;
    for (int32_t y = 0; y < bitmap.Height() && colours.size() <= 256; ++y) {
        for (int32_t x = 0; x < bitmap.Width() && colours.size() <= 256; ++x) {
            colours.insert(bitmap.GetPixel(x, y));
        }
    }
    if (colours.size() > 256) {
        return UniformTable();
    }
    std::vector<Pixel> table(colours.begin(), colours.end());
    table.resize(256, kBlack);
    return table;
}

std::vector<Pixel> ChooseTable(const Bitmap& bitmap, int depth) {
    const auto& stored = bitmap.ColourTable();
    if (!stored.empty() && stored.size() <= (size_t{1} << depth)) {
        return stored;
    }
    return depth == 1 ? std::vector<Pixel>{kBlack, kWhite} : TableOfColours(bitmap);
}

int ColourDistance(Pixel a, Pixel b) {
    const int dr = RedOf(a) - RedOf(b);
    const int dg = GreenOf(a) - GreenOf(b);
    const int db = BlueOf(a) - BlueOf(b);
    return dr * dr + dg * dg + db * db;
}

// Maps colours to the nearest entry of a table (the first of equals), remembering answers.
class NearestIndex {
  public:
    explicit NearestIndex(const std::vector<Pixel>& table) : table_(table) {}
    uint8_t operator()(Pixel colour) {
        const auto known = cache_.find(colour);
        if (known != cache_.end()) {
            return known->second;
        }
        size_t best = 0;
        for (size_t i = 1; i < table_.size(); ++i) {
            if (ColourDistance(table_[i], colour) < ColourDistance(table_[best], colour)) {
                best = i;
            }
        }
        return cache_[colour] = static_cast<uint8_t>(best);
    }

  private:
    const std::vector<Pixel>& table_;
    std::unordered_map<Pixel, uint8_t> cache_;
};

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

void PutHeaders(std::vector<uint8_t>& out, const Bitmap& bitmap, int depth, size_t tableSize,
                size_t pixelOffset) {
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(out.size()));
    Put32(out, 10, static_cast<uint32_t>(pixelOffset));
    const size_t info = bmp::kFileHeaderSize;
    Put32(out, info, bmp::kInfoHeaderSize);
    Put32(out, info + 4, static_cast<uint32_t>(bitmap.Width()));
    Put32(out, info + 8, static_cast<uint32_t>(bitmap.Height()));
    Put16(out, info + 12, 1);
    Put16(out, info + 14, static_cast<uint32_t>(depth));
    Put32(out, info + 16, bmp::kRgbCompression);
    Put32(out, info + 20, static_cast<uint32_t>(out.size() - pixelOffset));
    const bool fullTable = depth <= 8 && tableSize == (size_t{1} << depth);
    Put32(out, info + 32, fullTable ? 0 : static_cast<uint32_t>(tableSize));
}

void PutTable(std::vector<uint8_t>& out, const std::vector<Pixel>& table) {
    size_t at = bmp::kFileHeaderSize + bmp::kInfoHeaderSize;
    for (Pixel entry : table) {
        out[at++] = BlueOf(entry);
        out[at++] = GreenOf(entry);
        out[at++] = RedOf(entry);
        out[at++] = 0;
    }
}

void PutIndexedRow(uint8_t* row, const Bitmap& bitmap, int32_t y, int depth,
                   NearestIndex& nearest) {
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
        const uint8_t index = nearest(bitmap.GetPixel(x, y));
        if (depth == 8) {
            row[x] = index;
        } else if (index != 0) {
            row[x >> 3] = static_cast<uint8_t>(row[x >> 3] | (0x80 >> (x & 7)));
        }
    }
}

void PutDirectRow(uint8_t* row, const Bitmap& bitmap, int32_t y, int depth) {
    const size_t bytesPerPixel = depth == 24 ? 3 : 4;
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
        const Pixel colour = bitmap.GetPixel(x, y);
        uint8_t* p = row + static_cast<size_t>(x) * bytesPerPixel;
        p[0] = BlueOf(colour);
        p[1] = GreenOf(colour);
        p[2] = RedOf(colour);
    }
}

}  // namespace

std::vector<uint8_t> WriteBmp(const Bitmap& bitmap, int depth) {
    if (bitmap.Empty()) {
        throw base::EInvalidGraphic("BMP: cannot write an empty bitmap");
    }
    depth = ChooseDepth(bitmap, depth);
    const std::vector<Pixel> table = depth <= 8 ? ChooseTable(bitmap, depth) : std::vector<Pixel>{};
    const size_t pixelOffset = bmp::kFileHeaderSize + bmp::kInfoHeaderSize + 4 * table.size();
    const size_t rowBytes = static_cast<size_t>(bmp::RowBytes(bitmap.Width(), depth));
    std::vector<uint8_t> out(pixelOffset + rowBytes * static_cast<size_t>(bitmap.Height()), 0);
    PutHeaders(out, bitmap, depth, table.size(), pixelOffset);
    PutTable(out, table);
    NearestIndex nearest(table);
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        // Rows are stored bottom-up.
        uint8_t* row =
            out.data() + pixelOffset + static_cast<size_t>(bitmap.Height() - 1 - y) * rowBytes;
        if (depth <= 8) {
            PutIndexedRow(row, bitmap, y, depth, nearest);
        } else {
            PutDirectRow(row, bitmap, y, depth);
        }
    }
    return out;
}

}  // namespace gfx
