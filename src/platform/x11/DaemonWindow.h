#pragma once
// The window a screensaver daemon gives the saver to draw in: `-window-id <id>` (or
// `--window-id <id>`) on the command line (anywhere after the program's name), else the
// XSCREENSAVER_WINDOW environment value.
// An id is decimal, or hexadecimal after "0x" (either case).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::x11 {

// Fails with base::Exception naming the text when it is not a window id (empty, other
// characters, 0, or beyond 32 bits).
uint32_t ParseWindowId(const std::string& text);

// arguments[0] is the program's name. Null environment value: the variable is not set.
std::optional<uint32_t> DaemonWindowFrom(const std::vector<std::string>& arguments,
                                         const char* environmentValue);

}  // namespace platform::x11
