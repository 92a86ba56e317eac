// Frame lists: lookups, sizes, clearing, copying and strip compaction.

#include <gtest/gtest.h>

#include <utility>

#include "SpriteTestSupport.h"
#include "sprites/FrameList.h"
#include "sprites/Sequence.h"

namespace sprites {
namespace {

TEST(FrameListTest, ItemsAndLookups) {
    TFrameList list;
    test::AddFrames(list, {{"blad1_30", 0, 0, 141, 104},
                           {"blad1_02", 141, 0, 139, 98},
                           {std::string(80, 'n'), 280, 0, 1, 1}});
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(1).Name(), "blad1_02");
    test::ExpectFailure<base::EListError>([&] { list.Items(-1); }, "List index out of bounds (-1)");
    test::ExpectFailure<base::EListError>([&] { list.Items(3); }, "List index out of bounds (3)");
    EXPECT_EQ(list.IndexOf("blad1_30"), 0);
    EXPECT_EQ(list.IndexOf("BLAD1_30"), -1);
    EXPECT_EQ(list.IndexOf("blad1_3"), -1);
    EXPECT_EQ(list.IndexOf(std::string(100, 'n')), 2);

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
    EXPECT_EQ(copy.TransparentColor(), framework::clBlue);
    EXPECT_TRUE(copy.Loaded());
    EXPECT_EQ(copy.Image().GetPixel(0, 0), gfx::kBlack);  // prepared as the source was
    EXPECT_EQ(copy.Image().GetPixel(1, 0), 2u);
    EXPECT_EQ(copy.Mask().GetPixel(0, 0), gfx::kWhite);

    TSequence sequence(nullptr);
    test::ExpectFailure<base::EConvertError>([&] { copy.Assign(sequence); },
                                             "Cannot assign a TSequence to a TFrameList");
    EXPECT_EQ(copy.Count(), 2);

    ASSERT_EQ(LiveFrameCount(), 4);
    source->Clear();
    EXPECT_EQ(source->Count(), 0);
    EXPECT_EQ(LiveFrameCount(), 2);
    EXPECT_EQ(source->Image().Width(), 0);
    EXPECT_EQ(source->Mask().Height(), 0);
    EXPECT_EQ(source->TransparentColor(), framework::clBlue);
    EXPECT_TRUE(source->Loaded());
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
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Image().Width(), 6);
    EXPECT_EQ(list.Mask().Width(), 6);
    EXPECT_EQ(list.Image().Height(), 2);
    EXPECT_EQ(list.Items(0).X(), 0);
    EXPECT_EQ(list.Items(1).Name(), "c");
    EXPECT_EQ(list.Items(1).X(), 2);
    EXPECT_EQ(list.Image().GetPixel(2, 1), 0x00AA00u);
    EXPECT_EQ(list.Image().GetPixel(5, 1), 0x0000AAu);
    EXPECT_EQ(list.Image().GetPixel(1, 0), 0xAA0000u);
    EXPECT_EQ(list.Mask().GetPixel(3, 0), gfx::kWhite);
    EXPECT_EQ(list.Mask().GetPixel(5, 0), gfx::kBlack);
}

}  // namespace
}  // namespace sprites
