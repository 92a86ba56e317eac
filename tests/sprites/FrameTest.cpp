// Frames and frame lists: the scratch bitmap's life, records, the mask invariant, lookups,
// copies, strip compaction, plots (transparent, opaque, mirrored, scaled, and following
// changes to the strips), and the lists' stored form with damaged input.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string_view>
#include <typeinfo>
#include <utility>

#include "SpriteTestSupport.h"
#include "sprites/Frame.h"
#include "sprites/FrameList.h"
#include "sprites/Sequence.h"
#include "sprites/TempBitmap.h"

namespace sprites {
namespace {

using framework::ColorToPixel;
using test::ExpectFailure;
using test::FramePlace;

constexpr gfx::Pixel kR = 0xFF0000, kG = 0x00FF00, kB = 0x0000FF, kK = 0, kW = 0xFFFFFF;
constexpr gfx::Pixel kGrey = 0x808080;
constexpr std::array kLetters{kR, kG, kK, kW};

std::vector<uint8_t> Record(uint8_t testByte, const std::string& name, int16_t x, int16_t y,
                            int16_t w, int16_t h) {
    base::MemoryStream stream;
    test::WriteRecord(stream, {name, x, y, w, h}, testByte);
    return stream.Bytes();
}

TEST(TempBitmapTest, LivesExactlyWhileFramesExistAndOnlyGrows) {
    ASSERT_EQ(TempBitmap(), nullptr);
    {
        TFrameList list;
        auto small = std::make_unique<TFrame>(&list);
        ASSERT_NE(TempBitmap(), nullptr);
        EXPECT_EQ(TempBitmap()->Width(), 0);
        auto big = std::make_unique<TFrame>(&list);
        test::ReadInto(*big, Record(0, "leaf", 0, 0, 141, 104));
        EXPECT_GE(TempBitmap()->Width(), 281);
        EXPECT_GE(TempBitmap()->Height(), 207);
        test::ReadInto(*small, Record(0, "s", 0, 0, 3, 3));
        big.reset();
        EXPECT_EQ(LiveFrameCount(), 1);
        EXPECT_GE(TempBitmap()->Width(), 281);
    }
    EXPECT_EQ(TempBitmap(), nullptr);
    // A creation without a list fails and gives back its count.
    const auto create = [] { TFrame frame(nullptr); };
    ExpectFailure<base::EFrame>(create, "Creation of frame failed. Framelist cannot be nil");
    EXPECT_EQ(LiveFrameCount(), 0);
    EXPECT_EQ(TempBitmap(), nullptr);
    TFrameList list;
    TFrame next(&list);
    EXPECT_THROW(create(), base::EFrame);
    EXPECT_EQ(LiveFrameCount(), 1);
    EXPECT_NE(TempBitmap(), nullptr);
}

TEST(FrameTest, InitializeTakesTheSourceSizeAndAssignCopiesIntoTheOtherList) {
    TFrameList list;
    TFrame frame(&list);
    const gfx::Bitmap source(7, 3);
    frame.Initialize("n", &list, &source);
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{-1, -1, 6, 2}));
    TFrameList other;
    TFrame copy(&other);
    frame.SetX(4);
    copy.Assign(frame);
    EXPECT_EQ(copy.Name(), "n");
    EXPECT_EQ(copy.SourceRect(), (gfx::Rect{4, -1, 11, 2}));
    EXPECT_EQ(copy.FrameList(), &other);
    ExpectFailure<base::EConvertError>([&] { copy.Assign(list); },
                                       "Cannot assign a TFrameList to a TFrame");
}

