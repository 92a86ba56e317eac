#include "host/AboutDescription.h"

#include <string>

#include "base/MemoryStream.h"
#include "gfx/Bmp.h"
#include "host/AboutLayout.h"

namespace host {
namespace {

namespace layout = about_layout;
using framework::EventBinding;
using framework::Identifier;
using framework::ObjectDescription;
using framework::Property;

// A picture's stored data: the class name as a short string, then the bitmap payload.
framework::ByteBlock PictureData(const gfx::Bitmap& picture) {
    const std::string className = "TBitmap";
    base::MemoryStream stream;
    stream.WriteU8(static_cast<uint8_t>(className.size()));
    stream.WriteBytes(std::vector<uint8_t>(className.begin(), className.end()));
    gfx::WriteBitmapPayload(stream, picture);
    return stream.Bytes();
}

ObjectDescription ImageDescription(const gfx::Bitmap& picture) {
    return {"TImage",
            "Image1",
            {{"Left", layout::kImageLeft},
             {"Top", layout::kImageTop},
             {"AutoSize", true},
             {"Picture.Data", PictureData(picture)}},
            {}};
}

ObjectDescription ButtonDescription() {
    return {"TButton",
            "butOK",
            {{"Left", layout::kButtonLeft},
             {"Top", layout::kButtonTop},
             {"Width", layout::kButtonWidth},
             {"Height", layout::kButtonHeight},
             {"Caption", std::string(layout::kButtonCaption)},
             {"Default", true},
             {"Font.Name", std::string(layout::kButtonFontName)},
             {"Font.Height", layout::kButtonFontHeight},
             {"TabOrder", 0},
             {"OnClick", EventBinding{"butOKClick"}},
             {"OnKeyPress", EventBinding{"butOKKeyPress"}}},
            {}};
}

}  // namespace

ObjectDescription AboutDescription(const gfx::Bitmap& picture) {
    ObjectDescription root{"TfrmAbout",
                           "frmAbout",
                           {{"Caption", std::string(layout::kCaption)},
                            {"BorderIcons", framework::SetValue{}},
                            {"BorderStyle", Identifier{"bsDialog"}},
                            {"ClientWidth", layout::kClientWidth},
                            {"ClientHeight", layout::kClientHeight},
                            {"Font.Name", std::string(layout::kFontName)},
                            {"Font.Height", layout::kFontHeight},
                            {"Position", Identifier{"poScreenCenter"}},
                            {"OnClose", EventBinding{"FormClose"}}},
                           {}};
    root.children.push_back(ImageDescription(picture));
    root.children.push_back(ButtonDescription());
    return root;
}

std::vector<uint8_t> StoredAboutDescription(const gfx::Bitmap& picture) {
    return framework::WriteFormDescription(AboutDescription(picture));
}

}  // namespace host
