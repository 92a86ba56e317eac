#include "host/About.h"

#include <memory>

#include "host/AboutLayout.h"
#include "host/SaverMode.h"

namespace host {
namespace {

constexpr char kEscape = 27;

}  // namespace

TfrmAbout::TfrmAbout(framework::TComponent* owner, const gfx::Bitmap& picture)
    : framework::TForm(owner, "TfrmAbout") {
    ApplyLayout(picture);
    OnKeyDown = [this](auto& sender, uint16_t& key, auto shift) {
        FormKeyDown(sender, key, shift);
    };
    OnKeyPress = [this](auto& sender, char& key) { FormKeyPress(sender, key); };
    OnClose = [this](auto& sender, auto& action) { FormClose(sender, action); };
    butOK->OnClick = [this](auto& sender) { butOKClick(sender); };
    butOK->OnKeyPress = [this](auto& sender, char& key) { butOKKeyPress(sender, key); };
    TakeOwner();
}

void TfrmAbout::ApplyLayout(const gfx::Bitmap& picture) {
    namespace layout = about_layout;
    SetName("frmAbout");
    SetCaption(layout::kCaption);
    SetBorderStyle(framework::bsDialog);
    SetPosition(framework::poScreenCenter);
    SetClientWidth(layout::kClientWidth);
    SetClientHeight(layout::kClientHeight);
    Image1 = framework::NewComponent<framework::TImage>(*this);
    Image1->SetName("Image1");
    Image1->SetParent(this);
    Image1->SetLeft(layout::kImageLeft);
    Image1->SetTop(layout::kImageTop);
    Image1->SetAutoSize(true);
    Image1->Picture().SetBitmap(std::make_unique<gfx::Bitmap>(picture));
    butOK = framework::NewComponent<TButton>(*this);
    butOK->SetName("butOK");
    butOK->SetParent(this);
    butOK->SetBounds(layout::kButtonLeft, layout::kButtonTop, layout::kButtonWidth,
                     layout::kButtonHeight);
    butOK->SetCaption(layout::kButtonCaption);
    butOK->SetDefault(true);
    butOK->SetFocused(true);  // the only control that takes the focus
}

// The dialog's window is made now: the caller's window becomes its owner and is disabled.
void TfrmAbout::TakeOwner() {
    ownerWindow_ = CallerWindow();
    if (ownerWindow_ != 0) {
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

void TfrmAbout::FormClose(framework::TComponent& /*Sender*/, framework::TCloseAction& /*Action*/) {
    if (CallerWindow() != 0) {
        platform::EnableWindow(CallerWindow(), true);
        platform::SetForegroundWindow(CallerWindow());
    }
}

void TfrmAbout::FormKeyDown(framework::TComponent& /*Sender*/, uint16_t& Key,
                            framework::TShiftState /*Shift*/) {
    const bool pressesDefault = Key == platform::VK_RETURN && butOK->Default();
    const bool pressesFocused = Key == platform::VK_SPACE && butOK->Focused();
    if (pressesDefault || pressesFocused) {
        butOK->Click();
    }
}

void TfrmAbout::FormKeyPress(framework::TComponent& /*Sender*/, char& Key) {
    if (butOK->Focused()) {
        butOK->KeyPress(Key);
    }
}

void RunAboutDialog(framework::TApplication& application, const gfx::Bitmap& picture) {
    TfrmAbout* dialog = application.CreateForm<TfrmAbout>(picture);
    dialog->Show();
    application.Run();
}

}  // namespace host
