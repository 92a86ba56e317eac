// assetgen-paint <outdir>: paints every picture of the saver and writes it as BMP (or ICO),
// with PNG previews for the docs and the frame tables as text.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "Previews.h"
#include "base/Exceptions.h"
#include "gfx/Bmp.h"
#include "gfx/Png.h"
#include "paint/AssetPaint.h"

namespace {

using assetpaint::FrameTable;
namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();  // a small file reaches the disk only here
    if (!out) {
        throw base::Exception("assetgen-paint: cannot write " + path.string());
    }
}

void WriteFrames(const fs::path& path, const FrameTable& frames) {
    std::ofstream out(path);
    for (const assetpaint::FrameEntry& f : frames) {
        out << f.name << ' ' << f.x << ' ' << f.y << ' ' << f.width << ' ' << f.height << '\n';
    }
    out.close();
    if (!out) {
        throw base::Exception("assetgen-paint: cannot write " + path.string());
    }
}

void WriteBitmap(const fs::path& dir, const std::string& name, const gfx::Bitmap& bitmap,
                 bool preview) {
    WriteFile(dir / (name + ".bmp"), gfx::WriteBmp(bitmap));
    if (preview) {
        gfx::WritePng(bitmap, (dir / (name + ".png")).string());
    }
}

void WriteStrips(const fs::path& dir) {
    const assetpaint::StripBitmap leaves = assetpaint::PaintLeafStrip();
    WriteBitmap(dir, "leafstrip", leaves.bitmap, true);
    WriteFrames(dir / "leafstrip.frames.txt", leaves.frames);
    gfx::WritePng(assetpaint::LeafPreview(leaves), (dir / "leaves-preview.png").string());
    const assetpaint::StripBitmap logos = assetpaint::PaintLogoStrip();
    WriteBitmap(dir, "logostrip", logos.bitmap, true);
    WriteFrames(dir / "logostrip.frames.txt", logos.frames);
}

void WriteMasksAndTile(const fs::path& dir) {
    WriteBitmap(dir, "tile", assetpaint::PaintTile(), true);
    const auto masks = assetpaint::PaintMasks();
    WriteBitmap(dir, "mask-star", masks[0], true);
    WriteBitmap(dir, "mask-etiket", masks[1], true);
    WriteBitmap(dir, "mask-bar", masks[2], true);
}

void WriteIcons(const fs::path& dir) {
    std::vector<assetpaint::IconPicture> icons = assetpaint::PaintLeafIcons();
    for (size_t i = 0; i < icons.size(); ++i) {
        WriteFile(dir / ("leaf" + std::to_string(i + 1) + ".ico"), assetpaint::EncodeIco(icons[i]));
    }
    const assetpaint::IconPicture main = assetpaint::PaintMainIcon();
    WriteFile(dir / "main.ico", assetpaint::EncodeIco(main));
    icons.insert(icons.begin(), main);
    gfx::WritePng(assetpaint::IconSheet(icons), (dir / "icons-preview.png").string());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: assetgen-paint <outdir>\n";
        return 2;
    }
    try {
        const fs::path dir(argv[1]);
        fs::create_directories(dir);
        WriteStrips(dir);
        WriteMasksAndTile(dir);
        WriteIcons(dir);
        WriteBitmap(dir, "about", assetpaint::PaintAboutPicture(), true);
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
