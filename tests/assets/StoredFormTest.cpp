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

TEST_F(StoredFormTest, SpriteListsHaveTheirStoredSizes) {
    EXPECT_EQ(Block(root_, "spriteBladeren", "FrameList.Data").size(), 2u + 80 * 90 + 4 + 2190174);
    EXPECT_EQ(Block(root_, "spriteLogos", "FrameList.Data").size(), 2u + 3 * 90 + 4 + 394478);
    EXPECT_EQ(Block(root_, "spriteBladeren", "SequenceList.Data").size(),
              2u + 5 * (81 + 2 + 16 * 93));
    EXPECT_EQ(Block(root_, "spriteLogos", "SequenceList.Data"), (ByteBlock{0, 0}));
}

TEST_F(StoredFormTest, TheLeafStripPayloadStartsBehindTheFrameRecords) {
    base::MemoryStream stream(Block(root_, "spriteBladeren", "FrameList.Data"));
    EXPECT_EQ(stream.ReadI16(), 80);
    stream.Seek(7202);
    EXPECT_EQ(stream.ReadU32(), 2190174u);
    EXPECT_EQ(stream.ReadU8(), 'B');
    EXPECT_EQ(stream.ReadU8(), 'M');
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
