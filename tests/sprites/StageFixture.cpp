#include "StageFixture.h"

#include "base/MemoryStream.h"

namespace sprites::test {
namespace {

constexpr gfx::Pixel kBlue = 0x000000FF;

gfx::Bitmap Strip() {
    std::vector<std::vector<gfx::Pixel>> rows(30, std::vector<gfx::Pixel>(100, kBlue));
    for (size_t y = 0; y < 30; ++y) {
        for (size_t x = 0; x < 40; ++x) {
            rows[y][x] = (x < 5 && y < 5) ? kBlue : kColourA;
            rows[y][40 + x] = (x >= 35 && y >= 25) ? kBlue : kColourB;
            rows[y][80 + x / 2] = y < 10 ? kColourC : kBlue;
        }
    }
    return EightBitStrip(rows);
}

framework::TForm* MakeForm(framework::TComponent& root) {
    auto* form = framework::NewComponent<framework::TForm>(root);
    form->SetBounds(0, 0, 320, 240);
    return form;
}

}  // namespace

gfx::Pixel BackgroundPixel(int32_t x, int32_t y) {
    return gfx::MakePixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                          static_cast<uint8_t>(x / 256 + 100));
}

StageTest::StageTest()
    : form_(MakeForm(root_)),
      box_(framework::NewComponent<TSpriteBox>(*form_)),
      surface_(form_->Canvas().Target()),
      frames_(LoadList(framework::clBlue,
                       {{"a", 0, 0, 40, 30}, {"b", 40, 0, 40, 30}, {"c", 80, 0, 20, 10}},
                       Strip())) {
    box_->SetParent(form_);
    box_->SetBounds(0, 0, 320, 240);
    auto picture = std::make_unique<gfx::Bitmap>(320, 240);
    for (int32_t y = 0; y < 240; ++y) {
        for (int32_t x = 0; x < 320; ++x) {
            picture->SetPixel(x, y, BackgroundPixel(x, y));
        }
    }
    box_->Picture().SetBitmap(std::move(picture));
    form_->Show();
    backend_.RunFor(0);
    backend_.ClearPresented();
}

TSprite& StageTest::MakeSprite(bool onBox) {
    auto* sprite = framework::NewComponent<TSprite>(*form_);
    sprite->SetFrameList(*frames_);
    LoadSequences(*sprite);
    sprite->SetSpriteBox(onBox ? box_ : nullptr);
    return *sprite;
}

void StageTest::LoadSequences(TSprite& sprite, const std::vector<SequenceData>& extra) {
    std::vector<SequenceData> sequences = {
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

void StageTest::PaintScreen(gfx::Pixel colour) {
    form_->Canvas().FillRect({0, 0, 320, 240}, framework::PixelToColor(colour));
    backend_.ClearPresented();
}

std::vector<gfx::Rect> StageTest::Presented() const {
    std::vector<gfx::Rect> rects;
    for (const auto& presented : backend_.Presented()) {
        rects.push_back(presented.rect);
    }
    return rects;
}

bool StageTest::Shows(const gfx::Rect& r, gfx::Pixel colour) const {
    return Every(r, [colour](int32_t, int32_t) { return colour; });
}

bool StageTest::ShowsBackground(const gfx::Rect& r) const {
    return Every(r, BackgroundPixel);
}

bool StageTest::Every(const gfx::Rect& r,
                      const std::function<gfx::Pixel(int32_t, int32_t)>& want) const {
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) {
            if (Screen(x, y) != want(x, y)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace sprites::test
