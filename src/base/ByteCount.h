#pragma once
// A number of bytes as the messages give it: "1 byte", "0 bytes", "2 bytes".

#include <cstdint>
#include <string>

namespace base {

inline std::string ByteCount(uint64_t count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

}  // namespace base
