#pragma once
// TApplication: the application object. It owns the forms, runs the message loop, and shows
// an exception that escapes an event handler in the error box (stop icon, OK, the title as
// caption, the message and a full stop) before the loop goes on with the next message.
// One application object is current at a time: the one made last that still exists.

#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "framework/Component.h"
#include "framework/Form.h"
#include "platform/platform.h"

namespace framework {

class TApplication : public TComponent {
  public:
    TApplication();
    ~TApplication() override;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // Makes a T(this, args...) owned by the application and runs its OnCreate; the first
    // form made becomes the main form.
    template <class T, class... Args>
    T* CreateForm(Args&&... args) {
        T* form = NewComponent<T>(*this, std::forward<Args>(args)...);
        if (mainForm_ == nullptr) {
            mainForm_ = form;
        }
        form->AfterConstruction();
        return form;
    }
    TForm* MainForm() const { return mainForm_; }

    // Takes and dispatches messages until the quit request.
    void Run();
    // Dispatches every pending message without waiting; stops at the quit request.
    void ProcessMessages();
    // Posts the quit request; the loop ends when it takes it.
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The error box, or OnException when it is assigned.
    void ShowException(const std::exception& error);
    std::function<void(TComponent& Sender, const std::exception& error)> OnException;

    std::string ClassName() const override { return "TApplication"; }

  protected:
    void Notification(TComponent& component, TOperation operation) override;

  private:
    void Dispatch(const platform::MSG& msg);

    std::string title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    TApplication* previous_;
};

// The current application object; fails with base::Exception when there is none.
TApplication& Application();
bool HasApplication();

}  // namespace framework
