#pragma once
// The About dialog, the program's answer to a start without arguments and to the desktop's
// request for settings (the saver has none): a picture and an OK button. When the desktop
// asked (CallerWindow set), the desktop's window owns the dialog and stays disabled until the
// dialog closes; closing the dialog ends the program.

#include <cstdint>
#include <span>
#include <string>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/FormDescription.h"
#include "framework/Image.h"
#include "gfx/Bitmap.h"
#include "host/PushButton.h"

namespace host {

// Gives the caller's window its input back, which the dialog took when it was made; the
// dialog does it when it closes, the program when its mode fails.
void ReleaseCallerWindow();

class TfrmAbout : public framework::TForm {
  public:
    // Read from a form description; fails with base::EReadError naming the fault, also when
    // Image1 or butOK is missing.
    TfrmAbout(framework::TComponent* owner, const framework::ObjectDescription& description);
    // Read from a stored description.
    TfrmAbout(framework::TComponent* owner, std::span<const uint8_t> storedDescription);
    // Made from the layout values with the 224 x 242 About picture (copied).
    TfrmAbout(framework::TComponent* owner, const gfx::Bitmap& picture);

    framework::TImage* Image1 = nullptr;
    TButton* butOK = nullptr;

    // The window that owns the dialog (CallerWindow), 0 for none.
    platform::HWND OwnerWindow() const { return ownerWindow_; }

    // Stored properties the framework's forms do not carry. The dialog has no border icons.
    const framework::SetValue& BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(const framework::SetValue& icons) { borderIcons_ = icons; }
    const std::string& FontName() const { return fontName_; }
    void SetFontName(const std::string& name) { fontName_ = name; }
    int32_t FontHeight() const { return fontHeight_; }
    void SetFontHeight(int32_t height) { fontHeight_ = height; }

    void butOKClick(framework::TComponent& Sender);
    void butOKKeyPress(framework::TComponent& Sender, char& Key);
    void FormClose(framework::TComponent& Sender, framework::TCloseAction& Action);

    std::string ClassName() const override { return "TfrmAbout"; }

  private:
    void DefineHandlers();
    void FindControls();
    void FocusFirstControl();
    void TakeOwner();
    // Enter presses the default button; Space (without Alt) goes to the focused one, which
    // clicks when it comes up; characters go to the focus.
    void FormKeyDown(framework::TComponent& Sender, uint16_t& Key, framework::TShiftState Shift);
    void FormKeyUp(framework::TComponent& Sender, uint16_t& Key, framework::TShiftState Shift);
    void FormKeyPress(framework::TComponent& Sender, char& Key);
    TButton* FocusedButton() const;

    platform::HWND ownerWindow_ = 0;
    framework::SetValue borderIcons_ = {"biSystemMenu", "biMinimize", "biMaximize"};
    std::string fontName_;
    int32_t fontHeight_ = 0;
};

// Creates the dialog from its stored description as the application's main window, shows it
// and runs the message loop until it closes. A dialog that fails gives the caller's window back
// before the failure goes on.
void RunAboutDialog(framework::TApplication& application,
                    std::span<const uint8_t> storedDescription);

}  // namespace host
