// The pointer, the screen, settings, libraries, icons and message boxes of the X backend.
#include "platform/x11/X11Backend.h"

#include <cstdio>

#include "gfx/Raster.h"
#include "platform/HeldException.h"
#include "platform/x11/MessageBoxWindow.h"
#include "platform/x11/ScreenCapture.h"
#include "platform/x11/SettingsFile.h"

namespace platform::x11 {
namespace {

// A message box's text where no box can be shown, answered as if OK had been pressed.
int AnsweredOnErrorOutput(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return IDOK;
}

}  // namespace

// The pointer shows over a window only while the display count is not negative and neither
// the program nor the window's class chose the empty cursor.
void X11Backend::ApplyCursors() {
    bool programHides = cursorCount_ < 0 || cursor_ == CursorShape::None;
    for (const auto& [hwnd, window] : windows_) {
        bool hidden = programHides || window->classCursor == CursorShape::None;
        XDefineCursor(connection_.Get(), static_cast<::Window>(hwnd),
                      hidden ? emptyCursor_ : arrowCursor_);
    }
}

void X11Backend::SetCursor(CursorShape shape) {
    cursor_ = shape;
    ApplyCursors();
    XFlush(connection_.Get());
}

// A count above 0 means a dialog wants the pointer over the saver (the password check raises
// it): the saver lets its grabs go for that time, so that a dialog of another connection gets
// the input, and takes them again when the count comes back, dropping the input it got
// meanwhile.
int X11Backend::ShowCursor(bool show) {
    cursorCount_ += show ? 1 : -1;
    ApplyCursors();
    for (auto& [hwnd, window] : windows_) {
        if (cursorCount_ > 0 && window->grabbed) {
            ReleaseInput(*window);
            window->grabSuspended = true;
        } else if (cursorCount_ <= 0 && window->grabSuspended) {
            window->grabSuspended = false;
            DropInputMeanwhile(*window);
            GrabInput(*window);
        }
    }
    XFlush(connection_.Get());
    return cursorCount_;
}

// With a daemon's window, that window is the screen the saver covers.
int X11Backend::GetSystemMetrics(int index) {
    bool daemon = options_.daemonWindow.has_value();
    switch (index) {
        case SM_CXSCREEN:
            return daemon ? daemonBounds_.Width() : screenWidth_;
        case SM_CYSCREEN:
            return daemon ? daemonBounds_.Height() : screenHeight_;
        case SM_CXICON:
        case SM_CYICON:
            return 32;
        default:
            return 0;
    }
}

// The picture taken just before the saver's window went up is handed out once; otherwise the
// screen (or the daemon's window) is read as it is now.
gfx::Bitmap X11Backend::CaptureScreen() {
    screenCaptured_ = true;
    PumpEvents();  // the newest screen size
    if (snapshot_) {
        gfx::Bitmap picture = std::move(*snapshot_);
        snapshot_.reset();
        return picture;
    }
    if (options_.daemonWindow) {
        gfx::Rect area = GetWindowRect(*options_.daemonWindow);
        gfx::Rect screen{0, 0, screenWidth_, screenHeight_};
        gfx::Bitmap picture(area.Width(), area.Height());
        picture.Fill(gfx::kBlack);
        gfx::Rect visible = gfx::IntersectRect(area, screen);
        gfx::Bitmap shown = CaptureArea(connection_, connection_.Root(), visible);
        gfx::BitBlt(picture.GetCanvas(), visible.left - area.left, visible.top - area.top,
                    shown.Width(), shown.Height(), &shown.GetCanvas(), 0, 0, gfx::Rop::SrcCopy);
        return picture;
    }
    return CaptureArea(connection_, connection_.Root(), {0, 0, screenWidth_, screenHeight_});
}

// Kept as a flag of this process: X has no system-wide one.
bool X11Backend::SystemParametersInfoA(UINT action, UINT uiParam, uint32_t* pvParam,
                                       UINT /*winIni*/) {
    if (action != SPI_SCREENSAVERRUNNING) {
        return false;
    }
    if (pvParam != nullptr) {
        *pvParam = saverRunning_ ? 1 : 0;
    }
    saverRunning_ = uiParam != 0;
    return true;
}

RegValue X11Backend::RegReadValue(const std::string& keyPath, const std::string& valueName) {
    return ReadSetting(SettingsPath(), keyPath, valueName);
}

HMODULE X11Backend::LoadLibraryA(const std::string& path) {
    return libraries_.Load(path);
}

EntryPoint X11Backend::GetProcAddress(HMODULE module, const std::string& name) {
    return libraries_.Lookup(module, name);
}

bool X11Backend::FreeLibrary(HMODULE module) {
    return libraries_.Free(module);
}

std::string X11Backend::GetSystemDirectoryA() {
    return SystemDirectory();
}

// An icon's handle is its index plus one, so that 0 stays "none".
HICON X11Backend::ExtractIconA(uint32_t index) {
    return index < icons_.size() ? index + 1 : 0;
}

const Icon* X11Backend::IconPictures(HICON icon) {
    return icon >= 1 && icon <= icons_.size() ? &icons_[icon - 1] : nullptr;
}

// The box runs a loop of its own that goes on dispatching the program's messages (timers go
// on, as on the platform); a quit request ends the box and is posted again for the caller. A
// handler that fails meanwhile leaves the box up; its failure is thrown when the box is done.
// In daemon mode no box comes up over the daemon's (perhaps locked) screen, where nobody could
// answer it: the text goes to the error output, which the daemon keeps, as it does when a box
// cannot be made, and the call returns as if OK had been pressed.
int X11Backend::MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                            UINT /*type*/) {
    if (options_.daemonWindow) {
        return AnsweredOnErrorOutput(text, caption);
    }
    bool aboveSaver = false;
    for (const auto& [hwnd, window] : windows_) {
        aboveSaver = aboveSaver || window->grabbed || window->grabSuspended;
    }
    std::unique_ptr<MessageBoxWindow> box;
    try {
        box = std::make_unique<MessageBoxWindow>(connection_, owner, text, caption, aboveSaver,
                                                 screenWidth_, screenHeight_);
    } catch (const std::exception&) {
        return AnsweredOnErrorOutput(text, caption);
    }
    struct ShownBox {
        MessageBoxWindow*& current;
        MessageBoxWindow* outer;
        ~ShownBox() { current = outer; }
    } shown{messageBox_, messageBox_};
    messageBox_ = box.get();
    MSG msg;
    bool quit = false;
    HeldException failure;
    // The box's own events answer it without a message, so it is asked after every look.
    while (!box->Done()) {
        if (!TakeMessage(msg)) {
            if (!box->Done()) {
                WaitForEvents();
            }
            continue;
        }
        if (msg.message == WM_QUIT) {
            quit = true;
            break;
        }
        try {
            TranslateMessage(msg);
            DispatchMessageA(msg);
        } catch (...) {
            failure.Hold();
        }
    }
    if (quit) {
        PostQuitMessage(static_cast<int>(msg.wParam));
    }
    failure.RethrowIfAny();
    return IDOK;
}

}  // namespace platform::x11
