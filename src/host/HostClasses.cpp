#include "host/HostClasses.h"

#include "framework/FormReader.h"
#include "host/About.h"
#include "host/PushButton.h"

namespace host {
namespace {

using framework::Property;
using framework::TFormReader;

template <class T>
using Setter = std::function<void(T&, const Property&, TFormReader&)>;

void RegisterButton(framework::TClassRegistry& registry) {
    registry.RegisterClass("TButton", "TControl", [](framework::TComponent* owner) {
        return std::make_unique<TButton>(owner);
    });
    auto add = [&registry](const char* name, Setter<TButton> setter) {
        registry.RegisterProperty<TButton>("TButton", name, std::move(setter));
    };
    add("Caption",
        [](TButton& b, const Property& p, auto&) { b.SetCaption(framework::StringProperty(p)); });
    add("Default",
        [](TButton& b, const Property& p, auto&) { b.SetDefault(framework::BooleanProperty(p)); });
    add("TabOrder",
        [](TButton& b, const Property& p, auto&) { b.SetTabOrder(framework::IntegerProperty(p)); });
    add("TabStop",
        [](TButton& b, const Property& p, auto&) { b.SetTabStop(framework::BooleanProperty(p)); });
    add("Font.Name",
        [](TButton& b, const Property& p, auto&) { b.SetFontName(framework::StringProperty(p)); });
    add("Font.Height", [](TButton& b, const Property& p, auto&) {
        b.SetFontHeight(framework::IntegerProperty(p));
    });
    add("OnClick", [](TButton& b, const Property& p, TFormReader& r) {
        b.OnClick = r.BoundHandler<framework::TNotifyEvent>(p);
    });
    add("OnKeyPress", [](TButton& b, const Property& p, TFormReader& r) {
        b.OnKeyPress = r.BoundHandler<framework::TKeyPressEvent>(p);
    });
}

void RegisterAboutForm(framework::TClassRegistry& registry) {
    registry.RegisterClass("TfrmAbout", "TForm", nullptr);
    auto add = [&registry](const char* name, Setter<TfrmAbout> setter) {
        registry.RegisterProperty<TfrmAbout>("TfrmAbout", name, std::move(setter));
    };
    add("BorderIcons", [](TfrmAbout& f, const Property& p, auto&) {
        f.SetBorderIcons(framework::SetProperty(p));
    });
    add("Font.Name", [](TfrmAbout& f, const Property& p, auto&) {
        f.SetFontName(framework::StringProperty(p));
    });
    add("Font.Height", [](TfrmAbout& f, const Property& p, auto&) {
        f.SetFontHeight(framework::IntegerProperty(p));
    });
}

}  // namespace

void RegisterHostClasses(framework::TClassRegistry& registry) {
    RegisterButton(registry);
    RegisterAboutForm(registry);
}

const framework::TClassRegistry& HostClassRegistry() {
    static const framework::TClassRegistry registry = [] {
        framework::TClassRegistry made;
        framework::RegisterFrameworkClasses(made);
        RegisterHostClasses(made);
        return made;
    }();
    return registry;
}

}  // namespace host
