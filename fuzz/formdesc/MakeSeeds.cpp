// fuzz_formdesc_seeds <folder>: writes the seed corpus of the form-description fuzzer: the
// main window's description made by the generator from tiny pictures, and hand-made edge
// cases of the container and of the toolkit's properties.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "MainForm.h"
#include "SpriteData.h"
#include "base/MemoryStream.h"
#include "framework/FormDescription.h"

namespace {

namespace fs = std::filesystem;
using framework::ObjectDescription;

gfx::Bitmap Indexed(int32_t width, int32_t height, gfx::Pixel fill, gfx::Pixel other) {
    gfx::Bitmap bitmap(width, height);
    bitmap.Fill(fill);
    bitmap.SetPixel(1, 1, other);
    bitmap.SetStoredForm(8, {fill, other, gfx::kBlack, gfx::kWhite});
    return bitmap;
}

gfx::Bitmap Mask(int32_t size) {
    gfx::Bitmap mask(size, size, gfx::PixelFormat::Mono);
    mask.Fill(gfx::kWhite);
    mask.SetPixel(2, 2, gfx::kBlack);
    mask.SetStoredForm(1, {gfx::kWhite, gfx::kBlack});
    return mask;
}

// The real layout and properties, over pictures a few pixels large.
assetgen::MainFormPictures SmallPictures() {
    const gfx::Pixel blue = gfx::MakePixel(0, 0, 255);
    const gfx::Pixel green = gfx::MakePixel(0, 127, 0);
    assetgen::MainFormPictures pictures;
    pictures.leaves = {Indexed(8, 4, blue, gfx::MakePixel(200, 90, 20)),
                       {{"blad1_30", 0, 0, 4, 4}, {"blad1_02", 4, 0, 4, 3}}};
    pictures.logos = {Indexed(6, 3, green, gfx::kBlack),
                      {{"ster", 0, 0, 2, 3}, {"etiket", 2, 0, 2, 2}, {"bar", 4, 0, 2, 1}}};
    pictures.tile = Indexed(4, 4, green, gfx::MakePixel(128, 128, 128));
    pictures.masks = {Mask(8), Mask(8), Mask(8)};
    return pictures;
}

ObjectDescription SpriteOnly(std::vector<framework::Property> properties) {
    return {"TfrmMain",
            "frmMain",
            {},
            {{"TSpriteBox", "sbStage", {}, {}},
             {"TSprite", "spriteBladeren", std::move(properties), {}}}};
}

std::vector<uint8_t> NegativeFrameCount() {
    base::MemoryStream stream;
    stream.WriteI16(-1);
    return stream.Bytes();
}

void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_formdesc_seeds <folder>\n";
        return 2;
    }
    const fs::path dir(argv[1]);
    fs::create_directories(dir);
    const assetgen::MainFormPictures small = SmallPictures();
    Write(dir / "main_small.vaf",
          framework::WriteFormDescription(assetgen::MainFormDescription(small)));
    Write(dir / "edge_empty", {});
    Write(dir / "edge_magic_only", {'V', 'A', 'F', '1'});
    Write(dir / "edge_root_only", framework::WriteFormDescription({"TfrmMain", "frmMain", {}, {}}));
    Write(dir / "edge_negative_frame_count",
          framework::WriteFormDescription(SpriteOnly({{"FrameList.Data", NegativeFrameCount()}})));
    Write(dir / "edge_frames_before_transparent",
          framework::WriteFormDescription(
              SpriteOnly({{"FrameList.Data", assetgen::StoredFrameList(small.leaves, 0x00FF0000)},
                          {"Transparent", framework::ColorValue{0x00FF0000}},
                          {"CurrentFrame", std::string("blad1_02")},
                          {"FrameIndex", int32_t{1}},
                          {"MirrorX", true}})));
    Write(dir / "edge_sequences_old_version",
          framework::WriteFormDescription(SpriteOnly(
              {{"About", std::string("1.1a")},
               {"SequenceList.Data", assetgen::StoredSequenceList(assetgen::WindSequences())}})));
    Write(dir / "edge_missing_sprite_box",
          framework::WriteFormDescription(
              SpriteOnly({{"SpriteBox", framework::ComponentRef{"sbNowhere"}}})));
    return 0;
}
