// A stand-in for the "StartScreensaver" program: a window of class "TfrmStartScreensaver"
// titled "StartScreensaver" that answers message 1127 with the number given on the command
// line. It prints "ready 0x<window>" once the window exists and one line "message 1127
// <wParam> <lParam>" for each such message another program sends it; SIGTERM ends it.
#include "platform/platform.h"

#include <charconv>
#include <cstdio>
#include <string>

#include "platform/x11/X11Backend.h"

namespace {

constexpr platform::UINT kStartQuery = platform::WM_USER + 103;

bool ParseAnswer(const char* text, platform::LRESULT& answer) {
    std::string value = text;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), answer);
    return !value.empty() && error == std::errc() && end == value.data() + value.size();
}

platform::LRESULT CompanionProc(platform::LRESULT answer, platform::HWND hwnd,
                                platform::UINT message, platform::WPARAM wParam,
                                platform::LPARAM lParam) {
    if (message == kStartQuery) {
        std::printf("message %u %u %d\n", message, wParam, lParam);
        std::fflush(stdout);
        return answer;
    }
    if (message == platform::WM_DESTROY) {
        platform::PostQuitMessage(0);
        return 0;
    }
    return platform::DefWindowProcA(hwnd, message, wParam, lParam);
}

int Run(platform::LRESULT answer) {
    platform::x11::X11Backend backend;
    platform::WNDCLASS windowClass;
    windowClass.lpszClassName = "TfrmStartScreensaver";
    windowClass.lpfnWndProc = [answer](platform::HWND hwnd, platform::UINT message,
                                       platform::WPARAM wParam, platform::LPARAM lParam) {
        return CompanionProc(answer, hwnd, message, wParam, lParam);
    };
    platform::RegisterClassA(windowClass);
    platform::HWND hwnd = platform::CreateWindowExA(0, "TfrmStartScreensaver", "StartScreensaver",
                                                    platform::WS_POPUP, 0, 0, 1, 1, 0);
    if (hwnd == 0) {
        std::fprintf(stderr, "x11companion: cannot make the window\n");
        return 1;
    }
    platform::FindWindowA(nullptr, nullptr);  // a round trip: the window is known to the server
    std::printf("ready 0x%x\n", hwnd);
    std::fflush(stdout);
    platform::MSG msg;
    while (platform::GetMessageA(msg)) {
        platform::TranslateMessage(msg);
        platform::DispatchMessageA(msg);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    platform::LRESULT answer = 0;
    if (argc != 2 || !ParseAnswer(argv[1], answer)) {
        std::fprintf(stderr, "usage: %s <answer to message 1127, a 32-bit integer>\n", argv[0]);
        return 2;
    }
    try {
        return Run(answer);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "x11companion: %s\n", error.what());
        return 1;
    }
}