TEST(FrameTest, RecordRoundTripAndFailures) {
    TFrameList list;
    TFrame frame(&list);
    const std::vector<uint8_t> bytes = Record(0, "blad1_30", 12, 0, 141, 104);
    EXPECT_EQ(test::ReadInto(frame, bytes), 90u);
    EXPECT_TRUE(list.Loaded());
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{12, 0, 153, 104}));
    EXPECT_EQ(test::WrittenBytes(frame), bytes);

    base::MemoryStream badTest(Record(1, "x", 0, 0, 1, 1));
    ExpectFailure<base::EFrame>([&] { frame.ReadData(badTest); },
                                "Frame.ReadData: TestByte not equal to zero");
    EXPECT_EQ(badTest.Position(), 1u);
    ExpectFailure<base::EFrame>([&] { test::ReadInto(frame, Record(0, "x", 0, 0, -3, 1)); },
                                "Frame.ReadData: negative frame size -3 x 1");
    EXPECT_EQ(frame.Width(), 141);  // a refused record leaves the frame as it was
    // Too wide for the scratch bitmap, which grows to twice a frame's size.
    EXPECT_THROW(test::ReadInto(frame, Record(0, "wide", 0, 0, 16385, 1)), base::Exception);
    EXPECT_EQ(frame.Name(), "blad1_30");
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{12, 0, 153, 104}));

    frame.Initialize("", nullptr, nullptr);
    ExpectFailure<base::EFrame>([&] { test::ReadInto(frame, Record(0, "o", 5, 6, 7, 8)); },
                                "Frame.ReadData: no FrameList");
    EXPECT_EQ(frame.SourceRect(), (gfx::Rect{5, 6, 12, 14}));
}

// A 7 x 2 strip: frame a covers columns 0..2, frame b 3..5; column 6 belongs to no frame.
// Prepared for a colour, the mask has bit 1 exactly on that colour inside the frames, and
// those pixels are black in Image unless the colour is black; every other pixel keeps its
// true colour.
TEST(MaskInvariantTest, HoldsAfterLoadingAndEveryColourChange) {
    const std::vector<std::vector<gfx::Pixel>> truth{{kB, kR, kK, kG, kB, kB, kB},
                                                     {kK, kB, kR, kR, kG, kK, kR}};
    auto list = test::LoadList(framework::clBlue, {{"a", 0, 0, 3, 2}, {"b", 3, 0, 3, 2}},
                               test::EightBitStrip(truth));
    ASSERT_TRUE(list->Mask().Monochrome());
    ASSERT_EQ(list->Mask().Width(), 7);
    bool loaded = true;  // first as loaded, then after each change
    for (framework::TColor color :
         {framework::clBlue, framework::clRed, framework::clRed, framework::clBlack,
          framework::clBlue, framework::clBlack, framework::clRed, framework::clBlue}) {
        if (!std::exchange(loaded, false)) {
            list->SetTransparentColor(color);
        }
        for (int32_t y = 0; y < 2; ++y) {
            for (int32_t x = 0; x < 7; ++x) {
                const gfx::Pixel real = truth[size_t(y)][size_t(x)];
                const bool clear = x < 6 && real == ColorToPixel(color);
                SCOPED_TRACE(testing::Message() << "colour " << color << " at " << x << "," << y);
                EXPECT_EQ(list->Image().GetPixel(x, y), clear ? kK : real);
                if (x < 6) {
                    EXPECT_EQ(list->Mask().GetPixel(x, y), clear ? gfx::kWhite : gfx::kBlack);
                }
            }
        }
    }
}

TEST(FrameListTest, ItemsLookupsAndSizes) {
    TFrameList list;
    test::AddFrames(list, {{"blad1_30", 0, 0, 141, 104},
                           {"blad1_02", 141, 0, 139, 98},
                           {std::string(80, 'n'), 280, 0, 1, 1}});
    EXPECT_EQ(list.Items(1).Name(), "blad1_02");
    ExpectFailure<base::EListError>([&] { list.Items(-1); }, "List index out of bounds (-1)");
    ExpectFailure<base::EListError>([&] { list.Items(3); }, "List index out of bounds (3)");
    EXPECT_EQ((std::array{list.IndexOf("blad1_30"), list.IndexOf("BLAD1_30"),
                          list.IndexOf("blad1_3"), list.IndexOf(std::string(100, 'n'))}),
              (std::array{0, -1, -1, 2}));
    // A shorter name keeps the longer one's tail in its stored bytes; only the name counts.
    list.Items(0).SetName("blad1_3");
    EXPECT_EQ((std::array{list.IndexOf("blad1_3"), list.IndexOf("blad1_30")}), (std::array{0, -1}));
    list.Items(0).SetName("blad1_30");

    // The widest and the tallest frame need not be the same one.
    const auto maxSize = [](const TFrameList& frames) {
        int32_t w = -1;
        int32_t h = -1;
        frames.GetMaxSize(w, h);
        return std::pair{w, h};
    };
    EXPECT_EQ(maxSize(list), (std::pair{141, 104}));
    test::AddFrames(list, {{"tall", 281, 0, 20, 150}});
    EXPECT_EQ(maxSize(list), (std::pair{141, 150}));
    EXPECT_EQ(maxSize(TFrameList()), (std::pair{0, 0}));

    TFrameList other;
    EXPECT_THROW(list.Add(std::make_unique<TFrame>(&other)), base::EFrame);
}

