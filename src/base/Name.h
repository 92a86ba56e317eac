#pragma once
// TName: a name of at most 80 characters, held as its stored form (a length byte and 80
// character bytes). Bytes behind the name carry no meaning but are kept as they are, so a
// name replaced by a shorter one still holds the tail of the earlier one when written back.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/MemoryStream.h"

namespace base {

inline constexpr size_t kNameMaxLength = 80;

// The first 80 characters of `name`: what every setter and lookup uses.
std::string_view CutName(std::string_view name);

// Upper-cases the letters a to z only; every other byte stays as it is.
std::string UpperCaseAZ(std::string_view text);

// Equal when the lengths match and the characters match, ignoring the case of a to z only.
bool SameTextAZ(std::string_view a, std::string_view b);

struct TName {
    uint8_t length = 0;
    std::array<char, kNameMaxLength> chars{};

    TName() = default;
    explicit TName(std::string_view name) { Set(name); }

    // Stores the name cut to 80 characters; the bytes behind it are left as they were.
    void Set(std::string_view name);
    std::string Str() const;
    // The name in place, for comparing without a copy: valid while this TName is unchanged.
    std::string_view View() const { return {chars.data(), length}; }

    // 81 bytes as stored; a stored length above 80 reads as 80.
    void Read(MemoryStream& stream);
    void Write(MemoryStream& stream) const;

    friend bool operator==(const TName& a, const TName& b) { return a.View() == b.View(); }
};

}  // namespace base
