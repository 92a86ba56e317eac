#include "driver/DriverWindows.h"

#include <stdexcept>

namespace driver {
namespace {

constexpr char kParentClass[] = "VellamorDriverParent";
constexpr char kCompanionClass[] = "TfrmStartScreensaver";

void RegisterOnce(const char* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSA windowClass{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &windowClass) != 0) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    if (RegisterClassA(&windowClass) == 0) {
        throw std::runtime_error(std::string("cannot register the class ") + name);
    }
}

}  // namespace

ParentWindow::ParentWindow(int x, int y, int width, int height) {
    RegisterOnce(kParentClass, &DefWindowProcA, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    hwnd_ = CreateWindowExA(0, kParentClass, "Driver parent", WS_POPUP | WS_VISIBLE, x, y, width,
                            height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        throw std::runtime_error("cannot create the driver's parent window");
    }
}

ParentWindow::~ParentWindow() {
    Destroy();
}

void ParentWindow::Destroy() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

CompanionWindow::CompanionWindow(LRESULT answer) : answer_(answer) {
    RegisterOnce(kCompanionClass, &CompanionWindow::Procedure, nullptr);
    hwnd_ = CreateWindowExA(0, kCompanionClass, "StartScreensaver", WS_POPUP, 0, 0, 10, 10, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ == nullptr) {
        throw std::runtime_error("cannot create the companion window");
    }
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CompanionWindow::~CompanionWindow() {
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK CompanionWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CompanionWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == kQuestion && self != nullptr) {
        ++self->questions_;
        self->parametersZero_ = self->parametersZero_ && wParam == 0 && lParam == 0;
        return self->answer_;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace driver
