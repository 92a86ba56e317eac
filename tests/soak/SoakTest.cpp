// The short soak: an hour of saver time at 1920 x 1080 with the tick counter wrapping after
// five minutes; every check of the long soak, which scripts/soak runs for a week.

#include <gtest/gtest.h>

#include <iostream>

#include "AddressSanitizer.h"
#include "Soak.h"

namespace soak {
namespace {

TEST(SoakTest, AnHourAtFullHdStaysAccountedAndFlat) {
    SoakOptions options;
    options.saverMilliseconds = 3600 * 1000;
    if (kAddressSanitizer) {
        options.residentSlackBytes = 0;  // the sanitizer's quarantine holds freed memory
    }
    const SoakFigures figures = RunSoak(options);
    std::cout << figures.Report();
    EXPECT_TRUE(figures.faults.empty()) << figures.Report();
    EXPECT_GE(figures.phaseChanges, 4) << "at least two whole cycles in an hour";
    EXPECT_GE(figures.smallestInterval, 96u);
    EXPECT_LE(figures.largestInterval, 5249u);
    EXPECT_EQ(figures.end.frames, figures.start.frames);
}

}  // namespace
}  // namespace soak
