#include "TestBitmaps.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "gfx/Raster.h"
#include "gfx/RasterReference.h"

namespace gfx::test {

Bitmap MonoFromRows(const std::vector<std::string>& rows) {
    const auto width = rows.empty() ? 0 : static_cast<int32_t>(rows[0].size());
    Bitmap bitmap(width, static_cast<int32_t>(rows.size()), PixelFormat::Mono);
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        for (int32_t x = 0; x < width; ++x) {
            bitmap.SetPixel(
                x, y,
                rows[static_cast<size_t>(y)][static_cast<size_t>(x)] == '1' ? kWhite : kBlack);
        }
    }
    return bitmap;
}

Bitmap ColourFromRows(const std::vector<std::string>& rows) {
    std::istringstream first(rows.empty() ? "" : rows[0]);
    const auto width = static_cast<int32_t>(std::distance(std::istream_iterator<std::string>(first),
                                                          std::istream_iterator<std::string>()));
    Bitmap bitmap(width, static_cast<int32_t>(rows.size()));
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        std::istringstream in(rows[static_cast<size_t>(y)]);
        std::string word;
        for (int32_t x = 0; x < width && in >> word; ++x) {
            bitmap.SetPixel(x, y, static_cast<Pixel>(std::stoul(word, nullptr, 16)));
        }
    }
    return bitmap;
}

Bitmap RandomBitmap(std::mt19937& random, int32_t width, int32_t height, PixelFormat format) {
    static const Pixel kPalette[] = {kBlack, kWhite, 0x0000FF, 0xFF0000, 0x123456, 0x7F7F7F};
    std::uniform_int_distribution<size_t> pick(0, std::size(kPalette) - 1);
    Bitmap bitmap(width, height, format);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, kPalette[pick(random)]);
        }
    }
    return bitmap;
}

std::string Difference(const Bitmap& expected, const Bitmap& actual) {
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height() ||
        expected.Format() != actual.Format()) {
        return "size or kind differs";
    }
    for (int32_t y = 0; y < expected.Height(); ++y) {
        for (int32_t x = 0; x < expected.Width(); ++x) {
            if (expected.GetPixel(x, y) != actual.GetPixel(x, y)) {
                std::ostringstream out;
                out << "pixel (" << x << ", " << y << "): expected " << std::hex
                    << expected.GetPixel(x, y) << ", got " << actual.GetPixel(x, y);
                return out.str();
            }
        }
    }
    return {};
}

std::string DifferenceFromReference(Bitmap& dest, const Bitmap* source, const Transfer& t,
                                    bool bitBlt) {
    Bitmap expected(dest);
    expected.GetCanvas().SetBackgroundColour(dest.GetCanvas().BackgroundColour());
    expected.GetCanvas().SetTextColour(dest.GetCanvas().TextColour());
    const Canvas* from = source != nullptr ? &source->GetCanvas() : &dest.GetCanvas();
    StretchBltReference(expected.GetCanvas(), t.x, t.y, t.w, t.h,
                        source != nullptr ? from : &expected.GetCanvas(), t.sx, t.sy, t.sw, t.sh,
                        t.rop);
    if (bitBlt) {
        BitBlt(dest.GetCanvas(), t.x, t.y, t.w, t.h, from, t.sx, t.sy, t.rop);
    } else {
        StretchBlt(dest.GetCanvas(), t.x, t.y, t.w, t.h, from, t.sx, t.sy, t.sw, t.sh, t.rop);
    }
    return Difference(expected, dest);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string DataPath(const std::string& relative) {
    return std::string(VA_TEST_DATA_DIR) + "/" + relative;
}

}  // namespace gfx::test
