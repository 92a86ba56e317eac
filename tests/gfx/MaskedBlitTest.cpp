// The one-call masked plot against the reference's two transfers (mask AND, then image OR), on
// random placements: clipped, mirrored, stretched, the cases that must take two passes, and the
// spans that leave out what a plot would not change.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "TestBitmaps.h"
#include "gfx/CoveredRows.h"
#include "gfx/MaskedSpans.h"
#include "gfx/Raster.h"
#include "gfx/RasterReference.h"
#include "gfx/RasterRowKernels.h"

namespace gfx {
namespace {

struct Placement {
    int32_t x, y, w, h, sx, sy, sw, sh;
};

Placement RandomPlacement(std::mt19937& random) {
    std::uniform_int_distribution<int32_t> position(-10, 60);
    std::uniform_int_distribution<int32_t> extent(-70, 70);
    Placement p{
        position(random), position(random) / 3, extent(random), extent(random) / 3, 0, 0, 0, 0};
    const bool scaled = random() % 2 == 0;
    p.sx = position(random) / 2;
    p.sy = position(random) / 6;
    p.sw = scaled ? extent(random) : p.w;
    p.sh = scaled ? extent(random) / 3 : p.h;
    return p;
}

// A null image is the destination itself, read as it was before each step.
void ExpectLikeTheTwoReferenceTransfers(Bitmap& dest, const Bitmap& mask, const Bitmap* image,
                                        const Placement& p, const char* what,
                                        const MaskedSpans* spans = nullptr) {
    Bitmap expected(dest);
    expected.GetCanvas().SetBackgroundColour(dest.GetCanvas().BackgroundColour());
    expected.GetCanvas().SetTextColour(dest.GetCanvas().TextColour());
    StretchBltReference(expected.GetCanvas(), p.x, p.y, p.w, p.h, &mask.GetCanvas(), p.sx, p.sy,
                        p.sw, p.sh, Rop::SrcAnd);
    StretchBltReference(expected.GetCanvas(), p.x, p.y, p.w, p.h,
                        image != nullptr ? &image->GetCanvas() : &expected.GetCanvas(), p.sx, p.sy,
                        p.sw, p.sh, Rop::SrcPaint);
    MaskedStretchBlt(dest.GetCanvas(), p.x, p.y, p.w, p.h, mask.GetCanvas(),
                     image != nullptr ? image->GetCanvas() : dest.GetCanvas(), p.sx, p.sy, p.sw,
                     p.sh, spans);
    ASSERT_EQ(test::Difference(expected, dest), "")
        << what << ": " << p.x << "," << p.y << " " << p.w << "x" << p.h << " from " << p.sx << ","
        << p.sy << " " << p.sw << "x" << p.sh;
}

// Same-sized sources share their rows; a smaller mask clips differently and a mono destination
// has no colour rows, so these take the two transfers one after the other; an image that is
// the destination is read as it was before each step.
TEST(MaskedStretchBlt, GivesThePixelsOfMaskAndThenImage) {
    std::mt19937 random(41);
    for (int round = 0; round < 300; ++round) {
        Bitmap dest = test::RandomBitmap(random, 1 + round % 73, 23, PixelFormat::Colour);
        dest.GetCanvas().SetBackgroundColour(round % 3 == 0 ? 0x123456 : kWhite);
        dest.GetCanvas().SetTextColour(round % 5 == 0 ? 0x00FF00 : kBlack);
        const Bitmap mask = test::RandomBitmap(random, 61, 17, PixelFormat::Mono);
        const Bitmap image = test::RandomBitmap(random, 61, 17, PixelFormat::Colour);
        ExpectLikeTheTwoReferenceTransfers(dest, mask, &image, RandomPlacement(random),
                                           "same size");
        if (round % 3 != 0) {
            continue;
        }
        const Bitmap smallMask = test::RandomBitmap(random, 23, 9, PixelFormat::Mono);
        ExpectLikeTheTwoReferenceTransfers(dest, smallMask, &image, RandomPlacement(random),
                                           "smaller mask");
        Bitmap monoDest = test::RandomBitmap(random, 50, 20, PixelFormat::Mono);
        ExpectLikeTheTwoReferenceTransfers(monoDest, smallMask, &image, RandomPlacement(random),
                                           "mono destination");
        Bitmap self = test::RandomBitmap(random, 61, 17, PixelFormat::Colour);
        ExpectLikeTheTwoReferenceTransfers(self, mask, nullptr, RandomPlacement(random),
                                           "image is the destination");
    }
}

// A picture prepared as the frame lists prepare theirs: a blob of 0 mask bits in a white
// margin, the image black under the margin but for a few stray coloured pixels there.
struct PreparedPicture {
    Bitmap mask{61, 17, PixelFormat::Mono};
    Bitmap image{61, 17};
};

PreparedPicture RandomPreparedPicture(std::mt19937& random) {
    PreparedPicture picture;
    const Bitmap colours = test::RandomBitmap(random, 61, 17, PixelFormat::Colour);
    std::uniform_int_distribution<int32_t> edge(0, 30);
    for (int32_t y = 0; y < 17; ++y) {
        const int32_t from = edge(random);
        const int32_t to = from + edge(random);
        for (int32_t x = 0; x < 61; ++x) {
            const bool opaque = x >= from && x < to;
            const bool stray = !opaque && random() % 40 == 0;
            picture.mask.SetPixel(x, y, opaque ? kBlack : kWhite);
            picture.image.SetPixel(x, y, opaque || stray ? colours.GetPixel(x, y) : kBlack);
        }
    }
    return picture;
}

// Plots that leave out what lies outside the spans give the pixels of the full plot, on every
// placement: those that can use the spans (unscaled, white for bit 1, inside their area) and
// those that must not.
TEST(MaskedStretchBlt, PlotsWithTheSpansGiveThePixelsOfTheFullPlot) {
    std::mt19937 random(44);
    for (int round = 0; round < 400; ++round) {
        const PreparedPicture picture = RandomPreparedPicture(random);
        const Rect area = round % 2 == 0 ? Rect{0, 0, 61, 17} : Rect{5, 2, 50, 15};
        const MaskedSpans spans = MaskedSpans::Measure(picture.mask, picture.image, area);
        Bitmap dest = test::RandomBitmap(random, 1 + round % 73, 23, PixelFormat::Colour);
        dest.GetCanvas().SetBackgroundColour(round % 7 == 0 ? 0x123456 : kWhite);
        dest.GetCanvas().SetTextColour(round % 5 == 0 ? 0x00FF00 : kBlack);
        Placement p = RandomPlacement(random);
        if (round % 3 != 0) {
            p.sw = p.w;  // unscaled
            p.sh = p.h;
        }
        ExpectLikeTheTwoReferenceTransfers(dest, picture.mask, &picture.image, p, "with spans",
                                           &spans);
    }
}

// Tall stretched plots with the spans (the rows' parts found sixteen rows at a time, and the
// rows after them) give the pixels of the full plot, upright or upside down, mirrored or not.
TEST(MaskedStretchBlt, TallStretchedPlotsWithTheSpansGiveThePixelsOfTheFullPlot) {
    std::mt19937 random(45);
    for (int round = 0; round < 60; ++round) {
        const PreparedPicture picture = RandomPreparedPicture(random);
        const MaskedSpans spans = MaskedSpans::Measure(picture.mask, picture.image, {0, 0, 61, 17});
        Bitmap dest = test::RandomBitmap(random, 90, 70, PixelFormat::Colour);
        const int32_t width = 20 + static_cast<int32_t>(random() % 70);
        const int32_t height = 17 + static_cast<int32_t>(random() % 53);
        const bool mirrored = round % 3 == 0;
        const bool upsideDown = round % 4 == 0;
        // A negative extent runs from the edge after the plot backwards.
        const int32_t x = static_cast<int32_t>(random() % 10) + (mirrored ? width : 0);
        const int32_t y = static_cast<int32_t>(random() % 5) + (upsideDown ? height : 0);
        const Placement p{x,  y, mirrored ? -width : width, upsideDown ? -height : height, 0, 0,
                          61, 17};
        ExpectLikeTheTwoReferenceTransfers(dest, picture.mask, &picture.image, p, "tall", &spans);
    }
}

// Spans no longer true to their pictures are not used: a stray pixel painted into a margin
// after they were measured still shows.
TEST(MaskedStretchBlt, SpansOfPicturesChangedSinceAreNotUsed) {
    std::mt19937 random(45);
    for (int round = 0; round < 100; ++round) {
        PreparedPicture picture = RandomPreparedPicture(random);
        const MaskedSpans spans = MaskedSpans::Measure(picture.mask, picture.image, {0, 0, 61, 17});
        for (int32_t y = 0; y < 17; ++y) {
            picture.image.SetPixel(60, y, 0x00FF00);
            picture.image.SetPixel(0, y, 0x0000FF);
        }
        EXPECT_FALSE(spans.Describe(picture.mask, picture.image, {0, 0, 61, 17}));
        Bitmap dest = test::RandomBitmap(random, 70, 20, PixelFormat::Colour);
        const Placement p{round % 9, round % 4, round % 2 == 0 ? 61 : -61, 17, 0, 0, 61, 17};
        ExpectLikeTheTwoReferenceTransfers(dest, picture.mask, &picture.image, p, "stale spans",
                                           &spans);
    }
}

// The left-out part is not touched: a bit above the colour, which every plotted pixel loses to
// the mask's white, stays on exactly outside each row's span, mirrored or not. Stretched rows
// may plot up to a shuffle group (8 pixels, 16 with AVX-512) less one more on either side of
// the pixels whose source lies in the span, and nothing where the span is empty.
TEST(MaskedStretchBlt, RowsAreWrittenInsideTheirSpansOnly) {
    std::mt19937 random(46);
    constexpr Pixel kMarker = 0x80000000;
    const int32_t group = raster::WideShuffledMaskedRowsKernelFor() != nullptr ? 16 : 8;
    const PreparedPicture picture = RandomPreparedPicture(random);
    const MaskedSpans spans = MaskedSpans::Measure(picture.mask, picture.image, {0, 0, 61, 17});
    Bitmap columns(61, 17);  // each pixel tells its column, plus one
    for (int32_t y = 0; y < 17; ++y) {
        for (int32_t x = 0; x < 61; ++x) {
            columns.SetPixel(x, y, static_cast<Pixel>(x + 1));
        }
    }
    for (const int32_t width : {61, -61, 91, 40, 19, -91, -40}) {
        const bool unscaled = width == 61 || width == -61;
        const int32_t x0 = width < 0 ? -width - 1 : 0;
        Bitmap sources(100, 17);
        sources.Fill(kBlack);
        StretchBlt(sources.GetCanvas(), x0, 0, width, 17, &columns.GetCanvas(), 0, 0, 61, 17,
                   Rop::SrcCopy);
        Bitmap dest(100, 17);
        for (int32_t y = 0; y < 17; ++y) {
            std::fill_n(dest.ColourRow(y), 100, kMarker | 0x445566);
        }
        MaskedStretchBlt(dest.GetCanvas(), x0, 0, width, 17, picture.mask.GetCanvas(),
                         picture.image.GetCanvas(), 0, 0, 61, 17, &spans);
        for (int32_t y = 0; y < 17; ++y) {
            const ColumnRange span = spans.Row(y);
            int32_t inside = 0;
            int32_t plotted = 0;
            for (int32_t x = 0; x < 100; ++x) {
                const auto source = static_cast<int32_t>(sources.GetPixel(x, y)) - 1;
                const bool isInside = source >= span.begin && source < span.end;
                const bool isPlotted = (dest.GetPixel(x, y) & kMarker) == 0;
                inside += isInside ? 1 : 0;
                plotted += isPlotted ? 1 : 0;
                EXPECT_TRUE(isPlotted || !isInside) << width << ": " << x << "," << y;
            }
            EXPECT_LE(plotted - inside, span.Empty() || unscaled ? 0 : 2 * (group - 1))
                << width << ": row " << y;
        }
    }
}

// A row keeps one covered run: the union of runs that overlap or touch, else the wider.
TEST(CoveredRows, KeepTheUnionOrTheWiderRunOfEachRow) {
    CoveredRows rows;
    rows.Reset(3);
    rows.Cover(0, {10, 20});
    rows.Cover(0, {20, 25});  // touches: joined
    rows.Cover(0, {5, 12});   // overlaps: joined
    rows.Cover(0, {40, 50});  // apart and narrower: left out
    rows.Cover(1, {0, 4});
    rows.Cover(1, {30, 40});  // apart and wider: kept instead
    rows.Cover(2, {7, 7});    // empty: nothing
    rows.Cover(-1, {0, 9});   // rows outside: nothing
    rows.Cover(3, {0, 9});
    EXPECT_EQ(std::pair(rows.Row(0).begin, rows.Row(0).end), std::pair(5, 25));
    EXPECT_EQ(std::pair(rows.Row(1).begin, rows.Row(1).end), std::pair(30, 40));
    EXPECT_TRUE(rows.Row(2).Empty());
    EXPECT_TRUE(rows.Row(3).Empty());
    std::vector<std::pair<int32_t, int32_t>> parts;
    const auto collect = [&](ColumnRange part) { parts.emplace_back(part.begin, part.end); };
    ForEachUncovered({0, 30}, {5, 25}, collect);
    ForEachUncovered({0, 30}, {0, 30}, collect);
    ForEachUncovered({10, 20}, {20, 40}, collect);
    EXPECT_EQ(parts, (std::vector<std::pair<int32_t, int32_t>>{{0, 5}, {25, 30}, {10, 20}}));
}

// A row's span runs from its first to its last pixel that a plot changes (a 0 mask bit or a
// coloured image pixel), for mono and colour masks, over areas inside the pictures and past them
// (where a pixel is no colour, so it counts as changed). Its opaque run is a widest run of 0 mask
// bits; outside the pictures a row has none.
TEST(MaskedSpans, EachRowsSpanAndOpaqueRunFollowItsPixels) {
    std::mt19937 random(48);
    for (int round = 0; round < 100; ++round) {
        PreparedPicture picture = RandomPreparedPicture(random);
        for (int32_t hole = 0; round % 4 == 0 && hole < 20; ++hole) {
            picture.mask.SetPixel(static_cast<int32_t>(random() % 61),
                                  static_cast<int32_t>(random() % 17), kWhite);
        }
        Bitmap colourMask(61, 17);
        for (int32_t y = 0; y < 17; ++y) {
            for (int32_t x = 0; x < 61; ++x) {
                const bool off = random() % 50 == 0;  // neither white nor black: it changes
                colourMask.SetPixel(x, y, off ? 0x808080 : picture.mask.GetPixel(x, y));
            }
        }
        const bool mono = round % 2 == 0;
        const Bitmap& mask = mono ? picture.mask : colourMask;
        for (const Rect& area : {Rect{0, 0, 61, 17}, Rect{7, 3, 40, 12}, Rect{-4, -2, 66, 19}}) {
            const MaskedSpans spans = MaskedSpans::Measure(mask, picture.image, area);
            for (int32_t y = area.top; y < area.bottom; ++y) {
                SCOPED_TRACE(testing::Message() << "round " << round << ", row " << y);
                std::vector<int32_t> changing;
                for (int32_t x = area.left; x < area.right; ++x) {
                    if (mask.GetPixel(x, y) != kWhite || picture.image.GetPixel(x, y) != kBlack) {
                        changing.push_back(x);
                    }
                }
                const ColumnRange span = spans.Row(y);
                EXPECT_EQ(span.Empty(), changing.empty());
                if (!changing.empty()) {
                    EXPECT_EQ(std::pair(span.begin, span.end),
                              std::pair(changing.front(), changing.back() + 1));
                }
                const ColumnRange opaque = spans.OpaqueRun(y);
                if (y < 0 || y >= 17) {
                    EXPECT_TRUE(opaque.Empty());
                } else if (mono && area.left == 0 && area.right == 61) {
                    int32_t widest = 0;
                    for (int32_t x = 0, run = 0; x < 61; ++x) {
                        run = mask.GetPixel(x, y) == kBlack ? run + 1 : 0;
                        widest = std::max(widest, run);
                    }
                    ASSERT_EQ(opaque.Width(), widest);
                    for (int32_t x = opaque.begin; x < opaque.end; ++x) {
                        ASSERT_EQ(mask.GetPixel(x, y), kBlack) << "column " << x;
                    }
                }
            }
        }
    }
}

// Onto a canvas with covered pixels, masked plots (forward and mirrored) and copies leave those
// pixels as they were and give every other pixel what they give without.
TEST(MaskedStretchBlt, CoveredPixelsAreLeftAndTheRestIsAsWithout) {
    std::mt19937 random(48);
    for (int round = 0; round < 300; ++round) {
        const PreparedPicture picture = RandomPreparedPicture(random);
        const MaskedSpans spans = MaskedSpans::Measure(picture.mask, picture.image, {0, 0, 61, 17});
        const Bitmap original = test::RandomBitmap(random, 80, 23, PixelFormat::Colour);
        CoveredRows covered;
        covered.Reset(23);
        for (int32_t y = 0; y < 23; ++y) {
            const auto begin = static_cast<int32_t>(random() % 90) - 5;
            covered.Cover(y, {begin, begin + static_cast<int32_t>(random() % 40)});
        }
        Placement p = RandomPlacement(random);
        p.sw = p.w;
        p.sh = p.h;
        const auto plot = [&](Bitmap& onto) {
            if (round % 3 == 0) {
                StretchBlt(onto.GetCanvas(), p.x, p.y, p.w, p.h, &picture.image.GetCanvas(), p.sx,
                           p.sy, p.w, p.h, Rop::SrcCopy);
            } else {
                MaskedStretchBlt(onto.GetCanvas(), p.x, p.y, p.w, p.h, picture.mask.GetCanvas(),
                                 picture.image.GetCanvas(), p.sx, p.sy, p.w, p.h, &spans);
            }
        };
        Bitmap plain(original);
        Bitmap left(original);
        left.GetCanvas().SetCovered(&covered);
        plot(plain);
        plot(left);
        for (int32_t y = 0; y < 23; ++y) {
            const ColumnRange run = covered.Row(y);
            for (int32_t x = 0; x < 80; ++x) {
                const bool isCovered = x >= run.begin && x < run.end;
                ASSERT_EQ(left.GetPixel(x, y), (isCovered ? original : plain).GetPixel(x, y))
                    << "round " << round << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace gfx
