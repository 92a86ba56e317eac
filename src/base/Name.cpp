#include "base/Name.h"

#include <algorithm>

namespace base {

std::string_view CutName(std::string_view name) {
    return name.substr(0, kNameMaxLength);
}

namespace {

char UpperAZ(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string UpperCaseAZ(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), UpperAZ);
    return result;
}

// In place: a sequence lookup compares each stored name this way.
bool SameTextAZ(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return UpperAZ(x) == UpperAZ(y);
           });
}

void TName::Set(std::string_view name) {
    const std::string_view cut = CutName(name);
    length = static_cast<uint8_t>(cut.size());
    std::copy(cut.begin(), cut.end(), chars.begin());
}

std::string TName::Str() const {
    return std::string(View());
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
