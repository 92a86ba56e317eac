// A damaged main-window description fails the window's creation with the exception of the
// part that found the fault, and the program goes on: one damage for each part (the parts'
// own tests in tests/sprites, tests/gfx and tests/framework go through every damage).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "TestForm.h"
#include "assets/Assets.h"
#include "base/Exceptions.h"
#include "framework/Application.h"
#include "framework/FormDescription.h"
#include "platform/headless/HeadlessBackend.h"
#include "sprites/Sprite.h"

namespace assets::testing {
namespace {

using framework::ObjectDescription;
using framework::PropertyValue;

framework::ByteBlock& Block(PropertyValue& value) {
    return std::get<framework::ByteBlock>(value);
}

class DamagedFormTest : public ::testing::Test {
  protected:
    // Replaces a stored property's value of one component, in a fresh copy of the description
    // unless this adds to the damage before.
    void Damage(const char* component, const char* property,
                const std::function<void(PropertyValue&)>& damage, bool fresh = true) {
        if (fresh) {
            root_ = framework::ReadFormDescription(MainFormDescription());
        }
        for (ObjectDescription& child : root_.children) {
            for (framework::Property& stored : child.properties) {
                if (child.name == component && stored.name == property) {
                    damage(stored.value);
                    return;
                }
            }
        }
        FAIL() << "no " << component << "." << property;
    }

    // Creates the window from the damaged description and expects E, with that message if one
    // is given; nothing of the window is left.
    template <class E>
    void ExpectCreationFails(const std::string& message = {}) {
        try {
            application_.CreateForm<TfrmTest>(framework::WriteFormDescription(root_));
            ADD_FAILURE() << "the window was made; wanted: " << message;
        } catch (const E& e) {
            if (!message.empty()) {
                EXPECT_EQ(e.Message(), message);
            }
        }
        EXPECT_EQ(application_.ComponentCount(), 0);
    }

    platform::headless::HeadlessBackend backend_;
    framework::TApplication application_;
    ObjectDescription root_;
};

TEST_F(DamagedFormTest, EachDamageFailsWithTheExceptionOfThePartThatFoundIt) {
    Damage("spriteBladeren", "SequenceList.Data", [](PropertyValue& v) { Block(v).push_back(0); });
    ExpectCreationFails<base::EReadError>("SequenceList.Data: 1 byte after the list");
    Damage("spriteBladeren", "CurrentFrame", [](PropertyValue& v) { v = std::string("blad9_30"); });
    ExpectCreationFails<base::ESprite>("Frame not found: blad9_30");
    Damage("spriteLogos", "FrameIndex", [](PropertyValue& v) { v = int32_t{3}; });
    ExpectCreationFails<base::EListError>();
    Damage("spriteLogos", "SpriteBox",
           [](PropertyValue& v) { v = framework::ComponentRef{"bmpBack"}; });
    ExpectCreationFails<base::EConvertError>("Invalid class typecast");
    Damage("imgMaskBar", "Picture.Data", [](PropertyValue& v) { Block(v)[12] = 'X'; });
    ExpectCreationFails<base::EInvalidGraphic>();
}

TEST_F(DamagedFormTest, AFrameRecordWithoutItsTestByteFailsAndTheApplicationGoesOn) {
    Damage("spriteLogos", "FrameList.Data", [](PropertyValue& v) { Block(v)[2] = 1; });
    ExpectCreationFails<base::EFrame>("Frame.ReadData: TestByte not equal to zero");
    auto* form = application_.CreateForm<TfrmTest>(MainFormDescription());
    EXPECT_EQ(form->ComponentCount(), 9);
    EXPECT_EQ(form->calls, std::vector<std::string>{"FormCreate"});
}

TEST_F(DamagedFormTest, AnEmptyFrameListLoadsAsItIsWritten) {
    Damage("spriteLogos", "FrameList.Data", [](PropertyValue& v) {
        Block(v) = {0, 0, 0, 0, 0, 0};  // no frames, then the empty strip's payload
    });
    Damage(
        "spriteLogos", "CurrentFrame", [](PropertyValue& v) { v = std::string("None"); }, false);
    for (ObjectDescription& child : root_.children) {  // no frame to choose by index either
        std::erase_if(child.properties, [&](const framework::Property& p) {
            return child.name == "spriteLogos" && p.name == "FrameIndex";
        });
    }
    auto* form = application_.CreateForm<TfrmTest>(framework::WriteFormDescription(root_));
    auto& logos = framework::CheckedCast<sprites::TSprite>(*form->FindComponent("spriteLogos"));
    EXPECT_EQ(logos.FrameList().Count(), 0);
}

// The fuzzer's main seed is the generator's description over tiny pictures: it must load
// whole, or the fuzzer would start from a rejection.
TEST_F(DamagedFormTest, TheFuzzersSmallSeedLoadsCompletely) {
    const std::filesystem::path seed =
        std::filesystem::path(VA_TEST_DATA_DIR) / "../../fuzz/corpus/formdesc/main_small.vaf";
    std::ifstream in(seed, std::ios::binary);
    ASSERT_TRUE(in) << seed;
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    auto* form = application_.CreateForm<TfrmTest>(bytes);
    EXPECT_EQ(form->ComponentCount(), 9);
    EXPECT_NE(form->FindComponent("spriteBladeren"), nullptr);
}

}  // namespace
}  // namespace assets::testing
