// The command line on hostile input. The first byte chooses the form: even, the rest is a raw
// command line to split; odd, the rest is an argument vector with arguments ended by a zero
// byte. Whatever comes, the parse must give one of the six modes and a handle exactly where
// one is read; anything else (a crash, a sanitizer report, an exception) is a finding.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "host/CommandLine.h"
#include "host/HandleNumber.h"
#include "host/SaverMode.h"
#include "platform/headless/HeadlessBackend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<std::string> SplitAtZeros(std::string_view bytes) {
    std::vector<std::string> arguments;
    size_t start = 0;
    while (start <= bytes.size()) {
        const size_t end = std::min(bytes.find('\0', start), bytes.size());
        arguments.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

host::CommandLine MakeCommandLine(std::string_view input) {
    if (input.empty() || (static_cast<uint8_t>(input.front()) & 1u) == 0) {
        const host::CommandLine line =
            host::CommandLine::FromRaw(input.substr(input.empty() ? 0 : 1));
        for (size_t i = 0; i <= line.Count(); ++i) {
            Check(line.Argument(i).find('"') == std::string::npos);
            Check(line.Argument(i).find('\0') == std::string::npos);
        }
        return line;
    }
    return host::CommandLine::FromArguments(SplitAtZeros(input.substr(1)));
}

void CheckValues(const host::CommandLine& line) {
    const host::TSaverMode mode = host::SaverMode();
    Check(mode >= host::smAbout && mode <= host::smChangePassword);
    const bool readsHandle = mode == host::smPreview || mode == host::smChangePassword;
    const uint32_t expected =
        readsHandle ? host::ParseHandleNumber(line.Argument(2)).value_or(0) : 0;
    Check(host::ParentWindow() == expected);
    Check(line.Count() != 0 || mode == host::smAbout);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::headless::HeadlessBackend backend;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const host::CommandLine line = MakeCommandLine(input);
    host::ParseCommandLine(line);
    CheckValues(line);
    host::ReadParentWindow(line);
    Check(host::ParentWindow() == host::ParseHandleNumber(line.Argument(2)).value_or(0));
    return 0;
}
