// The toolkit's kinds read from small descriptions: each property through its setter, in the
// stored order, with the toolkit's rules.

#include "sprites/SpriteClasses.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "MainForm.h"
#include "SpriteData.h"
#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "base/Name.h"
#include "base/Real48.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessBackend.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace sprites {
namespace {

using framework::ComponentRef;
using framework::EventBinding;
using framework::Identifier;
using framework::ObjectDescription;
using framework::Property;

constexpr framework::TColor kBlue = 0x00FF0000;

// A 4 x 2 strip: frame "a" (2 x 2, its left column blue) and frame "b" (2 x 1, red).
assetpaint::StripBitmap SmallStrip() {
    assetpaint::StripBitmap strip{gfx::Bitmap(4, 2), {{"a", 0, 0, 2, 2}, {"b", 2, 0, 2, 1}}};
    strip.bitmap.Fill(gfx::kWhite);
    for (int32_t y = 0; y < 2; ++y) {
        strip.bitmap.SetPixel(0, y, gfx::MakePixel(0, 0, 255));
        strip.bitmap.SetPixel(1, y, gfx::MakePixel(0, 200, 0));
    }
    strip.bitmap.SetPixel(2, 0, gfx::MakePixel(255, 0, 0));
    strip.bitmap.SetPixel(3, 0, gfx::MakePixel(255, 0, 0));
    return strip;
}

// One sequence "S" of one step showing "b", stored without DZ as sprites before "1.1b" did.
std::vector<uint8_t> SequencesWithoutDZ() {
    base::MemoryStream stream;
    stream.WriteI16(1);
    base::TName("S").Write(stream);
    stream.WriteI16(1);
    base::TName("b").Write(stream);
    stream.WriteI16(7);
    stream.WriteI16(-3);
    const base::Real48 time = base::Real48::FromDouble(0.25);
    stream.WriteBytes(time.bytes);
    return stream.Bytes();
}

class SpriteClassesTest : public ::testing::Test {
  protected:
    SpriteClassesTest() { NewForm(); }
    ~SpriteClassesTest() override { application_.DestroyComponent(form_); }

    void NewForm() {
        if (form_ != nullptr) {
            application_.DestroyComponent(form_);
        }
        form_ = application_.CreateForm<framework::TForm>();
        form_->DefineHandler<framework::TNotifyEvent>("Tick", [](auto&) {});
    }

    // Reads a stage and the given sprite into the form.
    void Read(std::vector<Property> spriteProperties, std::vector<Property> stageProperties = {}) {
        ObjectDescription stage{"TSpriteBox", "sbStage", std::move(stageProperties), {}};
        ObjectDescription sprite{"TSprite", "sprite", std::move(spriteProperties), {}};
        ObjectDescription root{"TfrmTest", "frmTest", {}, {stage, sprite}};
        ReadSpriteForm(*form_, framework::WriteFormDescription(root));
    }
    TSprite& Sprite() { return framework::CheckedCast<TSprite>(*form_->FindComponent("sprite")); }

