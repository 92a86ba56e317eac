#include "driver/WindowQuery.h"

namespace driver {
namespace {

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

std::string ReadText(int(WINAPI* get)(HWND, LPSTR, int), HWND hwnd) {
    char text[512] = {};
    int length = get(hwnd, text, static_cast<int>(sizeof(text)));
    return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

WindowFacts FactsOf(HWND hwnd) {
    WindowFacts facts;
    facts.hwnd = hwnd;
    facts.className = ReadText(&GetClassNameA, hwnd);
    facts.title = ReadText(&GetWindowTextA, hwnd);
    GetWindowRect(hwnd, &facts.bounds);
    facts.style = GetWindowLongA(hwnd, GWL_STYLE);
    facts.exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    facts.visible = IsWindowVisible(hwnd) != 0;
    GetWindowThreadProcessId(hwnd, &facts.processId);
    return facts;
}

std::vector<WindowFacts> TopLevelWindows() {
    std::vector<HWND> handles;
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&handles));
    std::vector<WindowFacts> windows;
    for (HWND hwnd : handles) {
        windows.push_back(FactsOf(hwnd));
    }
    return windows;
}

std::optional<WindowFacts> FindTopLevel(DWORD processId, const std::string& title,
                                        const std::string& className) {
    for (const WindowFacts& facts : TopLevelWindows()) {
        bool process = processId == 0 || facts.processId == processId;
        bool kind = className.empty() || facts.className == className;
        if (process && kind && facts.title == title) {
            return facts;
        }
    }
    return std::nullopt;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::optional<WindowFacts> WaitForTopLevel(DWORD processId, const std::string& title,
                                           DWORD timeoutMs, const std::string& className) {
    std::optional<WindowFacts> found;
    WaitUntil([&] { return (found = FindTopLevel(processId, title, className)).has_value(); },
              timeoutMs);
    return found;
}

uint32_t ShownPixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return (static_cast<uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

}  // namespace driver
