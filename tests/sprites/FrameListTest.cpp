// Frame lists: lookups, sizes, clearing, copying and strip compaction.

#include <gtest/gtest.h>

#include <utility>

#include "SpriteTestSupport.h"
#include "sprites/FrameList.h"
#include "sprites/Sequence.h"

namespace sprites {
namespace {

using test::FramePlace;

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

TEST(FrameListTest, ClearFreesFramesAndEmptiesStripsButKeepsColourAndLoaded) {
    auto list = test::LoadList(framework::clBlue, {{"a", 0, 0, 2, 1}, {"b", 2, 0, 2, 1}},
                               test::EightBitStrip({{1, 2, 3, 4}}));
    ASSERT_EQ(LiveFrameCount(), 2);
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(LiveFrameCount(), 0);
    EXPECT_EQ(list->Image().Width(), 0);
    EXPECT_EQ(list->Mask().Height(), 0);
    EXPECT_EQ(list->TransparentColor(), framework::clBlue);
    EXPECT_TRUE(list->Loaded());
}

TEST(FrameListTest, AssignCopiesStripsAndFramesIndependently) {
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
}

// Removing frame 1 (139 wide at X 141) of the leaf strip: everything right of it moves left.
TEST(FrameListTest, RemovingAFrameCompactsBothStrips) {
    auto list = test::LeafList();
    const std::vector<FramePlace> leaves = test::LeafFrames();
    list->Image().SetPixel(280, 7, 0x00AA00);  // first column of frame 2
    list->Image().SetPixel(10084, 216, 0x0000AA);
    list->Image().SetPixel(140, 3, 0xAA0000);               // last column of frame 0
    ASSERT_EQ(list->Mask().GetPixel(300, 5), gfx::kBlack);  // opaque: no blue in the strip
    list->Mask().SetPixel(300, 5, gfx::kWhite);

    list->Delete(1);
    EXPECT_EQ(list->Count(), 79);
    EXPECT_EQ(list->Image().Width(), 9946);
    EXPECT_EQ(list->Mask().Width(), 9946);
    EXPECT_EQ(list->Image().Height(), 217);
    EXPECT_EQ(list->Items(0).X(), 0);
    EXPECT_EQ(list->Items(1).Name(), "blad1_04");
    for (int32_t i = 1; i < 79; ++i) {
        EXPECT_EQ(list->Items(i).X(), leaves[size_t(i) + 1].x - 139);
    }
    EXPECT_EQ(list->Image().GetPixel(141, 7), 0x00AA00u);
    EXPECT_EQ(list->Image().GetPixel(9945, 216), 0x0000AAu);
    EXPECT_EQ(list->Image().GetPixel(140, 3), 0xAA0000u);
    EXPECT_EQ(list->Mask().GetPixel(161, 5), gfx::kWhite);
    EXPECT_EQ(list->Mask().GetPixel(300, 5), gfx::kBlack);
}

}  // namespace
}  // namespace sprites