// Assign copies strips and frames independently; Clear frees the frames and empties the
// strips but keeps the colour and the loaded state.
TEST(FrameListTest, AssignCopiesIndependentlyAndClearEmpties) {
    auto source = test::LoadList(framework::clBlue, {{"a", 0, 0, 2, 1}, {"b", 2, 0, 2, 1}},
                                 test::EightBitStrip({{0x0000FF, 2, 3, 4}}));
    TFrameList copy;
    test::AddFrames(copy, {{"old", 0, 0, 1, 1}});
    copy.Assign(*source);
    source->Items(0).SetName("changed");
    source->Image().SetPixel(1, 0, 9);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(0).Name(), "a");
    EXPECT_EQ(copy.Items(1).SourceRect(), (gfx::Rect{2, 0, 4, 1}));
    EXPECT_EQ(copy.Items(1).FrameList(), &copy);
    EXPECT_TRUE(copy.TransparentColor() == framework::clBlue && copy.Loaded());
    // Prepared as the source was.
    EXPECT_EQ((std::array{copy.Image().GetPixel(0, 0), copy.Image().GetPixel(1, 0),
                          copy.Mask().GetPixel(0, 0)}),
              (std::array{gfx::kBlack, gfx::Pixel{2}, gfx::kWhite}));

    TSequence sequence(nullptr);
    ExpectFailure<base::EConvertError>([&] { copy.Assign(sequence); },
                                       "Cannot assign a TSequence to a TFrameList");
    EXPECT_EQ(copy.Count(), 2);

    ASSERT_EQ(LiveFrameCount(), 4);
    source->Clear();
    EXPECT_EQ((std::array{source->Count(), LiveFrameCount(), source->Image().Width(),
                          source->Mask().Height()}),
              (std::array{0, 2, 0, 0}));
    EXPECT_TRUE(source->TransparentColor() == framework::clBlue && source->Loaded());
}

