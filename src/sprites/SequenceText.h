#pragma once
// The text a sprite is asked to play: a sequence name, optionally followed by a colon and the
// step to start from ("WAAI3:12").

#include <cstdint>
#include <string>
#include <string_view>

namespace sprites {

struct TSequenceStart {
    std::string name;
    int32_t step = 0;
};

// Splits text at its first colon. The step part loses the characters 8, 9, 10, 13, 32 and 127
// at both ends and everything from its first non-digit on; no digits, or a number too large,
// give step 0. A text without a colon is all name, step 0.
TSequenceStart SplitSequenceText(std::string_view text);

}  // namespace sprites
