#include "framework/Component.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Exceptions.h"

namespace framework {
namespace {

// A component that writes its name to a shared log when it goes.
class TLogged : public TComponent {
  public:
    TLogged(TComponent* owner, std::vector<std::string>& log, std::string label)
        : TComponent(owner), log_(log), label_(std::move(label)) {}
    ~TLogged() override { log_.push_back("~" + label_); }
    void BeforeDestruction() override {
        log_.push_back("before " + label_);
        if (whileGoing) {
            whileGoing();
        }
        if (fails) {
            throw base::Exception(label_ + " fails");
        }
    }
    bool fails = false;
    std::function<void()> whileGoing;  // runs in BeforeDestruction

  private:
    std::vector<std::string>& log_;
    std::string label_;
};

TEST(ComponentTest, OneComponentCanBeDestroyedEarlyOrHandedOver) {
    std::vector<std::string> log;
    TComponent owner(nullptr);
    auto* a = NewComponent<TLogged>(owner, log, "a");
    auto* b = NewComponent<TLogged>(owner, log, "b");
    owner.DestroyComponent(a);
    EXPECT_EQ(log, (std::vector<std::string>{"before a", "~a"}));
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
    EXPECT_THROW(owner.Components(1), base::EListError);
    EXPECT_THROW(owner.Components(-1), base::EListError);
    std::unique_ptr<TComponent> taken = owner.RemoveComponent(b);
    EXPECT_EQ(taken.get(), b);
    EXPECT_EQ(b->Owner(), nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(owner.RemoveComponent(b), nullptr);
    owner.DestroyComponent(b);  // not owned any more: nothing happens
    EXPECT_EQ(log.size(), 2u);
}

// A component whose BeforeDestruction fails goes all the same, with its own components and
// its siblings; the first failure comes once all are gone.
TEST(ComponentTest, AFailureBeforeDestructionKeepsNothingAliveAndComesAfterwards) {
    std::vector<std::string> log;
    TComponent owner(nullptr);
    NewComponent<TLogged>(owner, log, "a")->fails = true;
    auto* b = NewComponent<TLogged>(owner, log, "b");
    NewComponent<TLogged>(*b, log, "b1")->fails = true;
    b->fails = true;
    try {
        owner.DestroyComponents();
        FAIL() << "the failures were lost";
    } catch (const base::Exception& e) {
        EXPECT_STREQ(e.what(), "b fails");
    }
    std::vector<std::string> expected = {"before b", "before b1", "~b1", "~b", "before a", "~a"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

// The owner's components destroyed from inside one of them going: that one is left to the
// destruction under way, the others go.
TEST(ComponentTest, DestroyingAllFromInsideOneThatGoesLeavesThatOneToItsDestruction) {
    std::vector<std::string> log;
    TComponent owner(nullptr);
    NewComponent<TLogged>(owner, log, "a");
    auto* b = NewComponent<TLogged>(owner, log, "b");
    b->whileGoing = [&owner] { owner.DestroyComponents(); };
    owner.DestroyComponent(b);
    EXPECT_EQ(log, (std::vector<std::string>{"before b", "before a", "~a", "~b"}));
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(ComponentTest, NamesAreUniqueAmongTheComponentsOfOneOwner) {
    TComponent owner(nullptr);
    auto* first = NewComponent<TComponent>(owner);
    first->SetName("timerNextLeaf");
    auto* second = NewComponent<TComponent>(owner);
    EXPECT_THROW(second->SetName("TimerNextLeaf"), base::Exception);
    first->SetName("TIMERNEXTLEAF");  // its own name in other letters is no clash
    second->SetName("timerBuildBackground");
    EXPECT_EQ(owner.FindComponent("timernextleaf"), first);
    EXPECT_EQ(owner.FindComponent("missing"), nullptr);
}

TEST(ComponentTest, ACheckedCastToAKindTheObjectIsNotFails) {
    std::vector<std::string> log;
    TComponent owner(nullptr);
    TComponent* logged = NewComponent<TLogged>(owner, log, "a");
    EXPECT_EQ(&CheckedCast<TLogged>(*logged), logged);
    try {
        CheckedCast<TLogged>(owner);
        FAIL() << "the cast succeeded";
    } catch (const base::EConvertError& e) {
        EXPECT_STREQ(e.what(), "Invalid class typecast");
    }
}

}  // namespace
}  // namespace framework
