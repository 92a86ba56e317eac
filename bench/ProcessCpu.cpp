#include "ProcessCpu.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>

namespace bench {

double OwnCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

ProcessCpuClock::ProcessCpuClock(pid_t pid) {
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        const int file = open((task.path() / "schedstat").c_str(), O_RDONLY | O_CLOEXEC);
        if (file >= 0) {
            files_.push_back(file);
        }
    }
}

ProcessCpuClock::~ProcessCpuClock() {
    for (const int file : files_) {
        close(file);
    }
}

// The first number of a schedstat line is the task's time on the CPU in nanoseconds.
double ProcessCpuClock::Seconds() const {
    double nanoseconds = 0;
    for (const int file : files_) {
        char text[96];
        const ssize_t length = pread(file, text, sizeof text - 1, 0);
        if (length > 0) {
            text[length] = '\0';
            nanoseconds += std::strtod(text, nullptr);
        }
    }
    return nanoseconds * 1e-9;
}

}  // namespace bench
