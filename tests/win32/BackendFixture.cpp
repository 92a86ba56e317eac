#include "BackendFixture.h"

#include "driver/ChildProcess.h"
#include "driver/WindowQuery.h"

namespace win32test {
namespace {

::HWND Native(platform::HWND hwnd) {
    return reinterpret_cast<::HWND>(static_cast<intptr_t>(static_cast<int32_t>(hwnd)));
}

void WriteTestValue(const std::string& name, DWORD type, const void* data, size_t size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data),
                               static_cast<DWORD>(size)),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
}

::LRESULT CALLBACK AnswerWide(::HWND hwnd, UINT message, ::WPARAM wParam, ::LPARAM lParam) {
    if (message == WM_USER) {
        return static_cast<::LRESULT>(uint64_t{1} << 32);  // 0 on a 32-bit system
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

void BackendTest::TearDown() {
    for (platform::HWND hwnd : windows_) {
        if (platform::IsWindow(hwnd)) {
            platform::DestroyWindow(hwnd);
        }
    }
}

std::string BackendTest::FreshClass(platform::WNDPROC proc) {
    static int counter = 0;
    std::string name = "BackendTestClass" + std::to_string(++counter);
    ProgramClass windowClass{0, std::move(proc), CursorShape::Arrow, std::nullopt, name};
    EXPECT_TRUE(platform::RegisterClassA(windowClass));
    return name;
}

platform::HWND BackendTest::MakeWindow(platform::WNDPROC proc, const gfx::Rect& bounds,
                                       uint32_t exStyle, const std::string& title) {
    std::string name = FreshClass(std::move(proc));
    platform::HWND hwnd =
        platform::CreateWindowExA(exStyle, name, title, WS_POPUP | WS_VISIBLE, bounds.left,
                                  bounds.top, bounds.Width(), bounds.Height(), 0);
    EXPECT_NE(hwnd, 0u) << "the window of class " << name << " was not created";
    windows_.push_back(hwnd);
    return hwnd;
}

void RunMessages(uint32_t milliseconds, const std::function<bool()>& done) {
    uint32_t start = platform::GetTickCount();
    while (platform::GetTickCount() - start < milliseconds) {
        platform::MSG msg;
        while (platform::PeekMessageA(msg)) {
            platform::TranslateMessage(msg);
            platform::DispatchMessageA(msg);
        }
        if (done && done()) {
            return;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

platform::LRESULT PassOn(platform::HWND hwnd, platform::UINT message, platform::WPARAM wParam,
                         platform::LPARAM lParam) {
    return platform::DefWindowProcA(hwnd, message, wParam, lParam);
}

uint32_t WindowPixel(platform::HWND hwnd, int32_t x, int32_t y) {
    return driver::ShownPixel(Native(hwnd), x, y);
}

uint32_t ScreenPixel(int32_t x, int32_t y) {
    return driver::ShownPixel(nullptr, x, y);
}

bool NativeTopmost(platform::HWND hwnd) {
    return (::GetWindowLongA(Native(hwnd), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

std::string AnswerMessageBox(const std::string& caption) {
    auto box = driver::FindTopLevel(::GetCurrentProcessId(), caption, "#32770");
    if (!box) {
        return "";
    }
    char text[256] = {};
    ::GetDlgItemTextA(box->hwnd, 0xFFFF, text, static_cast<int>(sizeof(text)));
    ::PostMessageA(box->hwnd, WM_COMMAND, IDOK, 0);
    return text;
}

void WriteTestDword(const std::string& name, uint32_t value) {
    DWORD data = value;
    WriteTestValue(name, REG_DWORD, &data, sizeof(data));
}

void WriteTestString(const std::string& name, const std::string& value) {
    WriteTestValue(name, REG_SZ, value.c_str(), value.size() + 1);
}

bool ArrowCursorShown() {
    return ::GetCursor() == ::LoadCursorA(nullptr, IDC_ARROW);
}

platform::HWND MakeWideAnsweringWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = AnswerWide;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "WideAnswer";
    ::RegisterClassA(&windowClass);  // registered once per process
    ::HWND native = ::CreateWindowExA(0, "WideAnswer", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
    return static_cast<platform::HWND>(reinterpret_cast<uintptr_t>(native) & 0xFFFFFFFFu);
}

void DestroyForeign(platform::HWND hwnd) {
    ::DestroyWindow(Native(hwnd));
}

uintptr_t CursorShown() {
    return reinterpret_cast<uintptr_t>(::GetCursor());
}

void PointerMovesOver(platform::HWND hwnd) {
    ::SetCursor(::LoadCursorA(nullptr, IDC_CROSS));
    ::SendMessageA(Native(hwnd), WM_SETCURSOR, reinterpret_cast<::WPARAM>(Native(hwnd)),
                   static_cast<::LPARAM>(HTCLIENT | (WM_MOUSEMOVE << 16)));
}

std::string OwnFolder() {
    return driver::OwnFolder();
}

}  // namespace win32test
