// The message loop, timers and input of the headless backend.
#include "platform/headless/HeadlessBackend.h"

#include "base/Exceptions.h"
#include "platform/DefaultAnswers.h"

namespace platform::headless {
namespace {

// The character TranslateMessage makes of a key, or 0 for a key that gives none.
char CharacterOf(WPARAM virtualKey) {
    bool control = virtualKey == VK_BACK || virtualKey == VK_TAB || virtualKey == VK_RETURN ||
                   virtualKey == VK_ESCAPE || virtualKey == VK_SPACE;
    bool digit = virtualKey >= '0' && virtualKey <= '9';
    if (control || digit) {
        return static_cast<char>(virtualKey);
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        return static_cast<char>(virtualKey - 'A' + 'a');
    }
    return 0;
}

WPARAM ButtonFlag(MouseButton button) {
    switch (button) {
        case MouseButton::Right:
            return MK_RBUTTON;
        case MouseButton::Middle:
            return MK_MBUTTON;
        case MouseButton::XButton1:
            return XButtonDownFlags(XBUTTON1);
        case MouseButton::XButton2:
            return XButtonDownFlags(XBUTTON2);
        case MouseButton::Left:
            break;
    }
    return MK_LBUTTON;
}

UINT ButtonMessage(MouseButton button) {
    switch (button) {
        case MouseButton::Right:
            return WM_RBUTTONDOWN;
        case MouseButton::Middle:
            return WM_MBUTTONDOWN;
        case MouseButton::XButton1:
        case MouseButton::XButton2:
            return WM_XBUTTONDOWN;
        case MouseButton::Left:
            break;
    }
    return WM_LBUTTONDOWN;
}

}  // namespace

MSG HeadlessBackend::MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
    return MSG{hwnd, message, wParam, lParam, clock_.TickCount()};
}

bool HeadlessBackend::PeekMessageA(MSG& msg) {
    clock_.RunDueActions();
    if (!queue_.empty()) {
        msg = queue_.front();
        queue_.pop_front();
        return true;
    }
    if (quitPending_) {
        quitPending_ = false;
        quitCode_ = quitExitCode_;
        msg = MakeMessage(0, WM_QUIT, static_cast<WPARAM>(quitExitCode_), 0);
        return true;
    }
    return TakePaint(msg) || TakeTimer(msg);
}

bool HeadlessBackend::TakePaint(MSG& msg) {
    HWND hwnd = windows_.FirstInvalid();
    if (hwnd == 0) {
        return false;
    }
    msg = MakeMessage(hwnd, WM_PAINT, 0, 0);
    return true;
}

bool HeadlessBackend::TakeTimer(MSG& msg) {
    std::optional<DueTimer> due = timers_.TakeDue(clock_.Now());
    if (!due) {
        return false;
    }
    msg = MakeMessage(due->hwnd, WM_TIMER, due->id, 0);
    return true;
}

std::optional<uint64_t> HeadlessBackend::NextEventTime() const {
    std::optional<uint64_t> timer = timers_.NextDue();
    std::optional<uint64_t> action = clock_.NextActionTime();
    if (timer && action) {
        return std::min(*timer, *action);
    }
    return timer ? timer : action;
}

bool HeadlessBackend::GetMessageA(MSG& msg) {
    while (!PeekMessageA(msg)) {
        std::optional<uint64_t> next = NextEventTime();
        if (!next) {
            throw base::Exception(
                "GetMessageA: the headless message loop would wait forever: no message is "
                "pending and no timer or scheduled action is left");
        }
        clock_.AdvanceTo(*next);
    }
    return msg.message != WM_QUIT;
}

bool HeadlessBackend::RunFor(uint64_t milliseconds) {
    MSG quit;
    return RunUntil(clock_.Now() + milliseconds, nullptr, quit);
}

bool HeadlessBackend::RunUntil(uint64_t end, HeldException* failures, MSG& msg) {
    for (;;) {
        while (PeekMessageA(msg)) {
            if (msg.message == WM_QUIT) {
                return false;
            }
            try {
                TranslateMessage(msg);
                DispatchMessageA(msg);
            } catch (...) {
                if (failures == nullptr) {
                    throw;
                }
                failures->Hold();
            }
        }
        std::optional<uint64_t> next = NextEventTime();
        if (!next || *next > end) {
            clock_.AdvanceTo(end);
            return true;
        }
        clock_.AdvanceTo(*next);
    }
}

