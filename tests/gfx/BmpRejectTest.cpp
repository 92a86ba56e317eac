// Malformed BMP files: each is rejected with base::EInvalidGraphic naming its fault.

#include <gtest/gtest.h>

#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Bmp.h"

namespace gfx {
namespace {

struct Rejection {
    const char* file;
    const char* fault;  // a part of the expected message
};

class BmpReject : public ::testing::TestWithParam<Rejection> {};

TEST_P(BmpReject, NamesTheFault) {
    const std::vector<uint8_t> bytes =
        test::ReadFile(test::DataPath(std::string("bmp/") + GetParam().file));
    ASSERT_FALSE(bytes.empty()) << GetParam().file;
    try {
        ReadBmp(bytes);
        FAIL() << GetParam().file << " was accepted";
    } catch (const base::EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find(GetParam().fault), std::string::npos)
            << GetParam().file << ": " << e.Message();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Samples, BmpReject,
    ::testing::Values(
        Rejection{"bad_too_short.bmp", "too short for the headers"},
        Rejection{"bad_magic.bmp", "bad magic"},
        Rejection{"bad_size_field.bmp", "size field 79 does not equal the file length 78"},
        Rejection{"bad_header_size.bmp", "unknown info header size 64"},
        Rejection{"bad_planes.bmp", "planes is 2"},
        Rejection{"bad_depth.bmp", "depth of 16 bits a pixel is not supported"},
        Rejection{"bad_compression.bmp", "compression 1 is not supported"},
        Rejection{"bad_bitfields_masks.bmp", "masks are not the standard"},
        Rejection{"bad_width_zero.bmp", "width 0 out of range"},
        Rejection{"bad_width_large.bmp", "width 32768 out of range"},
        Rejection{"bad_height_zero.bmp", "height 0 out of range"},
        Rejection{"bad_height_large.bmp", "height -32768 out of range"},
        Rejection{"bad_height_min.bmp", "height -2147483648 out of range"},
        Rejection{"bad_colour_count.bmp", "colour count 257 above 256"},
        Rejection{"bad_offset_inside.bmp", "pixel offset 60 inside the headers"},
        Rejection{"bad_offset_past_end.bmp", "pixel offset 78 past the end"},
        Rejection{"bad_pixels_past_end.bmp", "runs past the end of the file"},
        Rejection{"bad_huge_pixels.bmp", "pixels exceed the limit"},
        Rejection{"bad_palette_index.bmp",
                  "palette index 9 beyond the colour table (4 entries) at pixel (3, 0)"},
        Rejection{"bad_palette_index_1bit.bmp",
                  "palette index 1 beyond the colour table (1 entries)"}));

TEST(BmpRejectInMemory, EmptyAndTruncatedInputsNeverReadOutOfBounds) {
    const std::vector<uint8_t> good = test::ReadFile(test::DataPath("bmp/rgb24_3x2.bmp"));
    ASSERT_FALSE(good.empty());
    // Every prefix of a good file (with the size field fixed to the prefix) is rejected.
    for (size_t length = 0; length < good.size(); ++length) {
        std::vector<uint8_t> prefix(good.begin(),
                                    good.begin() + static_cast<std::ptrdiff_t>(length));
        if (length >= 6) {
            prefix[2] = static_cast<uint8_t>(length);
            prefix[3] = prefix[4] = prefix[5] = 0;
        }
        EXPECT_THROW(ReadBmp(prefix), base::EInvalidGraphic) << "length " << length;
    }
}

}  // namespace
}  // namespace gfx
