#include "host/CommandLine.h"

namespace host {
namespace {

bool IsSeparator(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

// Reads one argument starting at `pos` (not a separator); returns the position after it.
size_t ReadArgument(std::string_view raw, size_t pos, std::string& argument) {
    bool quoted = false;
    for (; pos < raw.size(); ++pos) {
        const char c = raw[pos];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && IsSeparator(c)) {
            break;
        } else {
            argument.push_back(c);
        }
    }
    return pos;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view raw) {
    raw = raw.substr(0, raw.find('\0'));
    std::vector<std::string> arguments;
    size_t pos = 0;
    for (;;) {
        while (pos < raw.size() && IsSeparator(raw[pos])) {
            ++pos;
        }
        if (pos >= raw.size()) {
            return arguments;
        }
        std::string argument;
        pos = ReadArgument(raw, pos, argument);
        arguments.push_back(std::move(argument));
    }
}

CommandLine CommandLine::FromRaw(std::string_view raw) {
    return CommandLine(SplitCommandLine(raw));
}

CommandLine CommandLine::FromArgv(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    for (int i = 0; argv != nullptr && i < argc; ++i) {
        arguments.emplace_back(argv[i] != nullptr ? argv[i] : "");
    }
    return CommandLine(std::move(arguments));
}

CommandLine CommandLine::FromArguments(std::vector<std::string> arguments) {
    return CommandLine(std::move(arguments));
}

const std::string& CommandLine::Argument(size_t index) const {
    static const std::string kNone;
    return index < arguments_.size() ? arguments_[index] : kNone;
}

}  // namespace host
