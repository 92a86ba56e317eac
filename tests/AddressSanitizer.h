#pragma once
// Whether this build runs under AddressSanitizer (and so LeakSanitizer): GCC says so by a
// macro, clang through __has_feature. VA_ADDRESS_SANITIZER is defined when it does.

#if defined(__SANITIZE_ADDRESS__)
#define VA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VA_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef VA_ADDRESS_SANITIZER
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
