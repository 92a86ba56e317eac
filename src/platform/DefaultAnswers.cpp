#include "platform/DefaultAnswers.h"

namespace platform {

LRESULT EraseBackground(const PaintState& paint, const gfx::Rect& client, gfx::Bitmap* surface,
                        const std::optional<gfx::Pixel>& brush) {
    if (!brush || surface == nullptr) {
        return 0;
    }
    surface->FillRect(paint.EraseArea(client), *brush);
    return 1;
}

std::optional<LRESULT> DefaultAnswer(Backend& backend, HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            backend.DestroyWindow(hwnd);
            return 0;
        case WM_PAINT:
            backend.EndPaint(hwnd, backend.BeginPaint(hwnd));
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (lParam & kAltDownFlag) != 0) {
                backend.PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0u) == SC_CLOSE) {
                backend.SendMessageA(hwnd, WM_CLOSE, 0, 0);
                return 0;
            }
            return std::nullopt;
        case WM_QUERYENDSESSION:
            return 1;
        default:
            return std::nullopt;
    }
}

}  // namespace platform
