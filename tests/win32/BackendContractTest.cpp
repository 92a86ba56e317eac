// The backend contract (tests/platform/contract) on the Win32 backend, in real time.
#include "BackendFixture.h"
#include "contract/BackendContract.h"

namespace platform::contract {
namespace {

struct Win32Env {
    static const char* SkipReason() { return nullptr; }
    void Elapse(uint32_t ms) {
        uint32_t start = GetTickCount();
        while (GetTickCount() - start < ms) {
        }
    }
    void Pump(uint32_t ms, const std::function<bool()>& done = {}) {
        win32test::RunMessages(ms, done);
    }
    win32::Win32Backend backend;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, BackendContract, Win32Env);

}  // namespace
}  // namespace platform::contract
