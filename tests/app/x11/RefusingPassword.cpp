// A password library that refuses every try, built as password.so for the tests.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) int VerifyScreenSavePwd(uint32_t) {
    return 0;
}
