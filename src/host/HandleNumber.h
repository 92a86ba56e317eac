#pragma once
// The number of a window handle as the desktop writes it on the command line: leading blanks,
// then either "$" and hexadecimal digits (either case, at most 32 bits) or an optional sign and
// decimal digits that fit a signed 32-bit integer; nothing may follow.

#include <cstdint>
#include <optional>
#include <string_view>

namespace host {

// The 32 bits of the number (a negative decimal keeps its two's-complement bits), or nothing
// when the text is not such a number.
std::optional<uint32_t> ParseHandleNumber(std::string_view text);

}  // namespace host
