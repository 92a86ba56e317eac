#pragma once
// The About dialog, the program's answer to a start without arguments and to the desktop's
// request for settings (the saver has none): a picture and an OK button. When the desktop
// asked (CallerWindow set), the desktop's window owns the dialog and stays disabled until the
// dialog closes; closing the dialog ends the program.

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "gfx/Bitmap.h"
#include "host/PushButton.h"

namespace host {

class TfrmAbout : public framework::TForm {
  public:
    // picture is the stored 224 x 242 About picture; it is copied.
    TfrmAbout(framework::TComponent* owner, const gfx::Bitmap& picture);

    framework::TImage* Image1 = nullptr;
    TButton* butOK = nullptr;

    // The window that owns the dialog (CallerWindow), 0 for none.
    platform::HWND OwnerWindow() const { return ownerWindow_; }

    void butOKClick(framework::TComponent& Sender);
    void butOKKeyPress(framework::TComponent& Sender, char& Key);
    void FormClose(framework::TComponent& Sender, framework::TCloseAction& Action);

    std::string ClassName() const override { return "TfrmAbout"; }

  private:
    void ApplyLayout(const gfx::Bitmap& picture);
    void TakeOwner();
    // Enter presses the default button, Space the focused one; characters go to the focus.
    void FormKeyDown(framework::TComponent& Sender, uint16_t& Key, framework::TShiftState Shift);
    void FormKeyPress(framework::TComponent& Sender, char& Key);

    platform::HWND ownerWindow_ = 0;
};

// Creates the dialog as the application's main window, shows it and runs the message loop
// until it closes.
void RunAboutDialog(framework::TApplication& application, const gfx::Bitmap& picture);

}  // namespace host
