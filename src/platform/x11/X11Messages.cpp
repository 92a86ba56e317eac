// The message loop, timers and the default window procedure of the X backend.
#include "platform/x11/X11Backend.h"

#include <poll.h>

#include <algorithm>

#include "platform/DefaultAnswers.h"
#include "platform/x11/MonotonicClock.h"

namespace platform::x11 {
namespace {

// How late a timer's tick may come so that ticks due close together share one wake-up (and
// one flush): the platform's own timers are no finer than this. A tick held back keeps its
// timer's pace.
constexpr uint64_t kTimerTolerance = 10;

}  // namespace

MSG X11Backend::MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
    return MSG{hwnd, message, wParam, lParam, TickCountFrom(MonotonicMilliseconds())};
}

// A failure of another program's request, answered while looking, comes out here when no
// message is taken, as on the platform; GetMessageA leaves it to the dispatch that follows.
bool X11Backend::PeekMessageA(MSG& msg) {
    if (TakeMessage(msg)) {
        return true;
    }
    procedureFailure_.RethrowIfAny();
    return false;
}

// One turn of the loop: what was drawn since the last turn goes out in one flush, which the
// reading of the server's events makes (PumpEvents).
bool X11Backend::TakeMessage(MSG& msg) {
    PumpEvents();
    if (!queue_.empty()) {
        lastTaken_ = queue_.front();
        queue_.pop_front();
        msg = lastTaken_->msg;
        return true;
    }
    lastTaken_.reset();
    if (quitPending_) {
        quitPending_ = false;
        msg = MakeMessage(0, WM_QUIT, static_cast<WPARAM>(quitExitCode_), 0);
        return true;
    }
    return TakePaint(msg) || TakeTimer(msg);
}

bool X11Backend::GetMessageA(MSG& msg) {
    while (!TakeMessage(msg)) {
        WaitForEvents();
    }
    return msg.message != WM_QUIT;
}

// Sleeps until the X connection or the signal pipe has something, or the next timer is due.
// It follows a turn that found nothing: that turn flushed what was drawn and read what had
// come, and nothing has been drawn since, so the wait goes straight to sleep.
void X11Backend::WaitForEvents() {
    if (XQLength(connection_.Get()) > 0) {
        return;
    }
    std::optional<uint64_t> due = timers_.WakeTime(kTimerTolerance);
    if (std::optional<uint64_t> grab = NextGrabAttempt()) {
        due = std::min(due.value_or(*grab), *grab);
    }
    int timeout = -1;
    if (due) {
        uint64_t now = MonotonicMilliseconds();
        timeout = *due <= now ? 0 : static_cast<int>(std::min<uint64_t>(*due - now, 60000));
    }
    pollfd fds[2] = {{connection_.Fd(), POLLIN, 0}, {signals_.ReadFd(), POLLIN, 0}};
    poll(fds, 2, timeout);
}

bool X11Backend::TakeTimer(MSG& msg) {
    std::optional<DueTimer> due = timers_.TakeDue(MonotonicMilliseconds(), kTimerTolerance);
    if (!due) {
        return false;
    }
    msg = MakeMessage(due->hwnd, WM_TIMER, due->id, 0);
    return true;
}

void X11Backend::TranslateMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !lastTaken_ || lastTaken_->character == 0) {
        return;
    }
    const MSG& taken = lastTaken_->msg;
    if (taken.hwnd == msg.hwnd && taken.message == msg.message && taken.wParam == msg.wParam &&
        taken.lParam == msg.lParam && taken.time == msg.time) {
        auto character = static_cast<WPARAM>(static_cast<unsigned char>(lastTaken_->character));
        queue_.push_front({MakeMessage(msg.hwnd, WM_CHAR, character, msg.lParam), 0});
    }
}

// After the message, a failure held from the reading of events comes out.
LRESULT X11Backend::DispatchMessageA(const MSG& msg) {
    LRESULT result = DispatchToProcedure(msg);
    procedureFailure_.RethrowIfAny();
    return result;
}

LRESULT X11Backend::DispatchToProcedure(const MSG& msg) {
    if (msg.message == WM_TIMER) {
        return DispatchTimer(msg);
    }
    if (msg.hwnd == 0 || Find(msg.hwnd) == nullptr) {
        return 0;
    }
    LRESULT result = CallProc(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    X11Window* window = Find(msg.hwnd);
    if (msg.message == WM_PAINT && window != nullptr) {
        window->paint.Validate();
    }
    return result;
}

LRESULT X11Backend::DispatchTimer(const MSG& msg) {
    DispatchTimerMessage(timers_, msg, GetTickCount(),
                         [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
                             return CallProc(hwnd, message, wParam, lParam);
                         });
    return 0;
}

void X11Backend::PostQuitMessage(int exitCode) {
    quitPending_ = true;
    quitExitCode_ = exitCode;
}

// A message for another program's window is sent without waiting for an answer.
bool X11Backend::PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == 0 || Find(hwnd) != nullptr) {
        queue_.push_back({MakeMessage(hwnd, message, wParam, lParam), 0});
        return true;
    }
    return SendRequest(hwnd, message, wParam, lParam, 0);
}

LRESULT X11Backend::SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Find(hwnd) != nullptr) {
        return CallProc(hwnd, message, wParam, lParam);
    }
    uint32_t serial = ++sendSerial_;
    if (serial == 0) {
        serial = ++sendSerial_;  // 0 means "no answer wanted"
    }
    if (!SendRequest(hwnd, message, wParam, lParam, serial)) {
        return 0;
    }
    // Requests answered meanwhile may fail; as on the platform, that comes out here.
    LRESULT result = AwaitReply(serial);
    procedureFailure_.RethrowIfAny();
    return result;
}

LRESULT X11Backend::DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    X11Window* window = Find(hwnd);
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
    return 0;
}

uint32_t X11Backend::SetTimer(HWND hwnd, uint32_t idEvent, uint32_t elapse, TIMERPROC proc) {
    if (hwnd != 0 && Find(hwnd) == nullptr) {
        return 0;
    }
    if (hwnd == 0 && !proc) {
        return 0;  // a thread timer without a procedure could reach nobody
    }
    uint32_t id = timers_.Set(hwnd, idEvent, elapse, std::move(proc), MonotonicMilliseconds());
    return id == 0 ? 1 : id;
}

bool X11Backend::KillTimer(HWND hwnd, uint32_t idEvent) {
    return timers_.Kill(hwnd, idEvent);
}

uint32_t X11Backend::GetTickCount() {
    return TickCountFrom(MonotonicMilliseconds());
}

}  // namespace platform::x11
