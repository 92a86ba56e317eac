#include "framework/FormReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "framework/Application.h"
#include "framework/Image.h"
#include "framework/Timer.h"
#include "gfx/Bmp.h"
#include "platform/headless/HeadlessBackend.h"

namespace framework {
namespace {

std::vector<uint8_t> PictureData(const std::string& className, const gfx::Bitmap* bitmap) {
    base::MemoryStream stream;
    stream.WriteU8(static_cast<uint8_t>(className.size()));
    stream.WriteBytes(
        std::span(reinterpret_cast<const uint8_t*>(className.data()), className.size()));
    if (bitmap != nullptr) {
        gfx::WriteBitmapPayload(stream, *bitmap);
    }
    return stream.Bytes();
}

ObjectDescription MainForm() {
    gfx::Bitmap background(4, 3);
    background.Fill(0x00204060);
    ObjectDescription form{"TfrmMain", "frmMain", {}, {}};
    form.properties = {{"Caption", std::string("Vellamor Autumn")},
                       {"ClientWidth", int32_t{320}},
                       {"ClientHeight", int32_t{200}},
                       {"Color", ColorValue{0x00FF0000}},
                       {"FormStyle", Identifier{"fsStayOnTop"}},
                       {"OnCreate", EventBinding{"FormCreate"}}};
    ObjectDescription stage{"TImage", "sbStage", {}, {}};
    stage.properties = {{"Align", Identifier{"alClient"}},
                        {"Picture.Data", PictureData("TBitmap", &background)},
                        {"OnMouseDown", EventBinding{"FormMouseDown"}}};
    ObjectDescription timer{"TTimer", "timerNextLeaf", {}, {}};
    timer.properties = {{"Enabled", false},
                        {"Interval", int32_t{250}},
                        {"Tag", int32_t{-3}},
                        {"OnTimer", EventBinding{"timerNextLeafTimer"}}};
    form.children = {stage, timer};
    return form;
}

class TfrmMain : public TForm {
  public:
    explicit TfrmMain(TComponent* owner) : TForm(owner, "TfrmMain") {
        DefineHandler<TNotifyEvent>("FormCreate", [this](TComponent&) { log.push_back("create"); });
        DefineHandler<TMouseEvent>("FormMouseDown",
                                   [](TComponent&, TMouseButton, TShiftState, int32_t, int32_t) {});
        DefineHandler<TNotifyEvent>("timerNextLeafTimer", [](TComponent&) {});
        ReadForm(*this, WriteFormDescription(MainForm()));
    }
    std::vector<std::string> log;
};

class FormReaderTest : public ::testing::Test {
  protected:
    // Reads a description made of one component with the given property into a fresh form;
    // returns the failure's message, or "" when it read.
    std::string ReadFault(ObjectDescription component, decltype(component.properties) ofForm = {}) {
        auto* form = application_.CreateForm<TForm>();
        form->DefineHandler<TNotifyEvent>("Tick", [](TComponent&) {});
        ObjectDescription root{"TfrmTest", "frmTest", std::move(ofForm), {std::move(component)}};
        std::string fault;
        try {
            TFormReader(*form, TClassRegistry::Global()).Read(root);
        } catch (const base::EReadError& e) {
            fault = e.what();
        }
        application_.DestroyComponent(form);
        return fault;
    }

