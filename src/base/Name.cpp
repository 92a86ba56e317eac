#include "base/Name.h"

#include <algorithm>

namespace base {

std::string_view CutName(std::string_view name) {
    return name.substr(0, kNameMaxLength);
}

std::string UpperCaseAZ(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

bool SameTextAZ(std::string_view a, std::string_view b) {
    return a.size() == b.size() && UpperCaseAZ(a) == UpperCaseAZ(b);
}

void TName::Set(std::string_view name) {
    const std::string_view cut = CutName(name);
    length = static_cast<uint8_t>(cut.size());
    std::copy(cut.begin(), cut.end(), chars.begin());
}

std::string TName::Str() const {
    return std::string(chars.data(), length);
}

void TName::Read(MemoryStream& stream) {
    uint8_t stored[1 + kNameMaxLength];
    stream.Read(stored, sizeof stored);
    length = std::min<uint8_t>(stored[0], kNameMaxLength);
    std::copy(stored + 1, stored + sizeof stored, chars.begin());
}

void TName::Write(MemoryStream& stream) const {
    stream.WriteU8(length);
    stream.Write(chars.data(), chars.size());
}

}  // namespace base
