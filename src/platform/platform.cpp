#include "platform/platform.h"

#include "base/Exceptions.h"
#include "gfx/Raster.h"
#include "platform/Backend.h"

namespace platform {
namespace {

Backend* currentBackend = nullptr;

}  // namespace

Backend& Current() {
    if (currentBackend == nullptr) {
        throw base::Exception("No platform backend is installed");
    }
    return *currentBackend;
}

bool HasBackend() {
    return currentBackend != nullptr;
}

ScopedBackend::ScopedBackend(Backend& backend) : previous_(currentBackend) {
    currentBackend = &backend;
}

ScopedBackend::~ScopedBackend() {
    currentBackend = previous_;
}

bool RegisterClassA(const WNDCLASS& windowClass) {
    return Current().RegisterClassA(windowClass);
}

HWND CreateWindowExA(uint32_t exStyle, const std::string& className, const std::string& title,
                     uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                     HWND parent, WNDPROC proc) {
    return Current().CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                     proc);
}

bool DestroyWindow(HWND hwnd) {
    return Current().DestroyWindow(hwnd);
}

bool IsWindow(HWND hwnd) {
    return Current().IsWindow(hwnd);
}

bool SetWindowTextA(HWND hwnd, const std::string& title) {
    return Current().SetWindowTextA(hwnd, title);
}

std::string GetWindowTextA(HWND hwnd) {
    return Current().GetWindowTextA(hwnd);
}

std::string GetClassNameA(HWND hwnd) {
    return Current().GetClassNameA(hwnd);
}

bool MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height) {
    return Current().MoveWindow(hwnd, x, y, width, height);
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t width, int32_t height,
                  UINT flags) {
    return Current().SetWindowPos(hwnd, insertAfter, x, y, width, height, flags);
}

gfx::Rect GetWindowRect(HWND hwnd) {
    return Current().GetWindowRect(hwnd);
}

gfx::Rect GetClientRect(HWND hwnd) {
    return Current().GetClientRect(hwnd);
}

uint32_t GetWindowLongA(HWND hwnd, int index) {
    return Current().GetWindowLongA(hwnd, index);
}

uint32_t SetWindowLongA(HWND hwnd, int index, uint32_t value) {
    return Current().SetWindowLongA(hwnd, index, value);
}

gfx::Rect AdjustWindowRectEx(const gfx::Rect& client, uint32_t style, uint32_t exStyle) {
    return Current().AdjustWindowRectEx(client, style, exStyle);
}

HWND GetParent(HWND hwnd) {
    return Current().GetParent(hwnd);
}

bool SetWindowOwner(HWND hwnd, HWND owner) {
    return Current().SetWindowOwner(hwnd, owner);
}

HWND GetWindowOwner(HWND hwnd) {
    return Current().GetWindowOwner(hwnd);
}

bool ShowWindow(HWND hwnd, int command) {
    return Current().ShowWindow(hwnd, command);
}

bool IsWindowVisible(HWND hwnd) {
    return Current().IsWindowVisible(hwnd);
}

bool EnableWindow(HWND hwnd, bool enable) {
    return Current().EnableWindow(hwnd, enable);
}

bool IsWindowEnabled(HWND hwnd) {
    return Current().IsWindowEnabled(hwnd);
}

HWND FindWindowA(const char* className, const char* title) {
    return Current().FindWindowA(className, title);
}

HWND GetForegroundWindow() {
    return Current().GetForegroundWindow();
}

bool SetForegroundWindow(HWND hwnd) {
    return Current().SetForegroundWindow(hwnd);
}

void SetCapture(HWND hwnd) {
    Current().SetCapture(hwnd);
}

void ReleaseCapture() {
    Current().ReleaseCapture();
}

gfx::Bitmap& WindowSurface(HWND hwnd) {
    return Current().WindowSurface(hwnd);
}

void PresentRect(HWND hwnd, const gfx::Rect& rect) {
    Current().PresentRect(hwnd, rect);
}

