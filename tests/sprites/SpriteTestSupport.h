#pragma once
// Helpers of the sprite toolkit's tests: strips with chosen pixels, stored frame and sequence
// lists built byte by byte, and an owner of sequences.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/MemoryStream.h"
#include "base/Real48.h"
#include "gfx/Bitmap.h"
#include "gfx/Bmp.h"
#include "sprites/FrameList.h"
#include "sprites/SequenceOwner.h"

namespace sprites::test {

// Runs `action` and expects it to fail with E carrying exactly `message`.
template <class E, class Action>
void ExpectFailure(Action&& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no failure, wanted: " << message;
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

// What `object` stores through its WriteData.
template <class Stored>
std::vector<uint8_t> WrittenBytes(Stored& object) {
    base::MemoryStream stream;
    object.WriteData(stream);
    return stream.Bytes();
}

// Reads `bytes` into `object`; returns how many of them it took.
template <class Stored>
size_t ReadInto(Stored& object, const std::vector<uint8_t>& bytes) {
    base::MemoryStream stream = base::MemoryStream::Reading(bytes);
    object.ReadData(stream);
    return stream.Position();
}

// The first `size` bytes of `bytes`: a stored form cut short.
inline std::vector<uint8_t> Prefix(const std::vector<uint8_t>& bytes, size_t size) {
    return {bytes.begin(), bytes.begin() + static_cast<long>(size)};
}

struct FramePlace {
    std::string name;
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
};

// A colour strip with these rows of pixels, stored as an 8-bit picture whose table holds
// every colour used (so it writes back byte for byte).
inline gfx::Bitmap EightBitStrip(const std::vector<std::vector<gfx::Pixel>>& rows) {
    gfx::Bitmap strip(static_cast<int32_t>(rows.empty() ? 0 : rows[0].size()),
                      static_cast<int32_t>(rows.size()));
    std::vector<gfx::Pixel> table;
    for (int32_t y = 0; y < strip.Height(); ++y) {
        for (int32_t x = 0; x < strip.Width(); ++x) {
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

// Writes the stored record of a frame: test byte, name, rectangle.
inline void WriteRecord(base::MemoryStream& stream, const FramePlace& frame, uint8_t testByte = 0) {
    stream.WriteU8(testByte);
    base::TName(frame.name).Write(stream);
    for (int16_t v : {frame.x, frame.y, frame.width, frame.height}) {
        stream.WriteI16(v);
    }
}

// The stored form of a frame list: count, records, the strip's payload.
inline std::vector<uint8_t> FrameListBytes(const std::vector<FramePlace>& frames,
                                           const gfx::Bitmap& strip) {
    base::MemoryStream stream;
    stream.WriteI16(static_cast<int16_t>(frames.size()));
    for (const FramePlace& frame : frames) {
        WriteRecord(stream, frame);
    }
    gfx::WriteBitmapPayload(stream, strip);
    return stream.Bytes();
}

// A list of that colour, read from the stored form of these frames and this strip.
inline std::unique_ptr<TFrameList> LoadList(framework::TColor color,
                                            const std::vector<FramePlace>& frames,
                                            const gfx::Bitmap& strip) {
    auto list = std::make_unique<TFrameList>(color);
    ReadInto(*list, FrameListBytes(frames, strip));
    return list;
}

// Appends frames with these rectangles to a list (no mask is prepared).
inline void AddFrames(TFrameList& list, const std::vector<FramePlace>& frames) {
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

struct StepData {
    std::string frame;
    int16_t dx = 0;
    int16_t dy = 0;
    int16_t dz = 0;
    double time = 0.1;
};
struct SequenceData {
    std::string name;
    std::vector<StepData> steps;
};

// The stored form of a sequence list, steps with or without DZ. Sequence names carry the
// filler of the default name, as the stored assets do.
inline std::vector<uint8_t> SequenceListBytes(const std::vector<SequenceData>& sequences,
                                              bool withDZ) {
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

// A sequence owner with a version text and a frame list of its own.
class TestSprite : public ISequenceOwner {
  public:
    explicit TestSprite(std::string version = "1.1e") : version_(std::move(version)) {}
    std::string StoredVersion() const override { return version_; }
    TFrameList& FrameList() override { return frames_; }

  private:
    std::string version_;
    TFrameList frames_;
};

}  // namespace sprites::test
