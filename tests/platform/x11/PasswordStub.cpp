// A stand-in for the two password libraries, built as password.so and mpr.so for the tests.
#include <cstdint>
#include <cstring>

extern "C" {

// Answers whether the window handle is odd, so that the tests see the argument arrive.
__attribute__((visibility("default"))) int VerifyScreenSavePwd(uint32_t hwnd) {
    return static_cast<int>(hwnd & 1u);
}

// Folds all four arguments into the answer.
__attribute__((visibility("default"))) int PwdChangePasswordA(const char* passwordSet,
                                                              uint32_t hwnd, uint32_t a,
                                                              uint32_t b) {
    return static_cast<int>(std::strlen(passwordSet) * 1000 + hwnd + a * 10 + b * 100);
}
}