// Removing frame b (3 wide at X 2) of a 9 x 2 strip: everything right of it moves left.
TEST(FrameListTest, RemovingAFrameCompactsBothStrips) {
    TFrameList list;
    list.Image().SetSize(9, 2);
    list.Image().Fill(gfx::kWhite);
    list.Mask().SetSize(9, 2);
    test::AddFrames(list, {{"a", 0, 0, 2, 2}, {"b", 2, 0, 3, 2}, {"c", 5, 0, 4, 1}});
    list.SetTransparentColor(framework::clBlue);
    list.Image().SetPixel(5, 1, 0x00AA00);  // first column of c
    list.Image().SetPixel(8, 1, 0x0000AA);
    list.Image().SetPixel(1, 0, 0xAA0000);               // last column of a
    ASSERT_EQ(list.Mask().GetPixel(6, 0), gfx::kBlack);  // opaque: no blue in the strip
    list.Mask().SetPixel(6, 0, gfx::kWhite);

    list.Delete(1);
    EXPECT_EQ((std::array{list.Count(), list.Image().Width(), list.Mask().Width(),
                          list.Image().Height(), int32_t{list.Items(1).X()}}),
              (std::array{2, 6, 6, 2, 2}));
    EXPECT_EQ(list.Items(1).Name(), "c");
    EXPECT_EQ((std::array{list.Image().GetPixel(2, 1), list.Image().GetPixel(5, 1),
                          list.Image().GetPixel(1, 0), list.Mask().GetPixel(3, 0),
                          list.Mask().GetPixel(5, 0)}),
              (std::array<gfx::Pixel, 5>{0x00AA00, 0x0000AA, 0xAA0000, gfx::kWhite, gfx::kBlack}));
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

    // The 5 x 4 area with its top-left corner at (1, 2): 'R', 'G', 'K', 'W' for those
    // colours, '.' where the grey canvas shows.
    void ExpectArea(const std::vector<std::string>& rows) const {
        for (int32_t y = 0; y < 4; ++y) {
            for (int32_t x = 0; x < 5; ++x) {
                const size_t at = std::string_view("RGKW").find(rows[size_t(y)][size_t(x)]);
                const gfx::Pixel want = at == std::string_view::npos ? kGrey : kLetters[at];
                EXPECT_EQ(canvas_.GetPixel(1 + x, 2 + y), want) << "at " << 1 + x << "," << 2 + y;
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

const std::vector<FramePlace> kThree{{"a", 0, 0, 2, 2}, {"b", 2, 0, 1, 2}, {"c", 3, 0, 2, 1}};
const std::vector<uint8_t>& ThreeStored() {
    static const std::vector<uint8_t> stored = test::FrameListBytes(
        kThree, test::EightBitStrip({{kB, 0x111111, 0x222222, kB, 0}, {7, kB, 9, 0, kB}}));
    return stored;
}

TEST(FrameListStreamTest, RoundTripKeepsEveryByteAndTheListPrepared) {
    TFrameList list(framework::clBlue);
    for (int pass = 0; pass < 2; ++pass) {  // a second read replaces what the list held
        EXPECT_EQ(test::ReadInto(list, ThreeStored()), ThreeStored().size());
        ASSERT_EQ(list.Count(), 3);
        EXPECT_EQ(test::WrittenBytes(list), ThreeStored());  // stored with its blue pixels
    }
    EXPECT_EQ(list.Items(2).SourceRect(), (gfx::Rect{3, 0, 5, 1}));

    TFrameList empty;
    EXPECT_EQ(test::WrittenBytes(empty), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0}));

    // A list too long for the stored count fails and stays prepared.
    test::AddFrames(list, std::vector<FramePlace>(32765, FramePlace{"extra", 0, 0, 0, 0}));
    base::MemoryStream out;
    EXPECT_THROW(list.WriteData(out), base::EOverflow);
    EXPECT_EQ(list.Image().GetPixel(0, 0), gfx::kBlack);
    EXPECT_EQ(list.Mask().GetPixel(0, 0), gfx::kWhite);
}

TEST(FrameListStreamTest, ZeroOrNegativeCountReadsOnlyTheCount) {
    for (uint8_t high : {uint8_t{0x00}, uint8_t{0x80}, uint8_t{0xFF}}) {
        TFrameList list;
        EXPECT_EQ(test::ReadInto(list, {0x00, high, 'B', 'M', 1, 2, 3}), 2u);
        EXPECT_TRUE(list.Count() == 0 && !list.Loaded() && list.Image().Empty()) << int{high};
    }
}

TEST(FrameListStreamTest, OneBitStripBecomesAColourStripAndWritesBackAsItWas) {
    gfx::Bitmap mono(4, 1, gfx::PixelFormat::Mono);
    for (int32_t x = 0; x < 4; ++x) {
        mono.SetPixel(x, 0, x == 0 || x == 3 ? gfx::kWhite : gfx::kBlack);
    }
    const std::vector<uint8_t> stored = test::FrameListBytes({{"m", 0, 0, 4, 1}}, mono);
    TFrameList list;
    test::ReadInto(list, stored);
    EXPECT_FALSE(list.Image().Monochrome());
    // Black is the list's colour: masked, and black in the image.
    EXPECT_EQ((std::array{list.Image().GetPixel(0, 0), list.Image().GetPixel(1, 0),
                          list.Mask().GetPixel(1, 0)}),
              (std::array{gfx::kWhite, gfx::kBlack, gfx::kWhite}));
    EXPECT_EQ(test::WrittenBytes(list), stored);
}

// Each damaged list fails with its own error, keeps the frames it read before (and frees them
// all when it goes), and asks the scratch bitmap for no more than the frames it kept need.
TEST(FrameListStreamTest, DamagedStreamsFailAndKeepTheFramesReadBefore) {
    const auto changed = [](size_t at, uint8_t value, size_t size = ThreeStored().size()) {
        std::vector<uint8_t> bytes = test::Prefix(ThreeStored(), size);
        bytes[at] = value;
        return bytes;
    };
    // A record larger than the strip would ask the scratch bitmap for twice its size.
    const auto outside = [](const FramePlace& place) {
        return test::FrameListBytes({kThree[0], place},
                                    test::EightBitStrip({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));
    };
    // A frame inside its strip whose scratch bitmap would be larger than a bitmap can be.
    const auto tooWide = [] {
        const std::vector<gfx::Pixel> row(16385, 1);
        return test::FrameListBytes({kThree[0], {"wide", 0, 0, 16385, 1}},
                                    test::EightBitStrip({row, row}));
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const std::type_info& error;
        std::string text;
        int32_t kept;
    };
    const Case cases[] = {
        {"test byte of record 2", changed(2 + 90, 1), typeid(base::EFrame),
         "Frame.ReadData: TestByte not equal to zero", 1},
        {"negative width of record 3", changed(2 + 90 * 2 + 87, 0xFF), typeid(base::EFrame),
         "negative frame size", 2},
        {"count beyond the records", changed(1, 0x7F, 2 + 90 * 2), typeid(base::EReadError),
         "Stream read error", 2},
        {"right of the strip", outside({"far", 4, 0, 2, 1}), typeid(base::EFrame),
         "lies outside the strip of 5 x 2", 2},
        {"below the strip", outside({"tall", 0, 0, 1, 32000}), typeid(base::EFrame),
         "lies outside the strip of 5 x 2", 2},
        {"left of the strip", outside({"left", -1, 0, 1, 1}), typeid(base::EFrame),
         "lies outside the strip of 5 x 2", 2},
        {"scratch bitmap too wide", tooWide(), typeid(base::EFrame),
         "frame \"wide\" of 16385 x 1 needs a scratch bitmap of 32769 x ", 2},
        {"bad magic", changed(2 + 90 * 3 + 4, 'X'), typeid(base::EInvalidGraphic), "bad magic", 3},
        {"payload count beyond the bytes", changed(2 + 90 * 3 + 3, 0x10), typeid(base::EReadError),
         "", 3},
        {"payload cut short", test::Prefix(ThreeStored(), ThreeStored().size() - 1),
         typeid(base::EReadError), "", 3}};

    TFrameList first(framework::clBlue);  // its frames keep the scratch bitmap alive
    EXPECT_THROW(test::ReadInto(first, test::Prefix(ThreeStored(), 2 + 90 * 2 + 40)),
                 base::EReadError);
    ASSERT_EQ(first.Count(), 2);
    EXPECT_EQ(first.Items(1).X(), 2);  // the failed record took nothing out of the strips
    const int32_t liveBefore = LiveFrameCount();
    const int32_t widthBefore = TempBitmap()->Width();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        {
            TFrameList list(framework::clBlue);
            try {
                test::ReadInto(list, c.bytes);
                ADD_FAILURE() << "no failure";
            } catch (const base::Exception& e) {
                EXPECT_EQ(typeid(e), c.error);
                EXPECT_NE(e.Message().find(c.text), std::string::npos) << e.Message();
            }
            EXPECT_EQ(list.Count(), c.kept);
        }
        EXPECT_EQ(LiveFrameCount(), liveBefore);
        EXPECT_EQ(TempBitmap()->Width(), widthBefore);
        EXPECT_LT(TempBitmap()->Height(), 1000);
    }
}

}  // namespace
}  // namespace sprites
