#pragma once
// The embedded main form, loaded once for a whole suite into a test form on the headless
// backend, with helpers to reach its components and count pixels.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "TestForm.h"
#include "framework/Application.h"
#include "framework/Component.h"
#include "gfx/Bitmap.h"
#include "gfx/Rect.h"
#include "platform/headless/HeadlessBackend.h"

namespace assets::testing {

class CatalogueTest : public ::testing::Test {
  public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static TfrmTest& Form() { return *form_; }
    template <class T>
    static T& Component(const std::string& name) {
        framework::TComponent* component = form_->FindComponent(name);
        if (component == nullptr) {
            throw std::runtime_error("no component " + name);
        }
        return framework::CheckedCast<T>(*component);
    }

  private:
    static std::unique_ptr<platform::headless::HeadlessBackend> backend_;
    static std::unique_ptr<framework::TApplication> application_;
    static TfrmTest* form_;
};

size_t CountPixels(const gfx::Bitmap& bitmap, gfx::Pixel colour);
size_t CountPixels(const gfx::Bitmap& bitmap, const gfx::Rect& area, gfx::Pixel colour);

}  // namespace assets::testing
