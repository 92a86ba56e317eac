#include "host/Preview.h"

#include "base/Random.h"
#include "host/SaverMode.h"

namespace host {
namespace {

PreviewState previewState;

gfx::Rect PreviewRectangle(bool standalone) {
    if (standalone) {
        return {0, 0, kPreviewAreaWidth, kPreviewAreaHeight};
    }
    const gfx::Rect parent = platform::GetWindowRect(ParentWindow());
    return {0, 0, parent.Width(), parent.Height()};
}

uint32_t PreviewStyle(bool standalone) {
    if (standalone) {
        return platform::WS_POPUP;
    }
    return platform::WS_CHILD | platform::WS_VISIBLE | platform::WS_DISABLED;
}

// Takes the icons and places them at random in the area.
void StartPreview(platform::HWND window) {
    previewState.window = window;
    platform::SetTimer(window, kPreviewTimerId, kPreviewTimerPeriod, PreviewTimerProc);
    base::Randomize();
    for (int i = 0; i < kPreviewIconCount; ++i) {
        previewState.PreviewIcon[static_cast<size_t>(i)] =
            platform::ExtractIconA(static_cast<uint32_t>(i + 1));
        const int32_t x = base::Random(kPreviewAreaWidth);
        const int32_t y = base::Random(kPreviewAreaHeight);
        previewState.IconPos[static_cast<size_t>(i)] = {x, y};
    }
}

void StopWatchingParent() {
    if (previewState.parentWatch != 0) {
        platform::KillTimer(0, previewState.parentWatch);
        previewState.parentWatch = 0;
    }
}

void StopPreview(platform::HWND window) {
    platform::KillTimer(window, kPreviewTimerId);
    StopWatchingParent();
    platform::PostQuitMessage(0);
}

// Paints through the window's surface, drawing only inside the area being painted.
void PaintWindow(platform::HWND window) {
    const platform::PAINTSTRUCT paint = platform::BeginPaint(window);
    gfx::Canvas& dc = platform::WindowSurface(window).GetCanvas();
    const std::optional<gfx::Rect> clip = dc.ClipRect();
    dc.SetClipRect(paint.rcPaint);
    PaintPreview(window, dc);
    dc.SetClipRect(clip);
    platform::EndPaint(window, paint);
}

void RunMessageLoop() {
    platform::MSG msg;
    while (platform::GetMessageA(msg)) {
        platform::TranslateMessage(msg);
        platform::DispatchMessageA(msg);
    }
}

}  // namespace

PreviewState& Preview() {
    return previewState;
}

platform::WNDCLASS PreviewWindowClass(bool standalone) {
    platform::WNDCLASS windowClass;
    windowClass.style = standalone ? 0 : platform::CS_PARENTDC;
    windowClass.lpfnWndProc = PreviewWndProc;
    windowClass.cursor = platform::CursorShape::Arrow;
    windowClass.background = gfx::kBlack;
    windowClass.lpszClassName = kPreviewClass;
    return windowClass;
}

void RunPreview(bool standalone) {
    if (!platform::RegisterClassA(PreviewWindowClass(standalone))) {
        return;
    }
    previewState.previewRect = PreviewRectangle(standalone);
    previewState.window = 0;
    const platform::HWND parent = standalone ? 0 : ParentWindow();
    const platform::HWND window = platform::CreateWindowExA(
        0, kPreviewClass, kPreviewTitle, PreviewStyle(standalone), 0, 0,
        previewState.previewRect.Width(), previewState.previewRect.Height(), parent);
    if (window == 0) {
        return;
    }
    if (!standalone) {
        previewState.parentWatch = platform::SetTimer(0, 0, kParentWatchPeriod, WatchParent);
    }
    platform::ShowWindow(window, platform::SW_SHOW);
    platform::UpdateWindow(window);
    RunMessageLoop();
    StopWatchingParent();
}

platform::LRESULT PreviewWndProc(platform::HWND window, platform::UINT message,
                                 platform::WPARAM wParam, platform::LPARAM lParam) {
    switch (message) {
        case platform::WM_CREATE:
            StartPreview(window);
            return 0;
        case platform::WM_PAINT:
            PaintWindow(window);
            return 0;
        case platform::WM_CLOSE:
        case platform::WM_DESTROY:
            StopPreview(window);
            return 0;
        default:
            return platform::DefWindowProcA(window, message, wParam, lParam);
    }
}

void PreviewTimerProc(platform::HWND window, platform::UINT /*message*/, uint32_t timerId,
                      uint32_t /*time*/) {
    if (timerId == kPreviewTimerId) {
        platform::InvalidateRect(window, nullptr, true);
    }
}

void WatchParent(platform::HWND, platform::UINT /*message*/, uint32_t /*timerId*/,
                 uint32_t /*time*/) {
    if (!platform::IsWindow(ParentWindow())) {
        StopPreview(previewState.window);
    }
}

void PaintPreview(platform::HWND /*window*/, gfx::Canvas& dc) {
    for (int i = 1; i <= kPreviewIconCount; ++i) {
        IconPosition& position = previewState.IconPos[static_cast<size_t>(i - 1)];
        platform::DrawIcon(dc, position.x, position.y,
                           previewState.PreviewIcon[static_cast<size_t>(i - 1)]);
        position.x -= 2 * i + 3;
        if (position.x < 0) {
            position.x = kPreviewAreaWidth;
            position.y = base::Random(kPreviewAreaHeight);
        }
    }
}

}  // namespace host
