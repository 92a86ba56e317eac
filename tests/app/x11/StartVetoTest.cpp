// The companion window asked with message 1127 before the saver starts.
#include "ProgramFixture.h"

namespace app::x11::testing {
namespace {

class StartVetoTest : public ProgramFixture, public ::testing::WithParamInterface<int> {
  protected:
    void StartReadyCompanion(int answer) {
        ChildProcess& companion = StartCompanion(answer);
        std::optional<std::string> ready = companion.ReadLine(5000);
        ASSERT_TRUE(ready && ready->rfind("ready 0x", 0) == 0) << "the companion did not start";
        companion_ = &companion;
    }
    ChildProcess* companion_ = nullptr;
};

// The companion is asked once; an answer of 1 vetoes the start before any window is mapped,
// an answer of 0 lets the saver run.
TEST_P(StartVetoTest, TheCompanionsAnswerVetoesOrAllowsTheStart) {
    const bool veto = GetParam() != 0;
    ASSERT_NO_FATAL_FAILURE(StartReadyCompanion(GetParam()));
    Probe().WatchMaps();
    ChildProcess& saver = StartProgram({"/s"});
    if (veto) {
        EXPECT_EQ(saver.WaitForExit(3000), 0);
    } else {
        EXPECT_NE(WaitForSaverWindow(), 0u);
        EXPECT_TRUE(saver.Running());
    }
    EXPECT_EQ(companion_->ReadLine(1000), "message 1127 0 0");
    EXPECT_EQ(Probe().MapsSeen() > 0, !veto) << "windows mapped: " << Probe().MapsSeen();
    EXPECT_EQ(Probe().TopLevelsTitled(kSaverTitle).empty(), veto);
}

INSTANTIATE_TEST_SUITE_P(Answers, StartVetoTest, ::testing::Values(1, 0));

}  // namespace
}  // namespace app::x11::testing
