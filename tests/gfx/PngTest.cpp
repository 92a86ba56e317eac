// PNG output, decoded back with libpng.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Png.h"

namespace gfx {
namespace {

Bitmap DecodePng(const std::vector<uint8_t>& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
        ADD_FAILURE() << image.message;
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    EXPECT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0) << image.message;
    Bitmap bitmap(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        for (int32_t x = 0; x < bitmap.Width(); ++x) {
            const uint8_t* p =
                rgb.data() + (static_cast<size_t>(y) * image.width + static_cast<size_t>(x)) * 3;
            bitmap.SetPixel(x, y, MakePixel(p[0], p[1], p[2]));
        }
    }
    return bitmap;
}

TEST(Png, ColourPixelsSurviveEncodingAndMonochromeEncodesAsBlackAndWhite) {
    std::mt19937 random(3);
    Bitmap bitmap = test::RandomBitmap(random, 17, 9, PixelFormat::Colour);
    bitmap.SetPixel(16, 8, 0x89ABCD);
    EXPECT_EQ(test::Difference(bitmap, DecodePng(EncodePng(bitmap))), "");
    const Bitmap mono = test::MonoFromRows({"101"});
    EXPECT_EQ(test::Difference(test::ColourFromRows({"ffffff 000000 ffffff"}),
                               DecodePng(EncodePng(mono))),
              "");
}

TEST(Png, WritesAFileAndNamesAPathItCannotWrite) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "va_gfx_png_test.png").string();
    Bitmap bitmap(4, 4);
    bitmap.Fill(0x00FF00);
    WritePng(bitmap, path);
    EXPECT_EQ(test::Difference(bitmap, DecodePng(test::ReadFile(path))), "");
    std::remove(path.c_str());
    try {
        WritePng(bitmap, "/nonexistent-folder/x.png");
        FAIL() << "no failure";
    } catch (const base::Exception& e) {
        EXPECT_NE(e.Message().find("/nonexistent-folder/x.png"), std::string::npos);
    }
    EXPECT_THROW(EncodePng(Bitmap()), base::EInvalidGraphic);
}

}  // namespace
}  // namespace gfx
