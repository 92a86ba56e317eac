// The companion window asked with message 1127 before the saver starts.
#include "ProgramFixture.h"

namespace app::x11::testing {
namespace {

class StartVetoTest : public ProgramFixture {
  protected:
    void StartReadyCompanion(int answer) {
        ChildProcess& companion = StartCompanion(answer);
        std::optional<std::string> ready = companion.ReadLine(5000);
        ASSERT_TRUE(ready && ready->rfind("ready 0x", 0) == 0) << "the companion did not start";
        companion_ = &companion;
    }
    ChildProcess* companion_ = nullptr;
};

TEST_F(StartVetoTest, AnAnswerOfOneVetoesTheStart) {
    ASSERT_NO_FATAL_FAILURE(StartReadyCompanion(1));
    Probe().WatchMaps();
    ChildProcess& saver = StartProgram({"/s"});
    EXPECT_EQ(saver.WaitForExit(3000), 0);
    EXPECT_EQ(companion_->ReadLine(1000), "message 1127 0 0");
    EXPECT_EQ(Probe().MapsSeen(), 0) << "a window was mapped despite the veto";
    EXPECT_TRUE(Probe().TopLevelsTitled(kSaverTitle).empty());
}

TEST_F(StartVetoTest, AnAnswerOfZeroLetsItRun) {
    ASSERT_NO_FATAL_FAILURE(StartReadyCompanion(0));
    Probe().WatchMaps();
    ChildProcess& saver = StartProgram({"/s"});
    EXPECT_NE(WaitForSaverWindow(), 0u);
    EXPECT_GE(Probe().MapsSeen(), 1);
    EXPECT_EQ(companion_->ReadLine(1000), "message 1127 0 0");
    EXPECT_TRUE(saver.Running());
}

}  // namespace
}  // namespace app::x11::testing
