// A whole cycle of the saver (cover, reveal, cover again), then everything destroyed: nothing
// may be left behind. In the sanitizer build LeakSanitizer is asked here, after the cycle,
// and once more at the end of the process; in every build the live counters go back to where
// they were.

#include <gtest/gtest.h>

#include <memory>

#include "AddressSanitizer.h"
#include "SaverRig.h"
#include "gfx/BitmapCount.h"
#include "sprites/TempBitmap.h"

#ifdef VA_ADDRESS_SANITIZER
#include <sanitizer/lsan_interface.h>
#endif

namespace reliability {
namespace {

TEST(LeakCycleTest, AFullCycleLeavesNothingBehind) {
    const int64_t bitmapsBefore = gfx::LiveBitmapCount();
    auto rig = std::make_unique<SaverRig>(640, 480, 0xFFFB6C20u, 99);
    rig->Show();
    scene::TPhase phase = rig->Form().Phase;
    int changes = 0;
    for (uint64_t t = 0; t < 2 * 3600 * 1000 && changes < 2; t += 100) {
        rig->Run(100);
        changes += rig->Form().Phase != phase ? 1 : 0;
        phase = rig->Form().Phase;
    }
    ASSERT_EQ(changes, 2) << "no full cycle in two hours";
    EXPECT_EQ(rig->Form().Phase, scene::phCover);
    EXPECT_EQ(rig->GridFault(), "");
    EXPECT_EQ(rig->SpriteFault(), "");
    rig.reset();
    EXPECT_EQ(sprites::LiveFrameCount(), 0);
    EXPECT_EQ(sprites::TempBitmap(), nullptr);
    EXPECT_EQ(gfx::LiveBitmapCount(), bitmapsBefore);
#ifdef VA_ADDRESS_SANITIZER
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "LeakSanitizer found leaks";
#endif
}

}  // namespace
}  // namespace reliability
