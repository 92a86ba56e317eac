#include "host/HandleNumber.h"

namespace host {
namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<uint32_t> ParseHex(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > UINT32_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<uint32_t>(value);
}

// Digits only; the magnitude may reach 2^31 so that the most negative value fits.
std::optional<uint64_t> ParseDecimalMagnitude(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    constexpr uint64_t kLimit = uint64_t{1} << 31;
    uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > kLimit) {
            return std::nullopt;
        }
    }
    return value;
}

std::optional<uint32_t> ParseSignedDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    const std::optional<uint64_t> magnitude = ParseDecimalMagnitude(text);
    if (!magnitude || (!negative && *magnitude > INT32_MAX)) {
        return std::nullopt;
    }
    const auto bits = static_cast<uint32_t>(*magnitude);
    return negative ? 0u - bits : bits;
}

}  // namespace

std::optional<uint32_t> ParseHandleNumber(std::string_view text) {
    const size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(start);
    if (text.front() == '$') {
        return ParseHex(text.substr(1));
    }
    return ParseSignedDecimal(text);
}

}  // namespace host
