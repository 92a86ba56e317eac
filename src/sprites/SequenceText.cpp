#include "sprites/SequenceText.h"

#include <charconv>

namespace sprites {
namespace {

bool IsBlank(char c) {
    return c == 8 || c == 9 || c == 10 || c == 13 || c == 32 || c == 127;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view LeadingDigits(std::string_view text) {
    size_t end = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    return text.substr(0, end);
}

int32_t StepNumber(std::string_view text) {
    const std::string_view digits = TrimBlanks(LeadingDigits(TrimBlanks(text)));
    int32_t step = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), step);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return 0;
    }
    return step;
}

}  // namespace

TSequenceStart SplitSequenceText(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return {std::string(text), 0};
    }
    return {std::string(text.substr(0, colon)), StepNumber(text.substr(colon + 1))};
}

}  // namespace sprites
