// The stored bytes of the embedded descriptions, read as the container only.

#include <gtest/gtest.h>

#include <string>

#include "assets/Assets.h"
#include "base/MemoryStream.h"
#include "framework/FormDescription.h"

namespace assets::testing {
namespace {

using framework::ByteBlock;
using framework::ObjectDescription;

const ByteBlock& Block(const ObjectDescription& root, const char* component, const char* property) {
    const ObjectDescription* child = root.FindChild(component);
    if (child == nullptr || child->FindProperty(property) == nullptr) {
        throw std::runtime_error(std::string("no ") + component + "." + property);
    }
    return std::get<ByteBlock>(child->FindProperty(property)->value);
}

class StoredFormTest : public ::testing::Test {
  protected:
    ObjectDescription root_ = framework::ReadFormDescription(MainFormDescription());
};

// A frame list: the count, 90 bytes a frame record, then the strip's payload with its length
// in front, a bitmap file; nothing follows. A sequence list: the count, then per sequence its
// 81-byte record, its step count and 93 bytes a step.
TEST_F(StoredFormTest, SpriteListsAreStoredAsRecordsThenTheStrip) {
    for (const char* sprite : {"spriteBladeren", "spriteLogos"}) {
        const ByteBlock& block = Block(root_, sprite, "FrameList.Data");
        base::MemoryStream stream(block);
        const int16_t frames = stream.ReadI16();
        EXPECT_GT(frames, 0) << sprite;
        stream.Seek(2 + static_cast<size_t>(frames) * 90);
        const uint32_t payload = stream.ReadU32();
        EXPECT_EQ(stream.ReadU8(), 'B') << sprite;
        EXPECT_EQ(stream.ReadU8(), 'M') << sprite;
        EXPECT_EQ(block.size(), 2u + static_cast<size_t>(frames) * 90 + 4 + payload) << sprite;
    }
    EXPECT_EQ(Block(root_, "spriteBladeren", "SequenceList.Data").size(),
              2u + 5 * (81 + 2 + 16 * 93));
    EXPECT_EQ(Block(root_, "spriteLogos", "SequenceList.Data"), (ByteBlock{0, 0}));
}

TEST_F(StoredFormTest, PicturesAreStoredWithTheirClassName) {
    const ByteBlock& tile = Block(root_, "sbStage", "Picture.Data");
    EXPECT_EQ(tile.size(), 11090u);
    EXPECT_EQ(std::string(tile.begin(), tile.begin() + 8), "\007TBitmap");
    EXPECT_EQ(Block(root_, "bmpBack", "Picture.Data"), tile);
    for (const char* mask : {"imgMaskStar", "imgMaskEtiket", "imgMaskBar"}) {
        EXPECT_EQ(Block(root_, mask, "Picture.Data").size(), 30474u) << mask;
    }
}

TEST_F(StoredFormTest, SpritePropertiesFollowTheStoredOrder) {
    const std::vector<std::string> order{"About",        "Transparent",    "SpriteBox",
                                         "HitTest",      "FrameList.Data", "SequenceList.Data",
                                         "CurrentFrame", "FrameIndex",     "MirrorX",
                                         "MirrorY",      "OnMove"};
    const ObjectDescription* leaves = root_.FindChild("spriteBladeren");
    ASSERT_NE(leaves, nullptr);
    ASSERT_EQ(leaves->properties.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(leaves->properties[i].name, order[i]);
    }
    EXPECT_EQ(root_.FindChild("spriteLogos")->properties.size(), order.size() - 1);
}

TEST_F(StoredFormTest, TheAboutDialogCarriesItsPicture) {
    const ObjectDescription about = framework::ReadFormDescription(AboutFormDescription());
    EXPECT_EQ(about.className, "TfrmAbout");
    const ByteBlock& picture = Block(about, "Image1", "Picture.Data");
    EXPECT_EQ(picture.size(), 8u + 4 + 14 + 40 + 1024 + 224 * 242);
}

}  // namespace
}  // namespace assets::testing
