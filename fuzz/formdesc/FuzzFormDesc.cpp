// A main-window description on hostile input, end to end: the container is read and a test
// form is made from it through the toolkit's registry. A rejection is a base::Exception;
// anything else (a crash, a sanitizer report, another exception) is a finding.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "TestForm.h"
#include "base/Exceptions.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessBackend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

struct Session {
    platform::headless::HeadlessBackend backend;
    framework::TApplication application;
};

Session& TheSession() {
    static const auto session = std::make_unique<Session>();
    return *session;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    framework::TApplication& application = TheSession().application;
    try {
        auto* form =
            application.CreateForm<assets::testing::TfrmTest>(std::span<const uint8_t>(data, size));
        application.DestroyComponent(form);
    } catch (const base::Exception&) {
        // An expected rejection of a damaged description.
    }
    return 0;
}
