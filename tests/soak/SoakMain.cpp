// The long soak as a program: `soak [days]` (default 7) runs the saver for that much saver
// time and prints the figures; the exit code is 1 when any check failed.

#include <cstdlib>
#include <iostream>
#include <string>

#include "Soak.h"

int main(int argc, char** argv) {
    const double days = argc > 1 ? std::atof(argv[1]) : 7.0;
    if (!(days > 0) || days > 366) {
        std::cerr << "usage: " << argv[0] << " [days of saver time, 0 < days <= 366]\n";
        return 2;
    }
    soak::SoakOptions options;
    options.saverMilliseconds = static_cast<uint64_t>(days * 24 * 3600 * 1000);
    options.progress = [](const std::string& line) { std::cout << line << std::endl; };
    const soak::SoakFigures figures = soak::RunSoak(options);
    std::cout << figures.Report();
    return figures.faults.empty() ? 0 : 1;
}
