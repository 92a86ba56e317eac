#include <gtest/gtest.h>

#include "ContactSheet.h"
#include "RenderOptions.h"
#include "SaverRender.h"
#include "base/Exceptions.h"
#include "gfx/BitmapCount.h"

namespace render {
namespace {

std::string OptionError(const std::vector<std::string>& arguments) {
    try {
        ParseRenderOptions(arguments);
    } catch (const base::Exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(RenderOptionsTest, ReadsEveryOptionAndNamesABadOne) {
    const RenderOptions options =
        ParseRenderOptions({"--size", "640x480", "--seconds", "90", "--at", "1000,2500", "--every",
                            "500", "--out", "somewhere", "--seed", "7", "--no-progress"});
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);
    EXPECT_EQ(options.saverMilliseconds, 90000u);
    EXPECT_EQ(options.snapshotsAt, (std::vector<uint64_t>{1000, 2500}));
    EXPECT_EQ(options.every, 500u);
    EXPECT_EQ(options.outDir, "somewhere");
    EXPECT_EQ(options.seed, 7u);
    EXPECT_FALSE(options.progress);

    EXPECT_EQ(OptionError({"--size", "640"}), "render: --size wants WIDTHxHEIGHT, not '640'");
    EXPECT_EQ(OptionError({"--size", "0x10"}), "render: --size must lie between 1x1 and 8192x8192");
    EXPECT_EQ(OptionError({"--seconds", "-3"}), "render: --seconds wants a whole number, not '-3'");
    EXPECT_EQ(OptionError({"--fast"}), "render: unknown option or missing value: --fast");
    EXPECT_EQ(OptionError({"--fast", "1"}), "render: unknown option --fast");
    // Numbers too large for what they count are refused, not cut down to another number.
    EXPECT_EQ(OptionError({"--cycles", "4294967295"}),
              "render: --cycles must lie between 1 and 1000000, not '4294967295'");
    EXPECT_EQ(OptionError({"--cycles", "0"}),
              "render: --cycles must lie between 1 and 1000000, not '0'");
    EXPECT_EQ(OptionError({"--seconds", "18446744073709552"}),
              "render: --seconds must lie between 0 and 1000000000, not '18446744073709552'");
    EXPECT_EQ(OptionError({"--seed", "4294967296"}),
              "render: --seed must lie between 0 and 4294967295, not '4294967296'");
    EXPECT_EQ(ParseRenderOptions({"--cycles", "1000000", "--seed", "4294967295"}).seed,
              4294967295u);
    // The desktop picture gives the screen its size.
    EXPECT_EQ(OptionError({"--size", "640x480", "--desktop", "d.bmp"}),
              "render: --desktop gives the screen the picture's size; leave out --size");
}

struct TakenShot {
    uint64_t at;
    std::string label;
    gfx::Bitmap picture;
};

TEST(SaverRenderTest, HandsOnTheDesktopAndTheChosenMoments) {
    RenderOptions options;
    options.width = 320;
    options.height = 240;
    options.saverMilliseconds = 6000;
    options.snapshotsAt = {2000, 5000};
    std::vector<TakenShot> shots;
    SaverRender saver(options, [&](const Snapshot& shot) {
        shots.push_back({shot.at, shot.label, shot.picture});
    });
    double last = 0;
    saver.Run([&](double fraction, const std::string&) { last = fraction; });
    EXPECT_DOUBLE_EQ(last, 1.0);
    ASSERT_EQ(shots.size(), 3u);
    EXPECT_EQ(saver.SnapshotCount(), 3);
    EXPECT_EQ(shots[0].label, "desktop");
    EXPECT_EQ(shots[1].at, 2000u);
    EXPECT_EQ(shots[2].at, 5000u);
    EXPECT_EQ(shots[2].picture.Width(), 320);
    // Leaves have come in by then: the screen is no longer the desktop alone.
    int changed = 0;
    for (int32_t y = 0; y < 240; ++y) {
        for (int32_t x = 0; x < 320; ++x) {
            changed += shots[2].picture.GetPixel(x, y) != shots[0].picture.GetPixel(x, y);
        }
    }
    EXPECT_GT(changed, 1000);
}

// The same scene with one snapshot and with a hundred and twenty: the render holds no more
// pictures for the many than for the one.
TEST(SaverRenderTest, KeepsNoSnapshotItHandedOn) {
    RenderOptions options;
    options.width = 160;
    options.height = 120;
    options.saverMilliseconds = 6000;
    options.snapshotsAt = {6000};
    auto bitmapsAtTheEnd = [&](uint64_t every) {
        options.every = every;
        SaverRender saver(options, [](const Snapshot&) {});
        saver.Run([](double, const std::string&) {});
        return std::pair{saver.SnapshotCount(), gfx::LiveBitmapCount()};
    };
    const auto [fewShots, fewBitmaps] = bitmapsAtTheEnd(0);
    const auto [manyShots, manyBitmaps] = bitmapsAtTheEnd(50);
    EXPECT_EQ(fewShots, 2);
    EXPECT_EQ(manyShots, 121);
    EXPECT_EQ(manyBitmaps, fewBitmaps);
}

TEST(ContactSheetTest, LaysThumbnailsOutInRowsWithTheirAverageColour) {
    gfx::Bitmap red(100, 50);
    red.Fill(gfx::MakePixel(200, 0, 0));
    gfx::Bitmap checker(100, 50);
    for (int32_t y = 0; y < 50; ++y) {
        for (int32_t x = 0; x < 100; ++x) {
            checker.SetPixel(x, y, (x + y) % 2 ? gfx::kWhite : gfx::kBlack);
        }
    }
    const gfx::Bitmap redThumbnail = MakeThumbnail(red, 20);
    const gfx::Bitmap sheet =
        MakeContactSheet({redThumbnail, MakeThumbnail(checker, 20), redThumbnail}, 2);
    EXPECT_EQ(redThumbnail.Width(), 20);
    EXPECT_EQ(redThumbnail.Height(), 10);
    EXPECT_EQ(sheet.Width(), 6 + 2 * (20 + 6));
    EXPECT_EQ(sheet.Height(), 6 + 2 * (10 + 6));
    EXPECT_EQ(sheet.GetPixel(6, 6), gfx::MakePixel(200, 0, 0));
    const gfx::Pixel grey = sheet.GetPixel(6 + 26 + 5, 6 + 5);  // a checker averages to grey
    EXPECT_NEAR(gfx::RedOf(grey), 127, 6);                      // 12 or 13 white pixels of 25
    EXPECT_EQ(sheet.GetPixel(6, 6 + 16), gfx::MakePixel(200, 0, 0));
    EXPECT_TRUE(MakeContactSheet({}, 2).Empty());
    // A tall or a thin snapshot fits the square too.
    EXPECT_EQ(MakeThumbnail(gfx::Bitmap(1, 8192), 320).Height(), 320);
    EXPECT_EQ(MakeThumbnail(gfx::Bitmap(1, 8192), 320).Width(), 1);
    EXPECT_EQ(MakeThumbnail(gfx::Bitmap(8192, 1), 320).Width(), 320);
}

// However long the run, the sheet keeps at most its limit of thumbnails: every snapshot whose
// number is a multiple of the stride, from the first on.
TEST(ContactSheetTest, ALongRunKeepsEvenlySpacedThumbnailsWithinTheLimit) {
    SheetThumbnails sheet(8, 2);
    const auto numberOf = [](const gfx::Bitmap& thumbnail) {
        const gfx::Pixel pixel = thumbnail.GetPixel(0, 0);
        return size_t{gfx::RedOf(pixel)} + (size_t{gfx::GreenOf(pixel)} << 8);
    };
    for (size_t offered = 1; offered <= 1000; ++offered) {
        gfx::Bitmap shot(2, 1);
        shot.Fill(gfx::MakePixel(static_cast<uint8_t>(offered - 1),
                                 static_cast<uint8_t>((offered - 1) >> 8), 0));
        sheet.Offer(shot);
        const std::vector<gfx::Bitmap>& kept = sheet.Kept();
        ASSERT_LE(kept.size(), 8u);
        ASSERT_EQ(kept.size(), (offered + sheet.Stride() - 1) / sheet.Stride()) << offered;
        for (size_t i = 0; i < kept.size(); ++i) {
            ASSERT_EQ(numberOf(kept[i]), i * sheet.Stride()) << offered;
        }
    }
    EXPECT_EQ(sheet.Stride(), 128u);
}

}  // namespace
}  // namespace render
