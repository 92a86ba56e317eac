#pragma once
// The About dialog's layout in one place, so that a stored form description can take its place
// later without touching the dialog's code.

#include <cstdint>

namespace host::about_layout {

inline constexpr const char* kCaption = "Over...";
inline constexpr int32_t kClientWidth = 221;
inline constexpr int32_t kClientHeight = 276;
inline constexpr const char* kFontName = "System";
inline constexpr int32_t kFontHeight = 13;

// Image1 sits at the top-left corner and takes the size of its picture.
inline constexpr int32_t kImageLeft = 0;
inline constexpr int32_t kImageTop = 0;
inline constexpr int32_t kPictureWidth = 224;
inline constexpr int32_t kPictureHeight = 242;

inline constexpr int32_t kButtonLeft = 48;
inline constexpr int32_t kButtonTop = 248;
inline constexpr int32_t kButtonWidth = 81;
inline constexpr int32_t kButtonHeight = 25;
inline constexpr const char* kButtonCaption = "OK";
inline constexpr const char* kButtonFontName = "Arial";
inline constexpr int32_t kButtonFontHeight = 12;

}  // namespace host::about_layout
