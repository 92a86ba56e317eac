// Cursor, screen metrics, the "a saver runs" flag, the settings value, the system directory
// and message boxes of the Win32 backend.
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Records.h"

namespace platform::win32 {
namespace {

// Closes a registry key when the scope ends.
class OpenKey {
  public:
    explicit OpenKey(const std::string& path) {
        opened_ = ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key_) ==
                  ERROR_SUCCESS;
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (opened_) {
            ::RegCloseKey(key_);
        }
    }
    bool Opened() const { return opened_; }
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
    bool opened_ = false;
};

}  // namespace

void Win32Backend::SetCursor(CursorShape shape) {
    cursor_ = shape;
    ::SetCursor(static_cast<HCURSOR>(CursorHandle()));
}

int Win32Backend::ShowCursor(bool show) {
    return ::ShowCursor(show ? TRUE : FALSE);
}

int Win32Backend::GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

bool Win32Backend::SystemParametersInfoA(UINT action, UINT uiParam, uint32_t* pvParam,
                                         UINT winIni) {
    if (action != SPI_SCREENSAVERRUNNING) {
        return false;  // the program asks for nothing else, and nothing else fits a 32-bit word
    }
    // The system's setting call does not report the previous state on every version; asking
    // first does.
    BOOL previous = FALSE;
    ::SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &previous, 0);
    BOOL ignored = FALSE;
    bool done = ::SystemParametersInfoA(action, uiParam, &ignored, winIni) != 0;
    if (done && pvParam != nullptr) {
        *pvParam = previous != FALSE ? 1 : 0;
    }
    return done;
}

// A key that cannot be opened reads as an absent value; any value that is not a 4-byte
// REG_DWORD as another kind.
RegValue Win32Backend::RegReadValue(const std::string& keyPath, const std::string& valueName) {
    OpenKey key(keyPath);
    if (!key.Opened()) {
        return {};
    }
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    LONG status = ::RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(&data), &size);
    if (status == ERROR_FILE_NOT_FOUND) {
        return {};
    }
    if (status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(data)) {
        return {RegValueKind::Dword, static_cast<uint32_t>(data)};
    }
    return {RegValueKind::Other, 0};
}

// The text is cut to the length the call returns.
std::string Win32Backend::GetSystemDirectoryA() {
    char buffer[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::string(buffer, length);
}

int Win32Backend::MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                              UINT type) {
    int answer = ::MessageBoxA(ToNative(owner), text.c_str(), caption.c_str(), type);
    RethrowHeld();
    return answer;
}

}  // namespace platform::win32
