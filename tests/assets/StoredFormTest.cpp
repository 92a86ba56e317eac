// The embedded descriptions read as the container only: what the reader of their kinds
// depends on.

#include <gtest/gtest.h>

#include <string>

#include "assets/Assets.h"
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

// The reader applies properties in the stored order: About (the version the sequences are read
// by) and Transparent (the colour the frames are prepared for) come before the lists.
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
