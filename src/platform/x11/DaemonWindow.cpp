#include "platform/x11/DaemonWindow.h"

#include <charconv>

#include "base/Exceptions.h"

namespace platform::x11 {

uint32_t ParseWindowId(const std::string& text) {
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* begin = text.data() + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    uint32_t id = 0;
    auto [stop, error] = std::from_chars(begin, end, id, hex ? 16 : 10);
    if (begin == end || error != std::errc() || stop != end || id == 0) {
        throw base::Exception("Not a window id: \"" + text + "\"");
    }
    return id;
}

std::optional<uint32_t> DaemonWindowFrom(const std::vector<std::string>& arguments,
                                         const char* environmentValue) {
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] != "-window-id" && arguments[i] != "--window-id") {
            continue;
        }
        if (i + 1 == arguments.size()) {
            throw base::Exception("-window-id needs a window id after it");
        }
        return ParseWindowId(arguments[i + 1]);
    }
    if (environmentValue == nullptr || environmentValue[0] == '\0') {
        return std::nullopt;
    }
    return ParseWindowId(environmentValue);
}

}  // namespace platform::x11
