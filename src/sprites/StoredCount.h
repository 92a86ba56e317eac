#pragma once
// The signed 16-bit item count that the stored lists begin with.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "base/Exceptions.h"

namespace sprites {

// The count of a list about to be written; more items than 32767 fail with EOverflow.
inline int16_t StoredCount(int32_t count, std::string_view writer) {
    if (count > std::numeric_limits<int16_t>::max()) {
        throw base::EOverflow(std::string(writer) + ": " + std::to_string(count) +
                              " items do not fit the stored count");
    }
    return static_cast<int16_t>(count);
}

}  // namespace sprites
