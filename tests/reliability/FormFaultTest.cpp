// An exception that escapes any of a form's event handlers reaches the error box (stop icon,
// OK, the application's title as caption, the message and a full stop) and the program goes
// on: later timer ticks come, later input is handled.

#include <gtest/gtest.h>

#include "base/Exceptions.h"
#include "framework/Application.h"
#include "framework/Timer.h"
#include "platform/headless/HeadlessBackend.h"

namespace reliability {
namespace {

using framework::TComponent;
using framework::TShiftState;

constexpr const char* kTitle = "Vellamor Autumn";

// A form whose OnCreate fails: the handler is in place before CreateForm runs it.
class FailingCreateForm : public framework::TForm {
  public:
    explicit FailingCreateForm(TComponent* owner) : TForm(owner) {
        OnCreate = [](TComponent&) { throw base::EFrame("Creation went wrong"); };
    }
};

class FormFaultTest : public ::testing::Test {
  protected:
    FormFaultTest() {
        application.SetTitle(kTitle);
        heartbeat = framework::NewComponent<framework::TTimer>(application);
        heartbeat->SetInterval(50);
        heartbeat->OnTimer = [this](TComponent&) { ++beats; };
    }

    template <class Form = framework::TForm>
    Form& MakeForm() {
        Form* made = application.CreateForm<Form>();
        made->OnKeyDown = [this](TComponent&, uint16_t&, TShiftState) { ++keys; };
        return *made;
    }

    void ExpectOneErrorBox(const std::string& message) {
        ASSERT_EQ(backend.MessageBoxes().size(), 1u);
        const platform::headless::MessageBoxRecord& box = backend.MessageBoxes()[0];
        EXPECT_EQ(box.caption, kTitle);
        EXPECT_EQ(box.text, message + ".");
        EXPECT_EQ(box.type, platform::MB_OK | platform::MB_ICONSTOP);
    }

    // Runs the message loop for 300 ms of virtual time, with a key for the form at 200 ms
    // (after every fault of these tests); then one error box showed `message`, the timer still
    // ticked and the last key still reached the form.
    void RunAndExpectOneFault(framework::TForm& form, const std::string& message) {
        int keysBeforeLastKey = -1;
        int beatsAtLastKey = 0;
        backend.Schedule(200, [&] {
            keysBeforeLastKey = keys;
            beatsAtLastKey = beats;
            backend.InjectKeyDown(form.Handle(), 'K');
        });
        backend.Schedule(300, [] { platform::PostQuitMessage(0); });
        application.Run();
        ExpectOneErrorBox(message);
        EXPECT_EQ(backend.Now(), 300u) << "the loop ran to its planned end";
        EXPECT_GE(beats, 5);
        EXPECT_GE(beatsAtLastKey, 3);
        EXPECT_EQ(keys, keysBeforeLastKey + 1);
    }

    platform::headless::HeadlessBackend backend;
    framework::TApplication application;
    framework::TTimer* heartbeat = nullptr;
    int beats = 0;
    int keys = 0;
};

TEST_F(FormFaultTest, CreateEvent) {
    FailingCreateForm* form = nullptr;
    ASSERT_NO_THROW(form = &MakeForm<FailingCreateForm>());
    ExpectOneErrorBox("Creation went wrong");
    form->Show();
    RunAndExpectOneFault(*form, "Creation went wrong");
}

TEST_F(FormFaultTest, ShowEvent) {
    framework::TForm& form = MakeForm();
    form.OnShow = [](TComponent&) { throw base::ESprite("Showing went wrong"); };
    ASSERT_NO_THROW(form.Show());
    ExpectOneErrorBox("Showing went wrong");
    EXPECT_EQ(backend.MessageBoxes()[0].owner, form.Handle());
    RunAndExpectOneFault(form, "Showing went wrong");
}

TEST_F(FormFaultTest, KeyDownEvent) {
    framework::TForm& form = MakeForm();
    form.OnKeyDown = [this](TComponent&, uint16_t& key, TShiftState) {
        if (key == 'X') {
            throw base::EListError("List index out of bounds (7)");
        }
        ++keys;
    };
    form.Show();
    backend.InjectKeyDown(form.Handle(), 'X');
    RunAndExpectOneFault(form, "List index out of bounds (7)");
}

TEST_F(FormFaultTest, MouseDownEvent) {
    framework::TForm& form = MakeForm();
    form.OnMouseDown = [](TComponent&, framework::TMouseButton, TShiftState, int32_t, int32_t) {
        throw base::EConvertError("Invalid class typecast");
    };
    form.Show();
    backend.InjectMouseDown(form.Handle(), 5, 6);
    RunAndExpectOneFault(form, "Invalid class typecast");
}

TEST_F(FormFaultTest, MouseMoveEvent) {
    framework::TForm& form = MakeForm();
    int moves = 0;
    form.OnMouseMove = [&](TComponent&, TShiftState, int32_t, int32_t) {
        if (++moves == 1) {
            throw base::EReadError("Stream read error");
        }
    };
    form.Show();
    backend.InjectMouseMove(form.Handle(), 1, 1);
    backend.Schedule(20, [&] { backend.InjectMouseMove(form.Handle(), 2, 2); });
    RunAndExpectOneFault(form, "Stream read error");
    EXPECT_EQ(moves, 2) << "the next movement is handled";
}

TEST_F(FormFaultTest, CloseQueryEvent) {
    framework::TForm& form = MakeForm();
    form.OnCloseQuery = [](TComponent&, bool&) { throw base::Exception("Cannot close now"); };
    form.Show();
    platform::PostMessageA(form.Handle(), platform::WM_CLOSE, 0, 0);
    RunAndExpectOneFault(form, "Cannot close now");
    EXPECT_TRUE(form.Visible()) << "a failed close query closes nothing";
}

TEST_F(FormFaultTest, TimerEvent) {
    framework::TForm& form = MakeForm();
    auto* failing = framework::NewComponent<framework::TTimer>(application);
    failing->SetInterval(30);
    int ticks = 0;
    failing->OnTimer = [&](TComponent&) {
        if (++ticks == 2) {
            throw base::EOverflow("Arithmetic overflow");
        }
    };
    form.Show();
    RunAndExpectOneFault(form, "Arithmetic overflow");
    EXPECT_GE(ticks, 9) << "the failing timer itself ticks on";
}

}  // namespace
}  // namespace reliability