bool InvalidateRect(HWND hwnd, const gfx::Rect* rect, bool erase) {
    return Current().InvalidateRect(hwnd, rect, erase);
}

bool UpdateWindow(HWND hwnd) {
    return Current().UpdateWindow(hwnd);
}

gfx::Rect GetUpdateRect(HWND hwnd) {
    return Current().GetUpdateRect(hwnd);
}

PAINTSTRUCT BeginPaint(HWND hwnd) {
    return Current().BeginPaint(hwnd);
}

void EndPaint(HWND hwnd, const PAINTSTRUCT& paint) {
    Current().EndPaint(hwnd, paint);
}

bool GetMessageA(MSG& msg) {
    return Current().GetMessageA(msg);
}

bool PeekMessageA(MSG& msg) {
    return Current().PeekMessageA(msg);
}

void TranslateMessage(const MSG& msg) {
    Current().TranslateMessage(msg);
}

LRESULT DispatchMessageA(const MSG& msg) {
    return Current().DispatchMessageA(msg);
}

void PostQuitMessage(int exitCode) {
    Current().PostQuitMessage(exitCode);
}

bool PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Current().PostMessageA(hwnd, message, wParam, lParam);
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Current().SendMessageA(hwnd, message, wParam, lParam);
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Current().DefWindowProcA(hwnd, message, wParam, lParam);
}

uint32_t SetTimer(HWND hwnd, uint32_t idEvent, uint32_t elapse, TIMERPROC proc) {
    return Current().SetTimer(hwnd, idEvent, elapse, proc);
}

bool KillTimer(HWND hwnd, uint32_t idEvent) {
    return Current().KillTimer(hwnd, idEvent);
}

uint32_t GetTickCount() {
    return Current().GetTickCount();
}

void SetCursor(CursorShape shape) {
    Current().SetCursor(shape);
}

int ShowCursor(bool show) {
    return Current().ShowCursor(show);
}

int GetSystemMetrics(int index) {
    return Current().GetSystemMetrics(index);
}

gfx::Bitmap CaptureScreen() {
    return Current().CaptureScreen();
}

bool SystemParametersInfoA(UINT action, UINT uiParam, uint32_t* pvParam, UINT winIni) {
    return Current().SystemParametersInfoA(action, uiParam, pvParam, winIni);
}

RegValue RegReadValue(const std::string& keyPath, const std::string& valueName) {
    return Current().RegReadValue(keyPath, valueName);
}

HMODULE LoadLibraryA(const std::string& path) {
    return Current().LoadLibraryA(path);
}

EntryPoint GetProcAddress(HMODULE module, const std::string& name) {
    return Current().GetProcAddress(module, name);
}

bool FreeLibrary(HMODULE module) {
    return Current().FreeLibrary(module);
}

std::string GetSystemDirectoryA() {
    return Current().GetSystemDirectoryA();
}

HICON ExtractIconA(uint32_t index) {
    return Current().ExtractIconA(index);
}

const Icon* IconPictures(HICON icon) {
    return Current().IconPictures(icon);
}

int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return Current().MessageBoxA(owner, text, caption, type);
}

// The mask cuts the icon's shape to black (AND), the image fills it in (OR).
void DrawIcon(gfx::Canvas& canvas, int32_t x, int32_t y, HICON icon) {
    const Icon* pictures = IconPictures(icon);
    if (pictures == nullptr) {
        return;
    }
    const gfx::Bitmap& image = pictures->image;
    gfx::Pixel background = canvas.SetBackgroundColour(gfx::kWhite);
    gfx::Pixel text = canvas.SetTextColour(gfx::kBlack);
    gfx::BitBlt(canvas, x, y, image.Width(), image.Height(), &pictures->mask.GetCanvas(), 0, 0,
                gfx::Rop::SrcAnd);
    gfx::BitBlt(canvas, x, y, image.Width(), image.Height(), &image.GetCanvas(), 0, 0,
                gfx::Rop::SrcPaint);
    canvas.SetBackgroundColour(background);
    canvas.SetTextColour(text);
}

}  // namespace platform