    platform::headless::HeadlessBackend backend_;
    framework::TApplication application_;
    framework::TForm* form_ = nullptr;
};

TEST_F(SpriteClassesTest, OnlyAnOlderAboutReadsTheSequencesStoredAfterItWithoutDZ) {
    Read({{"About", std::string("1.1a")},
          {"FrameList.Data", assetgen::StoredFrameList(SmallStrip(), framework::clBlack)},
          {"SequenceList.Data", SequencesWithoutDZ()}});
    const TFrameRef& step = Sprite().SequenceList().SequenceByName("s").Items(0);
    EXPECT_EQ(step.FrameName(), "b");
    EXPECT_EQ(std::tuple(step.DX(), step.DY()), std::tuple(7, -3));
    EXPECT_EQ(step.Time().ToDouble(), 0.25);
    EXPECT_EQ(step.FrameIndex(), 1);
    EXPECT_EQ(Sprite().About(), "1.1e");
    // The current version reads the same bytes as steps with DZ, and fails.
    NewForm();
    EXPECT_THROW(Read({{"SequenceList.Data", SequencesWithoutDZ()}}), base::EReadError);
}

TEST_F(SpriteClassesTest, TransparentBeforeTheFramesPreparesThemForThatColour) {
    Read({{"Transparent", framework::ColorValue{kBlue}},
          {"FrameList.Data", assetgen::StoredFrameList(SmallStrip(), kBlue)},
          {"CurrentFrame", std::string("b")}});
    const TFrameList& frames = Sprite().FrameList();
    EXPECT_EQ(frames.TransparentColor(), kBlue);
    EXPECT_EQ(frames.Mask().GetPixel(0, 0), gfx::kWhite);
    EXPECT_EQ(frames.Mask().GetPixel(1, 0), gfx::kBlack);
    EXPECT_EQ(frames.Image().GetPixel(0, 1), gfx::kBlack);
    EXPECT_EQ(Sprite().FrameIndex(), 1);
    EXPECT_EQ(Sprite().GetWidth(), 2);
}

// Without frames only the count is read: neither a strip nor anything else after it.
TEST_F(SpriteClassesTest, AFrameListWithoutFramesReadsItsCountAndNothingAfterIt) {
    for (const framework::ByteBlock& data :
         {framework::ByteBlock{0, 0, 4, 0, 0, 0, 'B'}, framework::ByteBlock{0xFF, 0xFF, 1, 2}}) {
        NewForm();
        Read({{"FrameList.Data", data}});
        EXPECT_EQ(Sprite().FrameList().Count(), 0);
        EXPECT_EQ(Sprite().FrameList().Image().Width(), 0);
    }
}

TEST_F(SpriteClassesTest, EnumerationsSetsAndTheStageWithItsProjectionAndPictureAreApplied) {
    gfx::Bitmap picture(3, 2);
    picture.Fill(gfx::MakePixel(1, 2, 3));
    Read({{"SpriteBox", ComponentRef{"sbStage"}},
          {"HitTest", Identifier{"htPixel"}},
          {"Plotmode", framework::SetValue{"PlotTransparent"}},
          {"MirrorX", true},
          {"Tag", int32_t{42}}},
         {{"ThreeD.Enabled", true},
          {"ThreeD.XDis", int32_t{5}},
          {"ThreeD.YDis", int32_t{-6}},
          {"ThreeD.ZDis", int32_t{700}},
          {"ThreeD.DiaF", int32_t{350}},
          {"Picture.Data", assetgen::PictureData(picture)}});
    auto& stage = framework::CheckedCast<TSpriteBox>(*form_->FindComponent("sbStage"));
    EXPECT_EQ(Sprite().SpriteBox(), &stage);
    EXPECT_EQ(stage.SpriteCount(), 1);
    EXPECT_EQ(Sprite().HitTest(), THitTest::htPixel);
    EXPECT_FALSE(Sprite().Plotmode().Contains(TPlot::BufferBackground));
    EXPECT_TRUE(Sprite().Plotmode().Contains(TPlot::PlotTransparent));
    EXPECT_TRUE(Sprite().MirrorX());
    EXPECT_EQ(Sprite().Tag(), 42);
    EXPECT_TRUE(stage.ThreeD().Enabled());
    EXPECT_EQ(std::tuple(stage.ThreeD().XDis(), stage.ThreeD().YDis(), stage.ThreeD().ZDis(),
                         stage.ThreeD().DiaF()),
              std::tuple(5, -6, 700, 350));
    EXPECT_EQ(stage.Picture().Bitmap().GetPixel(2, 1), gfx::MakePixel(1, 2, 3));
}

TEST_F(SpriteClassesTest, UnknownValuesAndMismatchedHandlersFailNamingTheProperty) {
    auto fault = [this](Property property) {
        NewForm();
        try {
            Read({std::move(property)});
        } catch (const base::EReadError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(fault({"HitTest", Identifier{"htSome"}}), "Property HitTest: unknown value htSome");
    EXPECT_EQ(fault({"Plotmode", framework::SetValue{"Fast"}}),
              "Property Plotmode: unknown value Fast");
    EXPECT_EQ(fault({"OnHit", EventBinding{"Tick"}}), "Handler Tick does not fit the event");
    EXPECT_EQ(fault({"Visible", true}), "Property Visible of sprite (TSprite) does not exist");
    EXPECT_EQ(fault({"About", int32_t{1}}), "Property About: a string expected");
}

}  // namespace
}  // namespace sprites
