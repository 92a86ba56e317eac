#include "CatalogueFixture.h"

#include "assets/Assets.h"

namespace assets::testing {

std::unique_ptr<platform::headless::HeadlessBackend> CatalogueTest::backend_;
std::unique_ptr<framework::TApplication> CatalogueTest::application_;
TfrmTest* CatalogueTest::form_ = nullptr;

void CatalogueTest::SetUpTestSuite() {
    backend_ = std::make_unique<platform::headless::HeadlessBackend>();
    application_ = std::make_unique<framework::TApplication>();
    form_ = application_->CreateForm<TfrmTest>(MainFormDescription());
}

void CatalogueTest::TearDownTestSuite() {
    form_ = nullptr;
    application_.reset();
    backend_.reset();
}

size_t CountPixels(const gfx::Bitmap& bitmap, const gfx::Rect& area, gfx::Pixel colour) {
    size_t count = 0;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
            count += bitmap.GetPixel(x, y) == colour ? 1u : 0u;
        }
    }
    return count;
}

size_t CountPixels(const gfx::Bitmap& bitmap, gfx::Pixel colour) {
    return CountPixels(bitmap, {0, 0, bitmap.Width(), bitmap.Height()}, colour);
}

}  // namespace assets::testing
