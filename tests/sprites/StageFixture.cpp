#include "StageFixture.h"

#include "base/MemoryStream.h"
#include "base/Name.h"
#include "base/Real48.h"
#include "gfx/Bmp.h"

namespace sprites::stage {
namespace {

constexpr gfx::Pixel kStripBlue = 0x000000FF;

std::vector<std::vector<gfx::Pixel>> StripRows() {
    std::vector<std::vector<gfx::Pixel>> rows(30, std::vector<gfx::Pixel>(100, kStripBlue));
    for (size_t y = 0; y < 30; ++y) {
        for (size_t x = 0; x < 40; ++x) {
            rows[y][x] = (x < 5 && y < 5) ? kStripBlue : kColourA;
            rows[y][40 + x] = (x >= 35 && y >= 25) ? kStripBlue : kColourB;
        }
        for (size_t x = 0; y < 10 && x < 20; ++x) {
            rows[y][80 + x] = kColourC;
        }
    }
    return rows;
}

// The strip as an 8-bit picture, the form the stored strips have.
gfx::Bitmap Strip() {
    const auto rows = StripRows();
    gfx::Bitmap strip(100, 30);
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 0; x < 100; ++x) {
            strip.SetPixel(x, y, rows[static_cast<size_t>(y)][static_cast<size_t>(x)]);
        }
    }
    std::vector<gfx::Pixel> table = {kStripBlue, kColourA, kColourB, kColourC};
    table.resize(256, gfx::kBlack);
    strip.SetStoredForm(8, table);
    return strip;
}

struct FrameSpec {
    const char* name;
    int16_t x;
    int16_t width;
    int16_t height;
};

std::unique_ptr<TFrameList> LoadFrames() {
    const FrameSpec frames[] = {{"a", 0, 40, 30}, {"b", 40, 40, 30}, {"c", 80, 20, 10}};
    base::MemoryStream stream;
    stream.WriteI16(3);
    for (const FrameSpec& frame : frames) {
        stream.WriteU8(0);
        base::TName(frame.name).Write(stream);
        stream.WriteI16(frame.x);
        stream.WriteI16(0);
        stream.WriteI16(frame.width);
        stream.WriteI16(frame.height);
    }
    gfx::WriteBitmapPayload(stream, Strip());
    stream.Seek(0);
    auto list = std::make_unique<TFrameList>(framework::clBlue);
    list->ReadData(stream);
    return list;
}

}  // namespace

std::vector<uint8_t> SequenceListBytes(const std::vector<SequenceSpec>& sequences, bool withDZ) {
    base::MemoryStream stream;
    stream.WriteI16(static_cast<int16_t>(sequences.size()));
    for (const SequenceSpec& sequence : sequences) {
        base::TName(sequence.name).Write(stream);
        stream.WriteI16(static_cast<int16_t>(sequence.steps.size()));
        for (const StepSpec& step : sequence.steps) {
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

gfx::Pixel BackgroundPixel(int32_t x, int32_t y) {
    return gfx::MakePixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                          static_cast<uint8_t>(x / 256 + 100));
}

StageTest::StageTest() {
    form_ = framework::NewComponent<framework::TForm>(root_);
    form_->SetBounds(0, 0, kStageWidth, kStageHeight);
    box_ = framework::NewComponent<TSpriteBox>(*form_);
    box_->SetParent(form_);
    box_->SetBounds(0, 0, kStageWidth, kStageHeight);
    auto picture = std::make_unique<gfx::Bitmap>(kStageWidth, kStageHeight);
    for (int32_t y = 0; y < kStageHeight; ++y) {
        for (int32_t x = 0; x < kStageWidth; ++x) {
            picture->SetPixel(x, y, BackgroundPixel(x, y));
        }
    }
    box_->Picture().SetBitmap(std::move(picture));
    form_->Show();
    backend_.RunFor(0);
    frames_ = LoadFrames();
    backend_.ClearPresented();
}

TSprite& StageTest::MakeSprite() {
    TSprite& sprite = MakeLooseSprite();
    sprite.SetSpriteBox(box_);
    return sprite;
}

TSprite& StageTest::MakeLooseSprite() {
    auto* sprite = framework::NewComponent<TSprite>(*form_);
    sprite->SetFrameList(*frames_);
    LoadSequences(*sprite);
    return *sprite;
}

void StageTest::LoadSequences(TSprite& sprite, const std::vector<SequenceSpec>& extra) {
    std::vector<SequenceSpec> sequences = {
        {"S3", {{"a", 1, 0, 0, 0.1}, {"b", 2, 1, 0, 0.2}, {"c", 4, 0, 0, 0.3}}}};
    sequences.insert(sequences.end(), extra.begin(), extra.end());
    base::MemoryStream steps(SequenceListBytes(sequences, true));
    sprite.SequenceList().ReadData(steps);
}

void StageTest::Place(TSprite& sprite, const char* name, int32_t x, int32_t y) {
    sprite.SetCurrentFrame(name);
    sprite.SetX(x);
    sprite.SetY(y);
    sprite.SetVisible(true);
    backend_.ClearPresented();
}

gfx::Pixel StageTest::Screen(int32_t x, int32_t y) const {
    return form_->Canvas().Target().GetPixel(x, y);
}

std::vector<gfx::Rect> StageTest::PresentedRects() const {
    std::vector<gfx::Rect> rects;
    for (const auto& presented : backend_.Presented()) {
        rects.push_back(presented.rect);
    }
    return rects;
}

bool StageTest::ShowsBackground(const gfx::Rect& r) const {
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) {
            if (Screen(x, y) != BackgroundPixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

bool StageTest::Shows(const gfx::Rect& r, gfx::Pixel colour) const {
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) {
            if (Screen(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace sprites::stage
