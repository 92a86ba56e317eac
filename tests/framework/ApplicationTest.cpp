#include "framework/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "base/Exceptions.h"
#include "framework/Timer.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/platform.h"

namespace framework {
namespace {

class ApplicationTest : public ::testing::Test {
  protected:
    platform::headless::HeadlessBackend backend_;
    TApplication application_;
};

// What the error box shows for each kind of handler is checked in tests/reliability; here what
// is particular to the application object. The box goes on dispatching while it is up, as the
// platform's does: a handler that fails meanwhile gets a box of its own after it, and the loop
// goes on to the quit request. Without a main form the boxes have no owner.
TEST_F(ApplicationTest, AFailureWhileTheErrorBoxIsUpGetsABoxOfItsOwnAndTheLoopGoesOn) {
    backend_.SetMessageBoxTime(25);
    auto* timer = NewComponent<TTimer>(application_);
    timer->SetInterval(10);
    int ticks = 0;
    timer->OnTimer = [&](TComponent&) {
        throw std::runtime_error("Tick " + std::to_string(++ticks));
    };
    backend_.Schedule(100, [] { platform::PostQuitMessage(0); });
    EXPECT_NO_THROW(application_.Run());
    EXPECT_GE(backend_.Now(), 100u);
    ASSERT_GE(backend_.MessageBoxes().size(), 3u);
    EXPECT_EQ(backend_.MessageBoxes()[0].text, "Tick 1.") << "any exception, with a full stop";
    EXPECT_EQ(backend_.MessageBoxes()[0].owner, 0u) << "no main form";
    EXPECT_EQ(backend_.MessageBoxes()[1].text, "Tick 2.") << "the first failure while it was up";
    EXPECT_EQ(backend_.MessageBoxes()[2].text, "Tick 4.") << "one kept per box, later ones dropped";
}

TEST_F(ApplicationTest, OnExceptionTakesThePlaceOfTheErrorBox) {
    std::string seen;
    application_.OnException = [&](TComponent&, const std::exception& error) {
        seen = error.what();
    };
    application_.ShowException(base::EFrame("Bad frame"));
    EXPECT_EQ(seen, "Bad frame");
    EXPECT_TRUE(backend_.MessageBoxes().empty());
}

TEST_F(ApplicationTest, ProcessMessagesDispatchesWhatIsPendingAndStopsAtTheQuitRequest) {
    auto* form = application_.CreateForm<TForm>();
    int keys = 0;
    form->OnKeyDown = [&](TComponent&, uint16_t&, TShiftState) { ++keys; };
    form->Show();
    backend_.InjectKeyDown(form->Handle(), 'A');
    application_.ProcessMessages();
    EXPECT_EQ(keys, 1);
    EXPECT_FALSE(application_.Terminated());
    application_.Terminate();
    backend_.InjectKeyDown(form->Handle(), 'B');
    application_.ProcessMessages();
    EXPECT_EQ(keys, 2) << "input before the quit request is still handled";
    EXPECT_TRUE(application_.Terminated());
    application_.Run();  // returns at once
    EXPECT_EQ(backend_.QuitCode(), 0);
}

TEST(ApplicationObjectTest, TheLastApplicationMadeIsCurrentWhileItLives) {
    EXPECT_FALSE(HasApplication());
    EXPECT_THROW(Application(), base::Exception);
    platform::headless::HeadlessBackend backend;
    TApplication outer;
    {
        TApplication inner;
        EXPECT_EQ(&Application(), &inner);
    }
    EXPECT_EQ(&Application(), &outer);
}

}  // namespace
}  // namespace framework
