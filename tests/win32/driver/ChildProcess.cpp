#include "driver/ChildProcess.h"

#include <stdexcept>
#include <vector>

#include "driver/WindowQuery.h"

namespace driver {

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments) {
    std::string line = "\"" + program + "\" " + arguments;
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info_) == 0) {
        throw std::runtime_error("cannot start " + program + ": system error " +
                                 std::to_string(GetLastError()));
    }
}

ChildProcess::~ChildProcess() {
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::Running() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (!WaitUntil([this] { return !Running(); }, timeoutMs)) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void ChildProcess::Kill(DWORD exitCode) {
    TerminateProcess(info_.hProcess, exitCode);
    if (!WaitForEnd(10000)) {
        throw std::runtime_error("process " + std::to_string(Id()) + " did not end when killed");
    }
}

bool ChildProcess::WaitForEnd(DWORD timeoutMs) const {
    return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

}  // namespace driver
