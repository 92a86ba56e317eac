// Writes the seed corpus of the frame-list fuzz target into a folder: lists cut from the
// embedded main form's stored frame lists (the leading frames and their part of the strip,
// cut with the toolkit's own frame removal) and small hand-made edge cases.

#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "assets/Assets.h"
#include "base/MemoryStream.h"
#include "framework/FormDescription.h"
#include "gfx/Bitmap.h"
#include "sprites/FrameList.h"

namespace {

using Bytes = std::vector<uint8_t>;
using sprites::TFrameList;

Bytes StoredFrames(const std::string& sprite) {
    const framework::ObjectDescription form =
        framework::ReadFormDescription(assets::MainFormDescription());
    const framework::ObjectDescription* child = form.FindChild(sprite);
    const framework::Property* data = child ? child->FindProperty("FrameList.Data") : nullptr;
    if (data == nullptr) {
        throw std::runtime_error("no FrameList.Data in " + sprite);
    }
    return std::get<framework::ByteBlock>(data->value);
}

Bytes Written(TFrameList& list) {
    base::MemoryStream out;
    list.WriteData(out);
    return out.Bytes();
}

// The stored list with only its first `keep` frames: later frames and their strip columns go.
Bytes LeadingFrames(const Bytes& stored, int32_t keep) {
    TFrameList list;
    base::MemoryStream in(stored);
    list.ReadData(in);
    while (list.Count() > keep) {
        list.Delete(list.Count() - 1);
    }
    return Written(list);
}

struct Place {
    const char* name;
    int16_t x, y, width, height;
};

// A list over a small strip of a chosen stored depth (0: as made in memory).
Bytes Made(const std::vector<Place>& places, int32_t width, int32_t height, int depth) {
    TFrameList list;
    for (const Place& place : places) {
        auto frame = std::make_unique<sprites::TFrame>(&list);
        frame->SetName(place.name);
        frame->SetX(place.x);
        frame->SetY(place.y);
        frame->SetWidth(place.width);
        frame->SetHeight(place.height);
        list.Add(std::move(frame));
    }
    gfx::Bitmap strip(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            strip.SetPixel(x, y, (x + y) % 3 == 0 ? 0x000000FFu : gfx::MakePixel(200, 90, 20));
        }
    }
    if (depth == 8) {
        strip.SetStoredForm(8, {0x000000FFu, gfx::MakePixel(200, 90, 20)});
    } else if (depth != 0) {
        strip.SetStoredForm(depth, {});
    }
    static_cast<gfx::Bitmap&>(list.Image()) = strip;
    list.Mask().SetSize(width, height);
    return Written(list);
}

void Save(const std::string& folder, const std::string& name, const Bytes& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    std::cout << name << ": " << bytes.size() << " bytes\n";
}

void SaveStoredCuts(const std::string& folder) {
    const Bytes leaves = StoredFrames("spriteBladeren");
    Save(folder, "stored_leaves_first1", LeadingFrames(leaves, 1));
    Save(folder, "stored_leaves_first3", LeadingFrames(leaves, 3));
    Save(folder, "stored_logos_first1", LeadingFrames(StoredFrames("spriteLogos"), 1));
}

void SaveEdgeCases(const std::string& folder) {
    const std::vector<Place> two{{"blad1_", 0, 0, 3, 3}, {"blad1_02", 3, 0, 2, 2}};
    const Bytes eightBit = Made(two, 5, 3, 8);
    Save(folder, "made_two_frames_8bit", eightBit);
    Save(folder, "made_two_frames_24bit", Made(two, 5, 3, 24));
    Save(folder, "made_two_frames_32bit", Made(two, 5, 3, 0));
    Save(folder, "made_outside_strip",
         Made({{"far", 200, -40, 30, 90}, {"flat", 1, 1, 0, 7}}, 4, 2, 8));
    Save(folder, "made_empty_strip", Made({{"none", 0, 0, 2, 2}}, 0, 0, 0));
    Save(folder, "edge_count_zero_then_junk", {0x00, 0x00, 'B', 'M', 0xFF});
    Save(folder, "edge_count_negative", {0xFF, 0xFF, 0x00});
    Bytes testByte = eightBit;
    testByte[2] = 1;  // the first record's test byte
    Save(folder, "edge_test_byte_set", testByte);
    Save(folder, "edge_strip_cut_short", Bytes(eightBit.begin(), eightBit.end() - 7));
    Save(folder, "edge_record_cut_short", Bytes(eightBit.begin(), eightBit.begin() + 60));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <corpus folder>\n";
        return 2;
    }
    SaveStoredCuts(argv[1]);
    SaveEdgeCases(argv[1]);
    return 0;
}
