#pragma once
// Helpers of the sprite toolkit's tests: strips with chosen pixels, stored frame lists built
// byte by byte, and an owner of sequences.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/MemoryStream.h"
#include "gfx/Bitmap.h"
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
gfx::Bitmap EightBitStrip(const std::vector<std::vector<gfx::Pixel>>& rows);

// The stored form of a frame list: count, records, the strip's payload.
std::vector<uint8_t> FrameListBytes(const std::vector<FramePlace>& frames,
                                    const gfx::Bitmap& strip);

// A list of that colour, read from the stored form of these frames and this strip.
std::unique_ptr<TFrameList> LoadList(framework::TColor color, const std::vector<FramePlace>& frames,
                                     const gfx::Bitmap& strip);

// Appends frames with these rectangles to a list (no mask is prepared).
void AddFrames(TFrameList& list, const std::vector<FramePlace>& frames);

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
std::vector<uint8_t> SequenceListBytes(const std::vector<SequenceData>& sequences, bool withDZ);

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