void HeadlessBackend::TranslateMessage(const MSG& msg) {
    char character = msg.message == WM_KEYDOWN ? CharacterOf(msg.wParam) : 0;
    if (character != 0) {
        queue_.push_front(MakeMessage(msg.hwnd, WM_CHAR, static_cast<WPARAM>(character), 0));
    }
}

LRESULT HeadlessBackend::DispatchMessageA(const MSG& msg) {
    if (msg.message == WM_TIMER) {
        return DispatchTimer(msg);
    }
    if (msg.hwnd == 0 || !IsWindow(msg.hwnd)) {
        return 0;
    }
    LRESULT result = CallProc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    HeadlessWindow* window = windows_.Find(msg.hwnd);
    if (msg.message == WM_PAINT && window != nullptr) {
        window->paint.Validate();
    }
    return result;
}

LRESULT HeadlessBackend::DispatchTimer(const MSG& msg) {
    DispatchTimerMessage(timers_, msg, clock_.TickCount(),
                         [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
                             return CallProc(hwnd, message, wParam, lParam);
                         });
    return 0;
}

void HeadlessBackend::PostQuitMessage(int exitCode) {
    quitPending_ = true;
    quitExitCode_ = exitCode;
}

bool HeadlessBackend::PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd != 0 && !IsWindow(hwnd)) {
        return false;
    }
    queue_.push_back(MakeMessage(hwnd, message, wParam, lParam));
    return true;
}

LRESULT HeadlessBackend::SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallProc(hwnd, message, wParam, lParam);
}

LRESULT HeadlessBackend::DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr) {
        return 0;
    }
    if (std::optional<LRESULT> answer = DefaultAnswer(*this, hwnd, message, wParam, lParam)) {
        return *answer;
    }
    if (message == WM_ERASEBKGND) {
        return EraseBackground(window->paint, GetClientRect(hwnd), window->surface.get(),
                               window->background);
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0u) == SC_SCREENSAVE) {
        ++screenSaveRequests_;
    }
    return 0;
}

uint32_t HeadlessBackend::SetTimer(HWND hwnd, uint32_t idEvent, uint32_t elapse, TIMERPROC proc) {
    if (hwnd != 0 && !IsWindow(hwnd)) {
        return 0;
    }
    if (hwnd == 0 && !proc) {
        return 0;  // a thread timer without a procedure could reach nobody
    }
    uint32_t id = timers_.Set(hwnd, idEvent, elapse, std::move(proc), clock_.Now());
    return id == 0 ? 1 : id;
}

bool HeadlessBackend::KillTimer(HWND hwnd, uint32_t idEvent) {
    return timers_.Kill(hwnd, idEvent);
}

bool HeadlessBackend::QueueInput(HWND hwnd, UINT message, WPARAM wParam, int32_t x, int32_t y) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    while (window != nullptr && !window->enabled) {
        x += window->bounds.left;
        y += window->bounds.top;
        window = (window->style & WS_CHILD) != 0 ? windows_.Find(window->parent) : nullptr;
    }
    if (window == nullptr) {
        return false;
    }
    queue_.push_back(MakeMessage(window->hwnd, message, wParam, MakeLParam(x, y)));
    return true;
}

bool HeadlessBackend::QueueKey(HWND hwnd, UINT message, WPARAM virtualKey, bool altDown) {
    const HeadlessWindow* window = windows_.Find(hwnd);
    if (window == nullptr || !window->enabled) {
        return false;
    }
    queue_.push_back(MakeMessage(hwnd, message, virtualKey, altDown ? kAltDownFlag : 0));
    return true;
}

bool HeadlessBackend::InjectKeyDown(HWND hwnd, WPARAM virtualKey, bool altDown) {
    return QueueKey(hwnd, altDown ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, altDown);
}

bool HeadlessBackend::InjectKeyUp(HWND hwnd, WPARAM virtualKey, bool altDown) {
    return QueueKey(hwnd, altDown ? WM_SYSKEYUP : WM_KEYUP, virtualKey, altDown);
}

bool HeadlessBackend::InjectMouseDown(HWND hwnd, int32_t x, int32_t y, MouseButton button) {
    return QueueInput(hwnd, ButtonMessage(button), ButtonFlag(button), x, y);
}

bool HeadlessBackend::InjectMouseUp(HWND hwnd, int32_t x, int32_t y) {
    return QueueInput(hwnd, WM_LBUTTONUP, 0, x, y);
}

bool HeadlessBackend::InjectMouseMove(HWND hwnd, int32_t x, int32_t y, bool leftHeld) {
    return QueueInput(hwnd, WM_MOUSEMOVE, leftHeld ? MK_LBUTTON : 0, x, y);
}

}  // namespace platform::headless
