// Messages to and from other programs' windows (docs/x11-protocol.md): a request is a
// ClientMessage of type _VELLAMOR_MESSAGE sent to the window, with the message number, the two
// parameters, the window to answer to and a serial; the answer is a ClientMessage of type
// _VELLAMOR_REPLY sent to that window, with the serial and the result.
#include "platform/x11/X11Backend.h"

#include <poll.h>

#include "platform/x11/MonotonicClock.h"

namespace platform::x11 {
namespace {

struct ProtocolAtoms {
    Atom message;
    Atom reply;
};

// Picks the protocol's own events out of the queue, leaving every other event where it is.
int IsProtocolEvent(Display* /*display*/, XEvent* event, XPointer atoms) {
    const auto* names = reinterpret_cast<const ProtocolAtoms*>(atoms);
    return event->type == ClientMessage && (event->xclient.message_type == names->message ||
                                            event->xclient.message_type == names->reply)
               ? 1
               : 0;
}

}  // namespace

bool X11Backend::SendRequest(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                             uint32_t serial) {
    if (hwnd == 0) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<::Window>(hwnd);
    event.xclient.message_type = connection_.Names().message;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(message);
    event.xclient.data.l[1] = static_cast<long>(wParam);
    event.xclient.data.l[2] = static_cast<long>(lParam);
    event.xclient.data.l[3] = serial == 0 ? 0 : static_cast<long>(replyWindow_);
    event.xclient.data.l[4] = static_cast<long>(serial);
    ErrorTrap trap(connection_.Get());
    // With no event mask the event goes to the program that made the window.
    Status sent = XSendEvent(connection_.Get(), event.xclient.window, 0, NoEventMask, &event);
    return sent != 0 && !trap.Failed();
}

// Requests that come in meanwhile are answered, so two programs asking each other do not wait
// for each other; without an answer in time, or after SIGTERM, the result is 0.
LRESULT X11Backend::AwaitReply(uint32_t serial) {
    Display* display = connection_.Get();
    ProtocolAtoms atoms{connection_.Names().message, connection_.Names().reply};
    uint64_t deadline = MonotonicMilliseconds() + options_.sendTimeoutMs;
    for (;;) {
        XEvent event;
        while (XCheckIfEvent(display, &event, &IsProtocolEvent,
                             reinterpret_cast<XPointer>(&atoms)) != 0) {
            const XClientMessageEvent& client = event.xclient;
            if (client.message_type == atoms.message) {
                AnswerRequest(client);
            } else if (static_cast<uint32_t>(client.data.l[0]) == serial) {
                return static_cast<LRESULT>(client.data.l[1]);
            }
        }
        uint64_t now = MonotonicMilliseconds();
        if (now >= deadline) {
            return 0;
        }
        pollfd fds[2] = {{connection_.Fd(), POLLIN, 0}, {signals_.ReadFd(), POLLIN, 0}};
        poll(fds, 2, static_cast<int>(deadline - now));
        if (signals_.TakeSignal()) {
            PostQuitMessage(0);  // SIGTERM does not wait for the other program
            return 0;
        }
    }
}

// A failing procedure answers 0; its failure comes out of the program's next dispatch.
void X11Backend::AnswerRequest(const XClientMessageEvent& event) {
    auto hwnd = static_cast<HWND>(event.window);
    auto replyTo = static_cast<::Window>(event.data.l[3]);
    auto serial = static_cast<uint32_t>(event.data.l[4]);
    auto reply = [&](LRESULT result) {
        if (replyTo == 0 || serial == 0) {
            return;
        }
        XEvent answer{};
        answer.xclient.type = ClientMessage;
        answer.xclient.window = replyTo;
        answer.xclient.message_type = connection_.Names().reply;
        answer.xclient.format = 32;
        answer.xclient.data.l[0] = static_cast<long>(serial);
        answer.xclient.data.l[1] = static_cast<long>(result);
        answer.xclient.data.l[2] = static_cast<long>(hwnd);
        ErrorTrap trap(connection_.Get());
        XSendEvent(connection_.Get(), replyTo, 0, NoEventMask, &answer);
        XFlush(connection_.Get());
    };
    if (Find(hwnd) == nullptr) {
        reply(0);
        return;
    }
    LRESULT result = 0;
    try {
        result =
            CallProc(hwnd, static_cast<UINT>(event.data.l[0]), static_cast<WPARAM>(event.data.l[1]),
                     static_cast<LPARAM>(event.data.l[2]));
    } catch (...) {
        procedureFailure_.Hold();
    }
    reply(result);
}

}  // namespace platform::x11
