// Bitmaps: sizes, pixel access on both kinds, resizing, copies and their canvases, and
// pixel memory from a source.

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include <gtest/gtest.h>

#include "AddressSanitizer.h"
#include "TestBitmaps.h"
#include "base/Exceptions.h"
#include "gfx/Bitmap.h"
#include "gfx/PixelAllocator.h"
#include "gfx/Raster.h"

namespace gfx {
namespace {

TEST(Bitmap, BadSizesFailAndEmptyIsFine) {
    EXPECT_TRUE(Bitmap().Empty());
    EXPECT_TRUE(Bitmap(0, 5).Empty());
    EXPECT_THROW(Bitmap(-1, 2), base::EInvalidGraphic);
    EXPECT_THROW(Bitmap(2, kMaxBitmapDimension + 1), base::EInvalidGraphic);
    EXPECT_THROW(Bitmap(kMaxBitmapDimension, kMaxBitmapDimension), base::EInvalidGraphic);
    Bitmap bitmap(3, 3);
    EXPECT_THROW(bitmap.SetWidth(-4), base::EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 3);
}

TEST(Bitmap, PixelsKeepTheTopByteZeroMonoBitsAreOneOnlyForWhiteAndOutsideIsNoPixel) {
    Bitmap bitmap(2, 2);
    EXPECT_EQ(bitmap.GetPixel(1, 1), kWhite);
    bitmap.SetPixel(1, 0, 0xAB123456);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0x123456u);
    bitmap.SetPixel(2, 0, kBlack);
    bitmap.SetPixel(-1, 0, kBlack);
    EXPECT_EQ(bitmap.GetPixel(2, 0), kNoPixel);
    EXPECT_EQ(bitmap.GetPixel(0, -1), kNoPixel);
    EXPECT_EQ(bitmap.GetPixel(0, 0), kWhite);

