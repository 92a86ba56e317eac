// Plotting frames: transparent and opaque, both mirrors and the half-turn, scaling, and plots
// that follow changes to the strips.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string_view>

#include "SpriteTestSupport.h"
#include "sprites/FrameList.h"

namespace sprites {
namespace {

constexpr gfx::Pixel kR = 0xFF0000, kG = 0x00FF00, kB = 0x0000FF, kK = 0, kW = 0xFFFFFF;
constexpr gfx::Pixel kGrey = 0x808080;

// 'R', 'G', 'K', 'W' for those colours; '.' where the grey canvas shows.
gfx::Pixel FromLetter(char letter) {
    const size_t at = std::string_view("RGKW").find(letter);
    return at == std::string_view::npos ? kGrey : std::array{kR, kG, kK, kW}[at];
}

// Frame "p" (3 x 2, its top right pixel blue, the transparent colour), "five" (5 x 2) and
// "seven" (7 x 2), on a grey canvas.
class PlotTest : public ::testing::Test {
  protected:
    std::unique_ptr<TFrameList> list_ = test::LoadList(
        framework::clBlue, {{"p", 0, 0, 3, 2}, {"five", 3, 0, 5, 2}, {"seven", 8, 0, 7, 2}},
        test::EightBitStrip({{kR, kG, kB, kR, kR, kR, kR, kR, kR, kR, kR, kR, kR, kR, kR},
                             {kK, kW, kR, kR, kR, kR, kR, kR, kR, kR, kR, kR, kR, kR, kR}}));
    gfx::Bitmap canvas_{12, 12};

    void SetUp() override { canvas_.Fill(kGrey); }
    const TFrame& Frame(const char* name) const { return list_->Items(list_->IndexOf(name)); }

    // The 5 x 4 area with its top-left corner at (1, 2), a letter a pixel.
    void ExpectArea(const std::vector<std::string>& rows) const {
        for (int32_t y = 0; y < 4; ++y) {
            for (int32_t x = 0; x < 5; ++x) {
                EXPECT_EQ(canvas_.GetPixel(1 + x, 2 + y), FromLetter(rows[size_t(y)][size_t(x)]))
                    << "at " << 1 + x << "," << 2 + y;
            }
        }
    }
    int32_t PaintedColumns(int32_t row) const {
        int32_t count = 0;
        for (int32_t x = 0; x < canvas_.Width(); ++x) {
            count += canvas_.GetPixel(x, row) != kGrey ? 1 : 0;
        }
        return count;
    }
};

// A transparent plot lets the canvas show through. A frame keeps what it worked out about its
// strips' pixels between plots (plotting does not change them) and works it out again once
// they change: a pixel painted into its transparent corner shows in the next plot, ORed onto
// the canvas.
TEST_F(PlotTest, PlotsFollowChangesToTheStrips) {
    const gfx::PixelStamp image = list_->Image().Stamp();
    const gfx::PixelStamp mask = list_->Mask().Stamp();
    Frame("p").Plot(canvas_.GetCanvas(), 2, 3, true);
    ExpectArea({".....", ".RG..", ".KWR.", "....."});
    EXPECT_EQ(canvas_.GetCanvas().CopyMode(), gfx::Rop::SrcPaint);
    Frame("p").Plot(canvas_.GetCanvas(), 2, 3, true);
    EXPECT_EQ(list_->Image().Stamp(), image);
    EXPECT_EQ(list_->Mask().Stamp(), mask);
    ExpectArea({".....", ".RG..", ".KWR.", "....."});

    list_->Image().SetPixel(2, 0, kR);
    Frame("p").Plot(canvas_.GetCanvas(), 2, 3, true);
    EXPECT_EQ(canvas_.GetPixel(4, 3), kGrey | kR);
}

// An opaque plot shows transparent pixels black. A mirrored plot of width W at X covers
// X + 1 .. X + W (rows likewise).
TEST_F(PlotTest, OpaqueMirroredAndHalfTurnedPlots) {
    Frame("p").PlotOpaque(canvas_.GetCanvas(), 2, 3, 1.0);
    ExpectArea({".....", ".RGK.", ".KWR.", "....."});
    EXPECT_EQ(canvas_.GetCanvas().CopyMode(), gfx::Rop::SrcCopy);
    struct Case {
        bool mirrorX, mirrorY, transparent;
        std::vector<std::string> area;
    };
    for (const Case& c :
         std::vector<Case>{{true, false, true, {".....", "...GR", "..RWK", "....."}},
                           {false, true, true, {".....", ".....", ".KWR.", ".RG.."}},
                           {true, true, false, {".....", ".....", "..RWK", "..KGR"}}}) {
        SCOPED_TRACE(testing::Message() << c.mirrorX << c.mirrorY << c.transparent);
        SetUp();
        Frame("p").PlotEx(canvas_.GetCanvas(), 2, 3, c.mirrorX, c.mirrorY, c.transparent, 1.0);
        ExpectArea(c.area);
    }
}

// Scaled sizes round half to even; scale 0 draws nothing and a nonsense scale is refused.
TEST_F(PlotTest, ScaledSizes) {
    Frame("seven").PlotEx(canvas_.GetCanvas(), 1, 1, false, false, false, 0.0);
    Frame("seven").PlotEx(canvas_.GetCanvas(), 1, 1, true, true, true, 0.0);
    for (int32_t row = 0; row < canvas_.Height(); ++row) {
        EXPECT_EQ(PaintedColumns(row), 0);
    }
    Frame("five").PlotMasked(canvas_.GetCanvas(), 0, 0, 0.5);
    EXPECT_EQ(PaintedColumns(0), 2);
    EXPECT_EQ(PaintedColumns(1), 0);  // height 2 x 0.5 = 1
    Frame("seven").PlotOpaque(canvas_.GetCanvas(), 0, 4, 0.5);
    EXPECT_EQ(PaintedColumns(4), 4);
    Frame("p").PlotOpaque(canvas_.GetCanvas(), 0, 6, 3.0);
    EXPECT_EQ(PaintedColumns(6), 9);
    EXPECT_EQ(canvas_.GetPixel(8, 11), kR);
    EXPECT_THROW(Frame("p").PlotOpaque(canvas_.GetCanvas(), 0, 0, 1e300), base::EFrame);
    EXPECT_THROW(Frame("p").PlotOpaque(canvas_.GetCanvas(), 0, 0, std::nan("")), base::EFrame);
}

}  // namespace
}  // namespace sprites
