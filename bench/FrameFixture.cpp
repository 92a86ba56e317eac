#include "FrameFixture.h"

#include <memory>
#include <stdexcept>

#include "framework/Color.h"

namespace bench {

namespace {

constexpr int16_t kFrameX = 141;
constexpr gfx::Pixel kTransparent = framework::ColorToPixel(framework::clBlue);

void AddFrame(sprites::TFrameList& list, int16_t x, int16_t width, int16_t height) {
    auto frame = std::make_unique<sprites::TFrame>(&list);
    frame->SetX(x);
    frame->SetY(0);
    frame->SetWidth(width);
    frame->SetHeight(height);
    list.Add(std::move(frame));
}

}  // namespace

FrameFixture::FrameFixture(const Shape& opaque, int32_t width, int32_t height)
    : list_(framework::clBlack), destination_(2 * width - 1, 2 * height - 1) {
    list_.Image().SetSize(kFrameX + width, height);
    list_.Mask().SetSize(kFrameX + width, height);
    PaintStrip(opaque, kFrameX, width, height);
    AddFrame(list_, 0, kFrameX, static_cast<int16_t>(height));
    AddFrame(list_, kFrameX, static_cast<int16_t>(width), static_cast<int16_t>(height));
    list_.SetTransparentColor(framework::clBlue);
    for (int32_t y = 0; y < destination_.Height(); ++y) {
        for (int32_t x = 0; x < destination_.Width(); ++x) {
            destination_.SetPixel(x, y, gfx::MakePixel(40, static_cast<uint8_t>(x), 90));
        }
    }
    if (OpaqueCount() == 0) {
        throw std::logic_error("benchmark frame has no opaque pixel");
    }
}

void FrameFixture::PaintStrip(const Shape& opaque, int32_t x0, int32_t width, int32_t height) {
    list_.Image().Fill(kTransparent);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            if (opaque[static_cast<size_t>(y * width + x)]) {
                list_.Image().SetPixel(x0 + x, y, LeafColour(x, y));
            }
        }
    }
}

int64_t FrameFixture::OpaqueCount() const {
    int64_t count = 0;
    const sprites::TFrame& frame = Frame();
    for (int32_t y = 0; y < frame.Height(); ++y) {
        for (int32_t x = frame.X(); x < frame.X() + frame.Width(); ++x) {
            count += list_.Mask().GetPixel(x, y) == gfx::kBlack ? 1 : 0;
        }
    }
    return count;
}

}  // namespace bench