    Bitmap mono(9, 2, PixelFormat::Mono);
    EXPECT_EQ(mono.MonoStride(), 4u);
    mono.SetPixel(8, 1, 0xFFFFFE);
    mono.SetPixel(0, 0, kBlack);
    EXPECT_EQ(mono.GetPixel(8, 1), kBlack);
    EXPECT_EQ(mono.GetPixel(1, 0), kWhite);
    EXPECT_EQ(mono.MonoRow(0)[0], 0x7F);  // leftmost pixel in the top bit
    mono.Fill(kWhite);
    EXPECT_EQ(mono.GetPixel(8, 1), kWhite);
}

TEST(Bitmap, FillRectFillsOnlyItsPartInsideAsSetPixelWould) {
    for (PixelFormat format : {PixelFormat::Colour, PixelFormat::Mono}) {
        Bitmap filled(10, 4, format);
        Bitmap expected(10, 4, format);
        const Pixel colour = format == PixelFormat::Colour ? 0xAB123456 : kBlack;
        filled.FillRect({7, -2, 14, 3}, colour);  // reaches past the right and the top
        filled.FillRect({3, 3, 1, 1}, kBlack);    // an empty rectangle fills nothing
        for (int32_t y = 0; y < 3; ++y) {
            for (int32_t x = 7; x < 10; ++x) {
                expected.SetPixel(x, y, colour);
            }
        }
        EXPECT_EQ(test::Difference(expected, filled), "");
    }
}

TEST(Bitmap, ResizingKeepsTheCommonAreaAndAddsWhite) {
    for (PixelFormat format : {PixelFormat::Colour, PixelFormat::Mono}) {
        Bitmap bitmap(4, 3, format);
        bitmap.Fill(kBlack);
        bitmap.SetSize(35, 2);
        EXPECT_EQ(bitmap.GetPixel(3, 1), kBlack);
        EXPECT_EQ(bitmap.GetPixel(4, 0), kWhite);
        EXPECT_EQ(bitmap.GetPixel(34, 1), kWhite);
        EXPECT_EQ(bitmap.GetPixel(0, 2), kNoPixel);
        bitmap.SetHeight(4);
        EXPECT_EQ(bitmap.GetPixel(0, 1), kBlack);
        EXPECT_EQ(bitmap.GetPixel(0, 3), kWhite);
        bitmap.SetWidth(0);
        EXPECT_TRUE(bitmap.Empty());
    }
}

// Buffers from kLargeBufferBytes live in whole 2 MiB blocks of their own: growing a picture
// across that size, copying and moving it keep every pixel, and the rows start on a block.
TEST(Bitmap, LargeBuffersKeepTheirPixelsAcrossResizesCopiesAndMoves) {
    const auto largeWidth = static_cast<int32_t>(kLargeBufferBytes / sizeof(Pixel) / 100 + 1);
    Bitmap bitmap(300, 100);
    bitmap.SetPixel(299, 99, 0x123456);
    bitmap.SetSize(largeWidth, 100);
    EXPECT_EQ(bitmap.GetPixel(299, 99), 0x123456u);
    EXPECT_EQ(bitmap.GetPixel(largeWidth - 1, 99), kWhite);
#if defined(__linux__)
    EXPECT_EQ(reinterpret_cast<uintptr_t>(bitmap.ColourRow(0)) % (uintptr_t{2} << 20), 0u);
#endif
    bitmap.SetPixel(largeWidth - 1, 0, 0x00FF00);
    Bitmap copy(bitmap);
    EXPECT_EQ(test::Difference(bitmap, copy), "");
    Bitmap moved(std::move(copy));
    EXPECT_EQ(moved.GetPixel(largeWidth - 1, 0), 0x00FF00u);
    moved.SetSize(300, 100);
    EXPECT_EQ(moved.GetPixel(299, 99), 0x123456u);
}

// The sanitizer build watches the mapped memory past a large buffer's last byte as it watches
// the heap, for buffers in one block and in several; a buffer mapped where a larger one lay
// before is wholly usable.
TEST(BitmapDeathTest, TheSanitizerSeesPastTheEndOfLargeBuffers) {
    if (!kAddressSanitizer) {
        GTEST_SKIP() << "needs the AddressSanitizer build";
    }
    for (const size_t bytes : {kLargeBufferBytes + 4, (size_t{2} << 20) + 100}) {
        auto* data = static_cast<volatile uint8_t*>(AllocatePixelBuffer(bytes));
        data[bytes - 1] = 1;
        EXPECT_DEATH(data[bytes] = 1, "use-after-poison") << bytes;
        FreePixelBuffer(const_cast<uint8_t*>(data), bytes);
    }
    const size_t smaller = kLargeBufferBytes;
    void* reused = AllocatePixelBuffer(smaller);
    FreePixelBuffer(reused, smaller);
    const size_t larger = (size_t{2} << 20) - 64;
    void* data = AllocatePixelBuffer(larger);
    std::memset(data, 7, larger);
    FreePixelBuffer(data, larger);
}

// Lends out numbered blocks and records which are out, so a test sees where pixels live.
class CountingSource : public PixelSource {
  public:
    void* Allocate(size_t bytes) override {
        auto* data = static_cast<Pixel*>(::operator new(bytes));
        out_[data] = bytes;
        return data;
    }
    void Free(void* data, size_t bytes) noexcept override {
        EXPECT_EQ(out_[data], bytes) << "freed with another size than lent";
        out_.erase(data);
        ::operator delete(data, bytes);
    }
    bool Holds(const Bitmap& bitmap) const { return out_.contains(bitmap.ColourRow(0)); }
    size_t Out() const { return out_.size(); }

