#pragma once
// The program's arguments, split from the command line the system hands over. Runs of
// characters with codes 1 to 32 separate arguments; a stretch in double quotes belongs to one
// argument and the quotes are dropped. Argument 0 is the program's own file name.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class CommandLine {
  public:
    CommandLine() = default;
    // Splits a raw command line; a character 0 ends it, as the system's string ends there.
    static CommandLine FromRaw(std::string_view raw);
    // Takes the arguments the C runtime has split already, one argument per element, as they
    // are (quotes and blanks inside an element were put there on purpose).
    static CommandLine FromArgv(int argc, const char* const* argv);
    static CommandLine FromArguments(std::vector<std::string> arguments);

    // The arguments after the program's name.
    size_t Count() const { return arguments_.empty() ? 0 : arguments_.size() - 1; }
    // Argument i (0 is the program's name); empty beyond the last.
    const std::string& Argument(size_t index) const;

  private:
    explicit CommandLine(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

    std::vector<std::string> arguments_;
};

// The splitting rule alone: every argument of the raw command line, the program's name first.
std::vector<std::string> SplitCommandLine(std::string_view raw);

}  // namespace host
