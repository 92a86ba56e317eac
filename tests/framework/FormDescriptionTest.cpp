#include "framework/FormDescription.h"

#include <gtest/gtest.h>

#include "base/Exceptions.h"

namespace framework {
namespace {

ObjectDescription SampleForm() {
    ObjectDescription form{"TfrmMain", "frmMain", {}, {}};
    form.properties = {{"Caption", std::string("Vellamor Autumn")},
                       {"Color", ColorValue{0x00FF0000}},
                       {"KeyPreview", true},
                       {"OnCreate", EventBinding{"FormCreate"}}};
    ObjectDescription sprite{"TSprite", "spriteBladeren", {}, {}};
    sprite.properties = {{"About", std::string("1.1e")},
                         {"SpriteBox", ComponentRef{"sbStage"}},
                         {"HitTest", Identifier{"htNone"}},
                         {"Plotmode", SetValue{"BufferBackground", "PlotTransparent"}},
                         {"FrameList.Data", ByteBlock{0, 0, 1, 2, 3}},
                         {"FrameIndex", int32_t{-1}}};
    form.children.push_back(sprite);
    return form;
}

void ExpectSame(const ObjectDescription& a, const ObjectDescription& b) {
    EXPECT_EQ(a.className, b.className);
    EXPECT_EQ(a.name, b.name);
    ASSERT_EQ(a.properties.size(), b.properties.size());
    for (size_t i = 0; i < a.properties.size(); ++i) {
        EXPECT_EQ(a.properties[i].name, b.properties[i].name);
        EXPECT_TRUE(a.properties[i].value == b.properties[i].value) << a.properties[i].name;
    }
    ASSERT_EQ(a.children.size(), b.children.size());
    for (size_t i = 0; i < a.children.size(); ++i) {
        ExpectSame(a.children[i], b.children[i]);
    }
}

// The fault a damaged description gives to the reader the program uses (in place; the copying
// reader shares every read with it but the holding of a byte block).
std::string ReadError(const std::vector<uint8_t>& bytes) {
    try {
        ReadFormDescriptionInPlace(bytes);
        return "no error";
    } catch (const base::EReadError& e) {
        return e.what();
    }
}

TEST(FormDescriptionTest, RoundTripKeepsEveryValueInOrder) {
    const ObjectDescription form = SampleForm();
    const std::vector<uint8_t> bytes = WriteFormDescription(form);
    const ObjectDescription read = ReadFormDescription(bytes);
    ExpectSame(form, read);
    ASSERT_NE(read.FindChild("spriteBladeren"), nullptr);
    EXPECT_NE(read.FindChild("spriteBladeren")->FindProperty("FrameList.Data"), nullptr);
    EXPECT_EQ(read.FindProperty("Missing"), nullptr);
}

TEST(FormDescriptionTest, ReadInPlaceItsByteBlocksPointIntoTheBytesAndWriteBackTheSame) {
    const std::vector<uint8_t> bytes = WriteFormDescription(SampleForm());
    const ObjectDescription read = ReadFormDescriptionInPlace(bytes);
    EXPECT_EQ(WriteFormDescription(read), bytes);
    const Property* data = read.FindChild("spriteBladeren")->FindProperty("FrameList.Data");
    ASSERT_NE(data, nullptr);
    const auto* view = std::get_if<ByteView>(&data->value);
    ASSERT_NE(view, nullptr);
    EXPECT_GE(view->bytes.data(), bytes.data());
    EXPECT_LE(view->bytes.data() + view->bytes.size(), bytes.data() + bytes.size());
    EXPECT_TRUE(*view == (ByteView{ByteBlock{0, 0, 1, 2, 3}}));
}

TEST(FormDescriptionTest, EveryTruncationFailsWithAReadError) {
    const std::vector<uint8_t> bytes = WriteFormDescription(SampleForm());
    for (size_t length = 0; length < bytes.size(); ++length) {
        const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
        EXPECT_NE(ReadError(cut), "no error") << length;
    }
}

TEST(FormDescriptionTest, DamagedDescriptionsNameTheFault) {
    std::vector<uint8_t> bytes = WriteFormDescription(SampleForm());
    std::vector<uint8_t> badMagic = bytes;
    badMagic[0] = 'X';
    EXPECT_EQ(ReadError(badMagic), "Form description: bad magic, not \"VAF1\" at offset 4");

    std::vector<uint8_t> trailing = bytes;
    trailing.push_back(0);
    EXPECT_EQ(ReadError(trailing).rfind("Form description: 1 byte left after the form", 0), 0u);

    // The root's first property starts after magic, class and name and the count.
    const size_t firstType = 4 + 1 + 8 + 1 + 7 + 2 + 1 + 7;
    ASSERT_EQ(bytes[firstType], 3);  // String
    std::vector<uint8_t> badType = bytes;
    badType[firstType] = 42;
    EXPECT_EQ(ReadError(badType).rfind("Form description: unknown property type 42", 0), 0u);

    // A byte block claiming more than is left fails before anything is allocated for it.
    std::vector<uint8_t> hugeString = bytes;
    hugeString[firstType + 4] = 0x7F;
    EXPECT_EQ(ReadError(hugeString).rfind("Stream read error", 0), 0u);
}

TEST(FormDescriptionTest, DeepNestingIsRefused) {
    ObjectDescription root{"TForm", "deep", {}, {}};
    ObjectDescription* last = &root;
    for (int i = 0; i <= kMaxDescriptionDepth; ++i) {
        last->children.push_back(ObjectDescription{"TImage", "child", {}, {}});
        last = &last->children.back();
    }
    EXPECT_EQ(ReadError(WriteFormDescription(root)).rfind("Form description: objects nested", 0),
              0u);
}

}  // namespace
}  // namespace framework
