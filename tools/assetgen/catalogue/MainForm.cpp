#include "MainForm.h"

#include <string>

#include "SpriteData.h"
#include "base/MemoryStream.h"
#include "framework/Color.h"
#include "gfx/Bmp.h"

namespace assetgen {
namespace {

using framework::ColorValue;
using framework::ComponentRef;
using framework::EventBinding;
using framework::Identifier;
using framework::ObjectDescription;
using framework::Property;

// The stored colour of the leaf frames' transparent pure blue (red in the low byte).
constexpr framework::TColor kStoredBlue = 0x00FF0000;

ObjectDescription StageDescription(const gfx::Bitmap& tile) {
    return {"TSpriteBox",
            "sbStage",
            {{"Align", Identifier{"alClient"}},
             {"Picture.Data", PictureData(tile)},
             {"ThreeD.Enabled", false},
             {"ThreeD.XDis", int32_t{0}},
             {"ThreeD.YDis", int32_t{0}},
             {"ThreeD.ZDis", int32_t{0}},
             {"ThreeD.DiaF", int32_t{0}},
             {"OnMouseDown", EventBinding{"FormMouseDown"}},
             {"OnMouseMove", EventBinding{"FormMouseMove"}}},
            {}};
}

ObjectDescription HiddenImage(const char* name, const gfx::Bitmap& picture) {
    return {"TImage", name, {{"Visible", false}, {"Picture.Data", PictureData(picture)}}, {}};
}

ObjectDescription TimerDescription(const char* name, int32_t interval, const char* handler) {
    ObjectDescription timer{"TTimer", name, {{"Enabled", false}, {"Interval", interval}}, {}};
    if (handler != nullptr) {
        timer.properties.push_back({"OnTimer", EventBinding{handler}});
    }
    return timer;
}

struct SpriteContent {
    const char* name;
    framework::TColor transparent;
    std::vector<uint8_t> frames;
    std::vector<uint8_t> sequences;
    const char* currentFrame;
};

// Every stored property in TSprite's stored order; Plotmode keeps its default, unstored.
ObjectDescription SpriteDescription(SpriteContent content) {
    return {"TSprite",
            content.name,
            {{"About", std::string("1.1e")},
             {"Transparent", ColorValue{content.transparent}},
             {"SpriteBox", ComponentRef{"sbStage"}},
             {"HitTest", Identifier{"htNone"}},
             {"FrameList.Data", std::move(content.frames)},
             {"SequenceList.Data", std::move(content.sequences)},
             {"CurrentFrame", std::string(content.currentFrame)},
             {"FrameIndex", int32_t{0}},
             {"MirrorX", false},
             {"MirrorY", false}},
            {}};
}

ObjectDescription LogoSprite(const MainFormPictures& pictures) {
    return SpriteDescription({"spriteLogos", framework::clBlack,
                              StoredFrameList(pictures.logos, framework::clBlack),
                              StoredSequenceList({}), "ster"});
}

ObjectDescription LeafSprite(const MainFormPictures& pictures) {
    ObjectDescription sprite = SpriteDescription({"spriteBladeren", kStoredBlue,
                                                  StoredFrameList(pictures.leaves, kStoredBlue),
                                                  StoredSequenceList(WindSequences()), "blad1_30"});
    sprite.properties.push_back({"OnMove", EventBinding{"spriteBladerenMove"}});
    return sprite;
}

std::vector<Property> FormProperties() {
    return {{"BorderStyle", Identifier{"bsNone"}},
            {"OnCreate", EventBinding{"FormCreate"}},
            {"OnShow", EventBinding{"FormShow"}},
            {"OnDestroy", EventBinding{"FormDestroy"}},
            {"OnKeyDown", EventBinding{"FormKeyDown"}},
            {"OnMouseDown", EventBinding{"FormMouseDown"}},
            {"OnMouseMove", EventBinding{"FormMouseMove"}},
            {"OnCloseQuery", EventBinding{"FormCloseQuery"}}};
}

}  // namespace

MainFormPictures PaintMainFormPictures() {
    return {assetpaint::PaintLeafStrip(), assetpaint::PaintLogoStrip(), assetpaint::PaintTile(),
            assetpaint::PaintMasks()};
}

ObjectDescription MainFormDescription(const MainFormPictures& pictures) {
    ObjectDescription form{"TfrmMain", "frmMain", FormProperties(), {}};
    form.children = {StageDescription(pictures.tile),
                     HiddenImage("bmpBack", pictures.tile),
                     HiddenImage("imgMaskStar", pictures.masks[0]),
                     HiddenImage("imgMaskEtiket", pictures.masks[1]),
                     HiddenImage("imgMaskBar", pictures.masks[2]),
                     TimerDescription("timerNextLeaf", 1000, "timerNextLeafTimer"),
                     LogoSprite(pictures),
                     LeafSprite(pictures),
                     TimerDescription("timerBuildBackground", 80, nullptr)};
    return form;
}

framework::ByteBlock PictureData(const gfx::Bitmap& picture) {
    const std::string className = "TBitmap";
    base::MemoryStream stream;
    stream.WriteU8(static_cast<uint8_t>(className.size()));
    stream.WriteBytes(
        std::span(reinterpret_cast<const uint8_t*>(className.data()), className.size()));
    gfx::WriteBitmapPayload(stream, picture);
    return stream.Bytes();
}

}  // namespace assetgen
