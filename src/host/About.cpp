#include "host/About.h"

#include "framework/FormReader.h"
#include "host/AboutDescription.h"
#include "host/HostClasses.h"
#include "host/SaverMode.h"

namespace host {
namespace {

constexpr char kEscape = 27;

}  // namespace

TfrmAbout::TfrmAbout(framework::TComponent* owner, const framework::ObjectDescription& description)
    : framework::TForm(owner, "TfrmAbout") {
    DefineHandlers();
    framework::TFormReader reader(*this, HostClassRegistry());
    reader.Read(description);
    FindControls();
    FocusFirstControl();
    OnKeyDown = [this](auto& sender, uint16_t& key, auto shift) {
        FormKeyDown(sender, key, shift);
    };
    OnKeyUp = [this](auto& sender, uint16_t& key, auto shift) { FormKeyUp(sender, key, shift); };
    OnKeyPress = [this](auto& sender, char& key) { FormKeyPress(sender, key); };
    TakeOwner();
}

TfrmAbout::TfrmAbout(framework::TComponent* owner, std::span<const uint8_t> storedDescription)
    : TfrmAbout(owner, framework::ReadFormDescriptionInPlace(storedDescription)) {}

TfrmAbout::TfrmAbout(framework::TComponent* owner, const gfx::Bitmap& picture)
    : TfrmAbout(owner, AboutDescription(picture)) {}

void TfrmAbout::DefineHandlers() {
    DefineHandler<framework::TNotifyEvent>("butOKClick",
                                           [this](auto& sender) { butOKClick(sender); });
    DefineHandler<framework::TKeyPressEvent>(
        "butOKKeyPress", [this](auto& sender, char& key) { butOKKeyPress(sender, key); });
    DefineHandler<framework::TCloseEvent>(
        "FormClose", [this](auto& sender, auto& action) { FormClose(sender, action); });
}

void TfrmAbout::FindControls() {
    Image1 = &framework::StoredComponent<framework::TImage>(*this, "Image1");
    butOK = &framework::StoredComponent<TButton>(*this, "butOK");
}

// The first button in the focus order that takes the focus holds it while the dialog is up.
void TfrmAbout::FocusFirstControl() {
    TButton* first = nullptr;
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* button = dynamic_cast<TButton*>(Components(i));
        if (button != nullptr && button->TabStop() &&
            (first == nullptr || button->TabOrder() < first->TabOrder())) {
            first = button;
        }
    }
    if (first != nullptr) {
        first->SetFocused(true);
    }
}

// The dialog's window is made now: the caller's window becomes its owner, so that the window
// system keeps the dialog above it, and is disabled. A number that names no window changes
// nothing: the dialog then stands alone.
void TfrmAbout::TakeOwner() {
    ownerWindow_ = CallerWindow();
    if (ownerWindow_ != 0) {
        platform::SetWindowOwner(Handle(), ownerWindow_);
        platform::EnableWindow(ownerWindow_, false);
    }
}

void TfrmAbout::butOKClick(framework::TComponent& /*Sender*/) {
    Close();
}

void TfrmAbout::butOKKeyPress(framework::TComponent& /*Sender*/, char& Key) {
    if (Key == kEscape) {
        Close();
    }
}

void ReleaseCallerWindow() {
    if (CallerWindow() != 0) {
        platform::EnableWindow(CallerWindow(), true);
    }
}

void TfrmAbout::FormClose(framework::TComponent& /*Sender*/, framework::TCloseAction& /*Action*/) {
    ReleaseCallerWindow();
    if (CallerWindow() != 0) {
        platform::SetForegroundWindow(CallerWindow());
    }
}

TButton* TfrmAbout::FocusedButton() const {
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* button = dynamic_cast<TButton*>(Components(i));
        if (button != nullptr && button->Focused()) {
            return button;
        }
    }
    return nullptr;
}

void TfrmAbout::FormKeyDown(framework::TComponent& /*Sender*/, uint16_t& Key,
                            framework::TShiftState Shift) {
    TButton* focused = FocusedButton();
    if (Key == platform::VK_RETURN && butOK->Default()) {
        butOK->Click();
    } else if (focused != nullptr && (Shift & framework::ssAlt) == 0) {
        focused->KeyDown(Key);
    }
}

void TfrmAbout::FormKeyUp(framework::TComponent& /*Sender*/, uint16_t& Key,
                          framework::TShiftState /*Shift*/) {
    if (TButton* focused = FocusedButton()) {
        focused->KeyUp(Key);
    }
}

void TfrmAbout::FormKeyPress(framework::TComponent& /*Sender*/, char& Key) {
    if (TButton* focused = FocusedButton()) {
        focused->KeyPress(Key);
    }
}

void RunAboutDialog(framework::TApplication& application,
                    std::span<const uint8_t> storedDescription) {
    try {
        TfrmAbout* dialog = application.CreateForm<TfrmAbout>(storedDescription);
        dialog->Show();
        application.Run();
    } catch (...) {
        ReleaseCallerWindow();
        throw;
    }
}

}  // namespace host
