#include "gfx/Png.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>

#include "base/Exceptions.h"

namespace gfx {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

std::vector<uint8_t> RgbRows(const Bitmap& bitmap) {
    std::vector<uint8_t> rgb(static_cast<size_t>(bitmap.Width()) *
                             static_cast<size_t>(bitmap.Height()) * 3);
    size_t at = 0;
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        for (int32_t x = 0; x < bitmap.Width(); ++x) {
            const Pixel p = bitmap.GetPixel(x, y);
            rgb[at++] = RedOf(p);
            rgb[at++] = GreenOf(p);
            rgb[at++] = BlueOf(p);
        }
    }
    return rgb;
}

// libpng reports errors by a long jump, so this part holds no object with a destructor.
bool EncodeRows(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height,
                png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Bitmap& bitmap) {
    if (bitmap.Empty()) {
        throw base::EInvalidGraphic("PNG: cannot encode an empty bitmap");
    }
    std::vector<uint8_t> rgb = RgbRows(bitmap);
    std::vector<png_bytep> rows(static_cast<size_t>(bitmap.Height()));
    for (size_t y = 0; y < rows.size(); ++y) {
        rows[y] = rgb.data() + y * static_cast<size_t>(bitmap.Width()) * 3;
    }
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool done = false;
    if (info != nullptr) {
        png_set_write_fn(png, &out, AppendBytes, FlushNothing);
        done = EncodeRows(png, info, static_cast<png_uint_32>(bitmap.Width()),
                          static_cast<png_uint_32>(bitmap.Height()), rows.data());
    }
    png_destroy_write_struct(&png, &info);
    if (!done) {
        throw base::EInvalidGraphic("PNG: encoding failed");
    }
    return out;
}

void WritePng(const Bitmap& bitmap, const std::string& path) {
    const std::vector<uint8_t> bytes = EncodePng(bitmap);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw base::Exception("Cannot write the PNG file " + path);
    }
}

}  // namespace gfx
