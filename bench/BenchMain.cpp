// The main of every benchmark program: its cases, the usual benchmark flags, and the ratio
// table at the end. With --va_enforce_targets the program fails when a case is over its target.

#include <cstring>
#include <vector>

#include "BenchSupport.h"
#include "RatioReporter.h"

namespace {

constexpr const char* kEnforceFlag = "--va_enforce_targets";

// Takes our own flag out of the arguments before the library reads them.
bool TakeEnforceFlag(int& argc, char** argv) {
    bool found = false;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], kEnforceFlag) == 0) {
            found = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    const bool enforce = TakeEnforceFlag(argc, argv);
    bench::FixtureStore fixtures;
    bench::RegisterBenchmarks(fixtures);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return enforce && reporter.CasesOverTarget() > 0 ? 1 : 0;
}
