// A program on the Win32 backend for the driver's tests, standing in for the screensaver:
//   probe saver           a full-screen top-most window titled "Vellamor Autumn" with a block
//                         moving on a timer; a key, a button or a second mouse position ends it
//                         with exit code 0; ends at once when such a window exists already or
//                         when the companion window vetoes with a non-zero answer to 1127
//   probe child <handle>  a "TavrinPreviewClass" child filling the given window, drawing the
//                         leaf icons 1 to 5 over black; ends when that window is destroyed
//   probe ask             exits with the companion window's answer to message 1127 (255: none)
//   probe parent          a visible pop-up titled "Probe parent" at (100, 100), 200 x 150, that
//                         runs until its program is ended from outside (a stand-in for the
//                         desktop's settings dialog, whose preview area holds a saver's preview)
#include <cstdlib>
#include <iostream>
#include <string>

#include "base/Exceptions.h"
#include "platform/platform.h"
#include "platform/win32/Win32Backend.h"

namespace {

using namespace platform;

constexpr UINT kCompanionMessage = WM_USER + 103;
constexpr gfx::Pixel kSaverColour = 0x204080;
constexpr int32_t kBlockSize = 32;
constexpr int32_t kBlockTop = 100;
constexpr int32_t kIconSpacing = 40;

struct SaverState {
    HWND hwnd = 0;
    int32_t blockX = 0;
    bool mouseSeen = false;
    int32_t mouseX = 0;
    int32_t mouseY = 0;
};
SaverState saver;

void FillRect(gfx::Bitmap& surface, const gfx::Rect& rect, gfx::Pixel colour) {
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        for (int32_t x = rect.left; x < rect.right; ++x) {
            surface.SetPixel(x, y, colour);
        }
    }
}

void EndSaver() {
    uint32_t previous = 0;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 0, &previous, 0);
    KillTimer(saver.hwnd, 1);
    SetCursor(CursorShape::Arrow);
    PostQuitMessage(0);
}

void MoveBlock() {
    gfx::Bitmap& surface = WindowSurface(saver.hwnd);
    gfx::Rect old = gfx::RectFromSize(saver.blockX, kBlockTop, kBlockSize, kBlockSize);
    FillRect(surface, old, kSaverColour);
    PresentRect(saver.hwnd, old);
    saver.blockX = (saver.blockX + 16) % std::max(surface.Width() - kBlockSize, 1);
    gfx::Rect now = gfx::RectFromSize(saver.blockX, kBlockTop, kBlockSize, kBlockSize);
    FillRect(surface, now, gfx::kWhite);
    PresentRect(saver.hwnd, now);
}

void MouseMoved(LPARAM lParam) {
    int32_t x = XFromLParam(lParam);
    int32_t y = YFromLParam(lParam);
    if (!saver.mouseSeen) {
        saver.mouseSeen = true;
        saver.mouseX = x;
        saver.mouseY = y;
    }
    if (x != saver.mouseX || y != saver.mouseY) {
        EndSaver();
    }
}

LRESULT SaverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 0;
        case WM_TIMER:
            MoveBlock();
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            EndSaver();
            return 0;
        case WM_MOUSEMOVE:
            MouseMoved(lParam);
            return 0;
        case WM_CLOSE:
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

bool Vetoed() {
    HWND companion = FindWindowA("TfrmStartScreensaver", "StartScreensaver");
    return companion != 0 && SendMessageA(companion, kCompanionMessage, 0, 0) != 0;
}

int RunSaver() {
    if (FindWindowA(nullptr, "Vellamor Autumn") != 0 || Vetoed()) {
        return 0;
    }
    RegisterClassA(WNDCLASS{0, SaverProc, CursorShape::None, std::nullopt, "TfrmMain"});
    uint32_t previous = 0;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, 1, &previous, 0);
    SetCursor(CursorShape::None);
    saver.hwnd =
        CreateWindowExA(WS_EX_TOPMOST, "TfrmMain", "Vellamor Autumn", WS_POPUP | WS_VISIBLE, 0, 0,
                        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0);
    gfx::Bitmap& surface = WindowSurface(saver.hwnd);
    surface.Fill(kSaverColour);
    PresentRect(saver.hwnd, {0, 0, surface.Width(), surface.Height()});
    SetTimer(saver.hwnd, 1, 40);
    MSG msg;
    while (GetMessageA(msg)) {
        TranslateMessage(msg);
        DispatchMessageA(msg);
    }
    return 0;
}

HICON previewIcons[6] = {};

LRESULT PreviewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetTimer(hwnd, 1, 100, [](HWND window, UINT, uint32_t, uint32_t) {
                InvalidateRect(window, nullptr, true);
            });
            for (uint32_t i = 1; i <= 5; ++i) {
                previewIcons[i] = ExtractIconA(i);
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint = BeginPaint(hwnd);
            for (int32_t i = 1; i <= 5; ++i) {
                DrawIcon(WindowSurface(hwnd).GetCanvas(), 10 + (i - 1) * kIconSpacing, 10,
                         previewIcons[i]);
            }
            EndPaint(hwnd, paint);
            return 0;
        }
        case WM_DESTROY:
            KillTimer(hwnd, 1);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

int RunChild(HWND parent) {
    RegisterClassA(
        WNDCLASS{CS_PARENTDC, PreviewProc, CursorShape::Arrow, gfx::kBlack, "TavrinPreviewClass"});
    gfx::Rect bounds = GetWindowRect(parent);
    HWND hwnd =
        CreateWindowExA(0, "TavrinPreviewClass", "TavrinSaver", WS_CHILD | WS_VISIBLE | WS_DISABLED,
                        0, 0, bounds.Width(), bounds.Height(), parent);
    if (hwnd == 0) {
        return 3;
    }
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(msg)) {
        TranslateMessage(msg);
        DispatchMessageA(msg);
    }
    return 0;
}

int RunParent() {
    RegisterClassA(WNDCLASS{0, DefWindowProcA, CursorShape::Arrow, gfx::kWhite, "ProbeParent"});
    if (CreateWindowExA(0, "ProbeParent", "Probe parent", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150,
                        0) == 0) {
        return 3;
    }
    MSG msg;
    while (GetMessageA(msg)) {
        DispatchMessageA(msg);
    }
    return 0;
}

int RunAsk() {
    HWND companion = FindWindowA("TfrmStartScreensaver", "StartScreensaver");
    return companion == 0 ? 255 : SendMessageA(companion, kCompanionMessage, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        platform::win32::Win32Backend backend;
        std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "saver") {
            return RunSaver();
        }
        if (mode == "child" && argc > 2) {
            return RunChild(static_cast<HWND>(std::strtoul(argv[2], nullptr, 10)));
        }
        if (mode == "ask") {
            return RunAsk();
        }
        if (mode == "parent") {
            return RunParent();
        }
        std::cerr << "probe: unknown mode \"" << mode << "\"\n";
        return 2;
    } catch (const std::exception& failure) {
        std::cerr << "probe: " << failure.what() << "\n";
        return 2;
    }
}
