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

}  // namespace sprites::test
