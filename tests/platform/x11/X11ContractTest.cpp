// The backend contract on the X11 backend, against one Xvfb for the whole program.
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "X11TestSupport.h"
#include "XvfbServer.h"
#include "contract/BackendContract.h"
#include "platform/x11/X11Backend.h"

namespace platform::contract {
namespace {

using x11::testing::XvfbServer;

struct X11Env {
    static inline std::string failure;
    static XvfbServer* Server() {
        static std::unique_ptr<XvfbServer> server = x11::testing::StartXvfb(640, 480, failure);
        return server.get();
    }
    static const char* SkipReason() { return Server() == nullptr ? failure.c_str() : nullptr; }
    static x11::X11Options Options() {
        x11::X11Options options;
        options.display = Server()->DisplayName();
        return options;
    }

    void Elapse(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    void Pump(uint32_t ms, const std::function<bool()>& done = {}) {
        x11::testing::X11Fixture::PumpUntil(
            done ? done : [] { return false; }, static_cast<int>(ms));
    }

    x11::X11Backend backend{Options()};
};

INSTANTIATE_TYPED_TEST_SUITE_P(X11, BackendContract, X11Env);

}  // namespace
}  // namespace platform::contract
