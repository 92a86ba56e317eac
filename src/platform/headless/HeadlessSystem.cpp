// Screen, settings, libraries, icons and message boxes of the headless backend.
#include "platform/headless/HeadlessBackend.h"

#include <algorithm>
#include <cctype>

#include "base/Exceptions.h"

namespace platform::headless {
namespace {

// Paths and registry names are compared without regard to case, as the platform does.
std::string Folded(const std::string& text) {
    std::string folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

std::string SettingKey(const std::string& keyPath, const std::string& valueName) {
    return Folded(keyPath) + '\n' + Folded(valueName);
}

}  // namespace

void HeadlessBackend::SetScreenSize(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) {
        throw base::Exception("SetScreenSize: the screen must be at least 1 x 1 pixels, not " +
                              std::to_string(width) + " x " + std::to_string(height));
    }
    screenWidth_ = width;
    screenHeight_ = height;
    desktop_.reset();
}

void HeadlessBackend::SetDesktopPicture(const gfx::Bitmap& picture) {
    SetScreenSize(picture.Width(), picture.Height());
    desktop_ = picture;
}

int HeadlessBackend::GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return screenWidth_;
        case SM_CYSCREEN:
            return screenHeight_;
        case SM_CXICON:
        case SM_CYICON:
            return 32;
        default:
            return 0;
    }
}

// Without a desktop picture the screen is black.
gfx::Bitmap HeadlessBackend::CaptureScreen() {
    if (captureRefused_) {
        throw base::Exception("CaptureScreen: the picture was refused");
    }
    if (desktop_) {
        return *desktop_;
    }
    gfx::Bitmap screen(screenWidth_, screenHeight_);
    screen.Fill(gfx::kBlack);
    return screen;
}

HWND HeadlessBackend::AddForeignWindow(const std::string& className, const std::string& title,
                                       const gfx::Rect& bounds, WNDPROC proc) {
    auto window = std::make_unique<HeadlessWindow>();
    window->hwnd = windows_.NewHandle();
    window->className = className;
    window->title = title;
    window->bounds = bounds;
    window->visible = true;
    window->foreign = true;
    window->proc = std::make_shared<const WNDPROC>(std::move(proc));
    return windows_.Add(std::move(window)).hwnd;
}

bool HeadlessBackend::SystemParametersInfoA(UINT action, UINT uiParam, uint32_t* pvParam,
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

void HeadlessBackend::SetRegValue(const std::string& keyPath, const std::string& valueName,
                                  RegValue value) {
    settings_[SettingKey(keyPath, valueName)] = value;
}

RegValue HeadlessBackend::RegReadValue(const std::string& keyPath, const std::string& valueName) {
    auto it = settings_.find(SettingKey(keyPath, valueName));
    return it == settings_.end() ? RegValue{} : it->second;
}

void HeadlessBackend::AddLibrary(const std::string& path,
                                 std::map<std::string, EntryPoint> entryPoints) {
    libraries_[Folded(path)].entryPoints = std::move(entryPoints);
}

int HeadlessBackend::LibraryLoads(const std::string& path) const {
    auto it = libraries_.find(Folded(path));
    return it == libraries_.end() ? 0 : it->second.loads;
}

HMODULE HeadlessBackend::LoadLibraryA(const std::string& path) {
    auto it = libraries_.find(Folded(path));
    if (it == libraries_.end()) {
        return 0;
    }
    ++it->second.loads;
    HMODULE module = nextModule_++;
    openLibraries_[module] = it->first;
    return module;
}

// Entry point names are exact, as the platform's lookup is.
EntryPoint HeadlessBackend::GetProcAddress(HMODULE module, const std::string& name) {
    auto open = openLibraries_.find(module);
    if (open == openLibraries_.end()) {
        return {};
    }
    const auto& entryPoints = libraries_.at(open->second).entryPoints;
    auto entry = entryPoints.find(name);
    return entry == entryPoints.end() ? EntryPoint{} : entry->second;
}

bool HeadlessBackend::FreeLibrary(HMODULE module) {
    return openLibraries_.erase(module) != 0;
}

void HeadlessBackend::AddIcon(Icon icon) {
    icons_.push_back(std::move(icon));
}

// An icon's handle is its index plus one, so that 0 stays "none".
HICON HeadlessBackend::ExtractIconA(uint32_t index) {
    return index < icons_.size() ? index + 1 : 0;
}

const Icon* HeadlessBackend::IconPictures(HICON icon) {
    return icon >= 1 && icon <= icons_.size() ? &icons_[icon - 1] : nullptr;
}

// As on the platform, a box that stays up goes on dispatching the program's messages; a quit
// request ends it and is posted again, and a handler's failure is thrown when it is done.
int HeadlessBackend::MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                                 UINT type) {
    messageBoxes_.push_back({owner, text, caption, type});
    if (messageBoxTime_ > 0) {
        HeldException failures;
        MSG quit;
        if (!RunUntil(clock_.Now() + messageBoxTime_, &failures, quit)) {
            PostQuitMessage(static_cast<int>(quit.wParam));
        }
        failures.RethrowIfAny();
    }
    return IDOK;
}

}  // namespace platform::headless
