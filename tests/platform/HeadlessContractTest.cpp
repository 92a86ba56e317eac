// The backend contract on the headless backend, in virtual time.
#include "contract/BackendContract.h"
#include "platform/headless/HeadlessBackend.h"

namespace platform::contract {
namespace {

struct HeadlessEnv {
    static const char* SkipReason() { return nullptr; }
    void Elapse(uint32_t ms) { backend.AdvanceClock(ms); }
    void Pump(uint32_t ms, const std::function<bool()>& done = {}) {
        if (!done) {
            backend.RunFor(ms);
            return;
        }
        for (uint32_t t = 0; t < ms && !done(); ++t) {
            if (!backend.RunFor(1)) {
                return;
            }
        }
    }
    headless::HeadlessBackend backend;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, BackendContract, HeadlessEnv);

}  // namespace
}  // namespace platform::contract