  private:
    std::map<const void*, size_t> out_;
};

// A bitmap made over a source keeps its pixels there across resizes; copies of it, and
// pictures assigned to it, are ordinary memory; everything lent comes back.
TEST(Bitmap, ABitmapOverASourceKeepsItsPixelsThere) {
    auto source = std::make_shared<CountingSource>();
    {
        Bitmap surface(40, 30, source);
        ASSERT_TRUE(source->Holds(surface));
        surface.SetPixel(39, 29, 0x123456);
        surface.SetSize(50, 40);
        EXPECT_TRUE(source->Holds(surface));
        EXPECT_EQ(source->Out(), 1u) << "the old block went back";
        EXPECT_EQ(surface.GetPixel(39, 29), 0x123456u);
        EXPECT_EQ(surface.GetPixel(49, 39), kWhite);

        Bitmap copy(surface);
        EXPECT_FALSE(source->Holds(copy));
        EXPECT_EQ(test::Difference(copy, surface), "");
        Bitmap moved(std::move(surface));
        EXPECT_TRUE(source->Holds(moved)) << "a move takes the block along";
        moved = copy;
        EXPECT_FALSE(source->Holds(moved));
        EXPECT_EQ(moved.GetPixel(39, 29), 0x123456u);
    }
    EXPECT_EQ(source->Out(), 0u);
}

// A copy gets a fresh canvas; assignment keeps the target's canvas object and its settings.
TEST(Bitmap, CopiesGetTheirOwnCanvasAndAssignmentKeepsIt) {
    Bitmap original(3, 1);
    original.SetPixel(2, 0, 0x0000FF);
    original.SetStoredForm(8, {0x0000FF, kWhite});
    original.GetCanvas().SetBackgroundColour(0x112233);
    const Bitmap copy(original);
    EXPECT_EQ(test::Difference(original, copy), "");
    EXPECT_EQ(copy.ColourTable(), original.ColourTable());
    EXPECT_EQ(copy.StoredDepth(), 8);
    EXPECT_EQ(copy.GetCanvas().BackgroundColour(), kWhite);
    EXPECT_EQ(&copy.GetCanvas().Target(), &copy);

    Canvas& canvas = original.GetCanvas();
    Bitmap source(2, 3, PixelFormat::Mono);
    original = source;
    EXPECT_EQ(&original.GetCanvas(), &canvas);
    EXPECT_EQ(canvas.BackgroundColour(), 0x112233u);
    EXPECT_TRUE(original.Monochrome());
    EXPECT_EQ(original.Height(), 3);
}

// What is worked out from a bitmap's pixels is kept with its stamp, so every write must move
// the stamp on and reading must not.
TEST(Bitmap, EveryWriteMovesTheStampOnAndReadingKeepsIt) {
    Bitmap bitmap(4, 3);
    const Bitmap& reader = bitmap;
    const PixelStamp start = bitmap.Stamp();
    EXPECT_EQ(reader.GetPixel(1, 1), kWhite);
    EXPECT_EQ(reader.ColourRow(2)[3], kWhite);
    Bitmap copy(bitmap);
    BitBlt(copy.GetCanvas(), 0, 0, 4, 3, &bitmap.GetCanvas(), 0, 0, Rop::SrcPaint);
    EXPECT_EQ(bitmap.Stamp(), start) << "reading, or being the source of a transfer";
    EXPECT_NE(copy.Stamp().bitmap, start.bitmap);

    const std::pair<const char*, void (*)(Bitmap&)> writes[] = {
        {"SetPixel", [](Bitmap& b) { b.SetPixel(0, 0, 0x123456); }},
        {"FillRect",
         [](Bitmap& b) {
             b.FillRect({1, 1, 2, 2}, kBlack);
         }},
        {"Fill", [](Bitmap& b) { b.Fill(0x00FF00); }},
        {"SetSize", [](Bitmap& b) { b.SetSize(5, 3); }},
        {"a writable row", [](Bitmap& b) { b.ColourRow(1)[0] = kBlack; }},
        {"a transfer onto it",
         [](Bitmap& b) { BitBlt(b.GetCanvas(), 0, 0, 2, 2, nullptr, 0, 0, Rop::Blackness); }},
        {"assignment", [](Bitmap& b) { b = Bitmap(5, 3); }},
    };
    for (const auto& [what, write] : writes) {
        const PixelStamp before = bitmap.Stamp();
        write(bitmap);
        EXPECT_NE(bitmap.Stamp(), before) << what;
        EXPECT_EQ(bitmap.Stamp().bitmap, start.bitmap) << what;
    }
    Bitmap mono(9, 2, PixelFormat::Mono);
    const PixelStamp monoBefore = mono.Stamp();
    mono.MonoRow(0)[0] = 0;
    EXPECT_NE(mono.Stamp(), monoBefore);
}

}  // namespace
}  // namespace gfx
