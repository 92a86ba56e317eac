#include "AssetFiles.h"

#include "MainForm.h"
#include "Previews.h"
#include "gfx/Bmp.h"
#include "gfx/Png.h"
#include "host/AboutDescription.h"
#include "paint/AssetPaint.h"

namespace assetgen {
namespace {

// The icon's AND mask as the platform keeps it: a monochrome bitmap, white where transparent.
gfx::Bitmap IconMask(const assetpaint::IconImage& icon) {
    gfx::Bitmap mask(icon.mask.Width(), icon.mask.Height(), gfx::PixelFormat::Mono);
    for (int32_t y = 0; y < mask.Height(); ++y) {
        for (int32_t x = 0; x < mask.Width(); ++x) {
            mask.SetPixel(x, y, icon.mask.At(x, y) != 0 ? gfx::kWhite : gfx::kBlack);
        }
    }
    mask.SetStoredForm(1, {gfx::kBlack, gfx::kWhite});
    return mask;
}

void AddIcon(AssetFiles& files, int index, const assetpaint::IconPicture& icon) {
    files[IconPictureFile(index)] = gfx::WriteBmp(assetpaint::IconBitmap(icon.colours256));
    files[IconMaskFile(index)] = gfx::WriteBmp(IconMask(icon.colours256));
}

void AddIcons(AssetFiles& files, const std::vector<assetpaint::IconPicture>& icons) {
    for (size_t i = 0; i < icons.size(); ++i) {
        const int index = static_cast<int>(i);
        AddIcon(files, index, icons[i]);
        const std::string icoName = index == 0 ? "main.ico" : "leaf" + std::to_string(i) + ".ico";
        files[icoName] = assetpaint::EncodeIco(icons[i]);
    }
}

void AddDocs(AssetFiles& files, const MainFormPictures& pictures, const gfx::Bitmap& about,
             const std::vector<assetpaint::IconPicture>& icons) {
    files["docs/assets-leafstrip.png"] = gfx::EncodePng(pictures.leaves.bitmap);
    files["docs/assets-leaves.png"] = gfx::EncodePng(assetpaint::LeafPreview(pictures.leaves));
    files["docs/assets-logos.png"] = gfx::EncodePng(pictures.logos.bitmap);
    files["docs/assets-tile.png"] = gfx::EncodePng(pictures.tile);
    files["docs/assets-mask-star.png"] = gfx::EncodePng(pictures.masks[0]);
    files["docs/assets-mask-etiket.png"] = gfx::EncodePng(pictures.masks[1]);
    files["docs/assets-mask-bar.png"] = gfx::EncodePng(pictures.masks[2]);
    files["docs/assets-about.png"] = gfx::EncodePng(about);
    files["docs/assets-icons.png"] = gfx::EncodePng(assetpaint::IconSheet(icons));
}

}  // namespace

std::string IconPictureFile(int index) {
    return "icon" + std::to_string(index) + ".bmp";
}

std::string IconMaskFile(int index) {
    return "icon" + std::to_string(index) + "-mask.bmp";
}

AssetFiles GenerateAssets(bool docs) {
    const MainFormPictures pictures = PaintMainFormPictures();
    const gfx::Bitmap about = assetpaint::PaintAboutPicture();
    std::vector<assetpaint::IconPicture> icons = assetpaint::PaintLeafIcons();
    icons.insert(icons.begin(), assetpaint::PaintMainIcon());
    AssetFiles files;
    files[kMainFormFile] = framework::WriteFormDescription(MainFormDescription(pictures));
    files[kAboutFormFile] = host::StoredAboutDescription(about);
    AddIcons(files, icons);
    if (docs) {
        AddDocs(files, pictures, about, icons);
    }
    return files;
}

}  // namespace assetgen
