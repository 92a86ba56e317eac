#include "SpriteTestSupport.h"

#include <algorithm>

#include "base/Real48.h"
#include "gfx/Bmp.h"

namespace sprites::test {

gfx::Bitmap EightBitStrip(const std::vector<std::vector<gfx::Pixel>>& rows) {
    const auto height = static_cast<int32_t>(rows.size());
    const auto width = static_cast<int32_t>(rows.empty() ? 0 : rows[0].size());
    gfx::Bitmap strip(width, height);
    std::vector<gfx::Pixel> table;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const gfx::Pixel p = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            strip.SetPixel(x, y, p);
            if (std::find(table.begin(), table.end(), p) == table.end()) {
                table.push_back(p);
            }
        }
    }
    for (uint32_t i = 0; table.size() < 256; ++i) {
        const gfx::Pixel filler = gfx::MakePixel(static_cast<uint8_t>(i), 7, 7);
        if (std::find(table.begin(), table.end(), filler) == table.end()) {
            table.push_back(filler);
        }
    }
    strip.SetStoredForm(8, table);
    return strip;
}

std::vector<uint8_t> FrameListBytes(const std::vector<FramePlace>& frames,
                                    const gfx::Bitmap& strip) {
    base::MemoryStream stream;
    stream.WriteI16(static_cast<int16_t>(frames.size()));
    for (const FramePlace& frame : frames) {
        stream.WriteU8(0);
        base::TName(frame.name).Write(stream);
        stream.WriteI16(frame.x);
        stream.WriteI16(frame.y);
        stream.WriteI16(frame.width);
        stream.WriteI16(frame.height);
    }
    gfx::WriteBitmapPayload(stream, strip);
    return stream.Bytes();
}

std::unique_ptr<TFrameList> LoadList(framework::TColor color, const std::vector<FramePlace>& frames,
                                     const gfx::Bitmap& strip) {
    auto list = std::make_unique<TFrameList>(color);
    base::MemoryStream stream(FrameListBytes(frames, strip));
    list->ReadData(stream);
    return list;
}

std::vector<uint8_t> SequenceListBytes(const std::vector<SequenceData>& sequences, bool withDZ) {
    base::MemoryStream stream;
    stream.WriteI16(static_cast<int16_t>(sequences.size()));
    for (const SequenceData& sequence : sequences) {
        base::TName name("New Sequence");
        name.Set(sequence.name);
        name.Write(stream);
        stream.WriteI16(static_cast<int16_t>(sequence.steps.size()));
        for (const StepData& step : sequence.steps) {
            base::TName(step.frame).Write(stream);
            stream.WriteI16(step.dx);
            stream.WriteI16(step.dy);
            if (withDZ) {
                stream.WriteI16(step.dz);
            }
            const base::Real48 time = base::Real48::FromDouble(step.time);
            stream.Write(time.bytes.data(), time.bytes.size());
        }
    }
    return stream.Bytes();
}

void AddFrames(TFrameList& list, const std::vector<FramePlace>& frames) {
    for (const FramePlace& place : frames) {
        auto frame = std::make_unique<TFrame>(&list);
        frame->SetName(place.name);
        frame->SetX(place.x);
        frame->SetY(place.y);
        frame->SetWidth(place.width);
        frame->SetHeight(place.height);
        list.Add(std::move(frame));
    }
}

std::unique_ptr<TFrameList> LeafList() {
    auto list = std::make_unique<TFrameList>();
    list->Image().SetSize(10085, 217);
    list->Image().Fill(gfx::kWhite);
    list->Image().SetStoredForm(8, EightBitStrip({{gfx::kWhite}}).ColourTable());
    list->Mask().SetSize(10085, 217);
    AddFrames(*list, LeafFrames());
    list->SetTransparentColor(framework::clBlue);
    return list;
}

std::vector<FramePlace> LeafFrames() {
    // Width and height of each leaf's 16 frames, leaf 1 to leaf 5, in strip order.
    // clang-format off
    static const int16_t kSizes[5][32] = {
        {141,104, 139,98, 136,100, 133,106, 131,111, 105,114, 102,101, 144,109, 180,76, 163,55, 116,80, 44,104, 46,109, 89,107, 121,105, 140,98},
        {93,136, 85,139, 82,136, 76,138, 70,139, 60,139, 68,136, 97,113, 115,74, 96,93, 87,88, 42,98, 56,90, 98,74, 101,96, 86,138},
        {142,191, 148,163, 145,141, 127,114, 100,100, 89,128, 93,114, 157,95, 134,151, 58,158, 146,114, 202,112, 185,95, 125,164, 113,199, 144,167},
        {109,145, 111,152, 109,158, 110,161, 110,158, 114,150, 94,159, 50,141, 84,123, 103,127, 109,143, 112,145, 95,141, 88,142, 91,142, 113,145},
        {221,215, 220,211, 224,215, 224,217, 219,216, 219,214, 217,214, 189,188, 155,165, 88,164, 153,177, 175,186, 190,198, 205,205, 218,210, 216,211}};
    // clang-format on
    std::vector<FramePlace> frames;
    int16_t x = 0;
    for (int leaf = 1; leaf <= 5; ++leaf) {
        for (int position = 0; position < 16; ++position) {
            int suffix = position == 0 ? 30 : 2 * position;
            suffix = (leaf == 2 && position == 9) ? 19 : suffix;
            suffix = (leaf == 4 && position == 6) ? 11 : (leaf == 4 && position == 8) ? 15 : suffix;
            std::string name = "blad" + std::to_string(leaf) + "_";
            if (position < 15) {
                name += (suffix < 10 ? "0" : "") + std::to_string(suffix);
            }
            const int16_t* size = &kSizes[leaf - 1][2 * position];
            frames.push_back({name, x, 0, size[0], size[1]});
            x = static_cast<int16_t>(x + size[0]);
        }
    }
    return frames;
}

}  // namespace sprites::test