    platform::headless::HeadlessBackend backend_;
    TApplication application_;
};

TEST_F(FormReaderTest, AFormIsBuiltInStoredOrderThroughTheSetters) {
    auto* form = application_.CreateForm<TfrmMain>();
    EXPECT_EQ(form->Name(), "frmMain");
    EXPECT_EQ(form->Caption(), "Vellamor Autumn");
    EXPECT_EQ(form->Color(), 0x00FF0000u);
    EXPECT_TRUE(backend_.Window(form->Handle())->topmost);
    ASSERT_EQ(form->ComponentCount(), 2);
    auto& stage = CheckedCast<TImage>(*form->Components(0));
    auto& timer = CheckedCast<TTimer>(*form->Components(1));
    EXPECT_EQ(stage.Name(), "sbStage");
    EXPECT_EQ(stage.Parent(), form);
    EXPECT_EQ(stage.BoundsRect(), (gfx::Rect{0, 0, 320, 200}));
    EXPECT_EQ(stage.Picture().Bitmap().GetPixel(3, 2), 0x00204060u);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 250u);
    EXPECT_EQ(timer.Tag(), -3);
    EXPECT_EQ(form->log, std::vector<std::string>{"create"});
}

TEST_F(FormReaderTest, TheFormsCodeFindsItsComponentsByNameAndClass) {
    auto* form = application_.CreateForm<TfrmMain>();
    EXPECT_EQ(&StoredComponent<TImage>(*form, "sbStage"), form->Components(0));
    auto faultOf = [&](auto find) {
        try {
            find();
        } catch (const base::EReadError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(faultOf([&] { StoredComponent<TTimer>(*form, "sbStage"); }),
              "Form frmMain: component sbStage is a TImage");
    EXPECT_EQ(faultOf([&] { StoredComponent<TImage>(*form, "imgMaskBar"); }),
              "Form frmMain: component imgMaskBar is missing");
}

TEST_F(FormReaderTest, EachFaultNamesWhatIsWrong) {
    EXPECT_EQ(ReadFault({"TFoo", "foo", {}, {}}), "Class TFoo not found");
    EXPECT_EQ(ReadFault({"TControl", "bare", {}, {}}), "Class TControl not found");
    EXPECT_EQ(ReadFault({"TTimer", "t", {{"Speed", int32_t{1}}}, {}}),
              "Property Speed of t (TTimer) does not exist");
    EXPECT_EQ(ReadFault({"TTimer", "t", {{"Interval", std::string("fast")}}, {}}),
              "Property Interval: an integer expected");
    EXPECT_EQ(ReadFault({"TTimer", "t", {{"Interval", int32_t{-1}}}, {}}),
              "Property Interval: -1 is not a number of milliseconds");
    // Positions and sizes fit 16 bits, so that their sums never overflow.
    EXPECT_EQ(ReadFault({"TImage", "i", {{"Left", int32_t{0x7FFFFFFF}}}, {}}),
              "Property Left: 2147483647 lies outside -32768 to 32767");
    EXPECT_EQ(ReadFault({"TImage", "i", {{"Height", int32_t{-32769}}}, {}}),
              "Property Height: -32769 lies outside -32768 to 32767");
    EXPECT_EQ(ReadFault({"TImage", "i", {{"Top", int32_t{-32768}}, {"Width", int32_t{32767}}}, {}}),
              "");
    EXPECT_EQ(ReadFault({"TTimer", "t", {}, {}}, {{"ClientWidth", int32_t{40000}}}),
              "Property ClientWidth: 40000 lies outside -32768 to 32767");
    EXPECT_EQ(ReadFault({"TTimer", "t", {{"OnTimer", EventBinding{"Tock"}}}, {}}),
              "Handler Tock not found");
    EXPECT_EQ(ReadFault({"TImage", "i", {{"OnMouseMove", EventBinding{"Tick"}}}, {}}),
              "Handler Tick does not fit the event");
    EXPECT_EQ(ReadFault({"TImage", "i", {{"Align", Identifier{"alTop"}}}, {}}),
              "Property Align: unknown value alTop");
    EXPECT_EQ(ReadFault({"TImage", "i", {}, {{"TTimer", "inner", {}, {}}}}),
              "Component i of class TImage cannot hold components");
    // A picture must be a bitmap with nothing behind it.
    gfx::Bitmap bitmap(1, 1);
    std::vector<uint8_t> trailing = PictureData("TBitmap", &bitmap);
    trailing.push_back(0);
    EXPECT_EQ(ReadFault({"TImage", "i", {{"Picture.Data", trailing}}, {}}),
              "Picture.Data: 1 byte after the picture");
    EXPECT_EQ(ReadFault({"TImage", "i", {{"Picture.Data", PictureData("TIcon", nullptr)}}, {}}),
              "Picture.Data: the graphic class TIcon is not supported");
    EXPECT_EQ(ReadFault({"TImage", "i", {{"Picture.Data", PictureData("", nullptr)}}, {}}), "");
    // A class name longer than the block: the stream's own read error.
    EXPECT_NE(ReadFault({"TImage", "i", {{"Picture.Data", ByteBlock{7, 'T'}}}, {}}), "");
    EXPECT_EQ(ReadFault({"TImage", "i", {{"Picture.Data", int32_t{7}}}, {}}),
              "Property Picture.Data: a byte block expected");
}

// A kind of the program's own, deriving from TImage, with a reference to another component.
class TStage : public TImage {
  public:
    using TImage::TImage;
    TComponent* partner = nullptr;
};

TEST_F(FormReaderTest, AKindDerivingFromARegisteredOneGetsItsPropertiesAndReferences) {
    TClassRegistry registry;
    RegisterFrameworkClasses(registry);
    registry.RegisterClass("TStage", "TImage",
                           [](TComponent* owner) { return std::make_unique<TStage>(owner); });
    registry.RegisterProperty<TStage>(
        "TStage", "Partner",
        std::function<void(TStage&, const Property&, TFormReader&)>(
            [](TStage& stage, const Property& property, TFormReader& reader) {
                stage.partner = &reader.ReferencedComponent(property);
            }));
    auto* form = application_.CreateForm<TForm>();
    ObjectDescription root{"TForm", "frm", {}, {}};
    root.children = {
        {"TTimer", "timer1", {}, {}},
        {"TStage", "stage", {{"Left", int32_t{5}}, {"Partner", ComponentRef{"timer1"}}}, {}},
        {"TStage", "late", {{"Partner", ComponentRef{"later"}}}, {}}};
    TFormReader reader(*form, registry);
    try {
        reader.Read(root);
        FAIL() << "a reference to a component not yet made was accepted";
    } catch (const base::EReadError& e) {
        EXPECT_STREQ(e.what(), "Property Partner: component later not found");
    }
    auto& stage = CheckedCast<TStage>(*form->FindComponent("stage"));
    EXPECT_EQ(stage.Left(), 5);
    EXPECT_EQ(stage.partner, form->FindComponent("timer1"));
}

TEST_F(FormReaderTest, KindsDerivingFromEachOtherInACircleDoNotHangTheLookup) {
    TClassRegistry registry;
    registry.RegisterClass("TA", "TB", nullptr);
    registry.RegisterClass("TB", "TA", nullptr);
    EXPECT_EQ(registry.FindSetter("TA", "Tag"), nullptr);
    EXPECT_THROW(registry.RegisterProperty("TC", "Tag", {}), base::Exception);
}

}  // namespace
}  // namespace framework
