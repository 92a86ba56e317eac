#include "framework/Application.h"

#include <exception>
#include <string>

#include "base/Exceptions.h"

namespace framework {
namespace {

TApplication* currentApplication = nullptr;

}  // namespace

TApplication& Application() {
    if (currentApplication == nullptr) {
        throw base::Exception("No application object exists");
    }
    return *currentApplication;
}

bool HasApplication() {
    return currentApplication != nullptr;
}

TApplication::TApplication() : TComponent(nullptr), previous_(currentApplication) {
    currentApplication = this;
}

// The forms go while this is still the current application.
TApplication::~TApplication() {
    DestroyComponentsFromDestructor();
    currentApplication = previous_;
}

void TApplication::Notification(TComponent& component, TOperation operation) {
    if (operation == opRemove && &component == mainForm_) {
        mainForm_ = nullptr;
    }
}

void TApplication::Run() {
    platform::MSG msg;
    while (!terminated_) {
        if (!platform::GetMessageA(msg)) {
            terminated_ = true;
            break;
        }
        Dispatch(msg);
    }
}

void TApplication::ProcessMessages() {
    platform::MSG msg;
    while (!terminated_ && platform::PeekMessageA(msg)) {
        if (msg.message == platform::WM_QUIT) {
            terminated_ = true;
            break;
        }
        Dispatch(msg);
    }
}

void TApplication::Terminate() {
    platform::PostQuitMessage(0);
}

void TApplication::Dispatch(const platform::MSG& msg) {
    try {
        platform::TranslateMessage(msg);
        platform::DispatchMessageA(msg);
    } catch (const std::exception& error) {
        ShowException(error);
    }
}

void TApplication::ShowException(const std::exception& error) {
    if (OnException) {
        auto handler = OnException;
        handler(*this, error);
        return;
    }
    // The box goes on dispatching the program's messages while it is up; a handler that fails
    // meanwhile is handed back when it closes, and gets a box of its own.
    std::string message = error.what();
    for (;;) {
        platform::HWND owner = mainForm_ != nullptr ? mainForm_->Handle() : 0;
        try {
            platform::MessageBoxA(owner, message + ".", title_,
                                  platform::MB_OK | platform::MB_ICONSTOP);
            return;
        } catch (const std::exception& during) {
            message = during.what();
        }
    }
}

}  // namespace framework
