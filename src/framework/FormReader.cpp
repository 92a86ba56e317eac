#include "framework/FormReader.h"

#include "base/Exceptions.h"
#include "framework/Control.h"

namespace framework {
namespace {

template <class T>
const T& ValueAs(const Property& property, const char* wanted) {
    const T* value = std::get_if<T>(&property.value);
    if (value == nullptr) {
        throw base::EReadError("Property " + property.name + ": " + wanted + " expected");
    }
    return *value;
}

}  // namespace

int32_t IntegerProperty(const Property& property) {
    return ValueAs<int32_t>(property, "an integer");
}

bool BooleanProperty(const Property& property) {
    return ValueAs<bool>(property, "a boolean");
}

const std::string& StringProperty(const Property& property) {
    return ValueAs<std::string>(property, "a string");
}

uint32_t ColorProperty(const Property& property) {
    return ValueAs<ColorValue>(property, "a colour").color;
}

const std::string& IdentifierProperty(const Property& property) {
    return ValueAs<Identifier>(property, "an identifier").name;
}

const SetValue& SetProperty(const Property& property) {
    return ValueAs<SetValue>(property, "a set");
}

std::span<const uint8_t> BytesProperty(const Property& property) {
    if (const ByteView* view = std::get_if<ByteView>(&property.value)) {
        return view->bytes;
    }
    return ValueAs<ByteBlock>(property, "a byte block");
}

const std::string& EventProperty(const Property& property) {
    return ValueAs<EventBinding>(property, "an event binding").handler;
}

void ReadForm(TForm& form, std::span<const uint8_t> description) {
    TFormReader reader(form, TClassRegistry::Global());
    reader.Read(ReadFormDescriptionInPlace(description));
}

// The root's own class (TfrmMain) is the program's; unless registered it reads as a TForm.
void TFormReader::Read(const ObjectDescription& root) {
    form_.SetName(root.name);
    std::string rootClass = registry_.IsRegistered(root.className) ? root.className : "TForm";
    ApplyProperties(form_, rootClass, root);
    for (const ObjectDescription& child : root.children) {
        ReadComponent(child);
    }
}

void TFormReader::ReadComponent(const ObjectDescription& description) {
    if (!description.children.empty()) {
        throw base::EReadError("Component " + description.name + " of class " +
                               description.className + " cannot hold components");
    }
    std::unique_ptr<TComponent> made = registry_.Create(description.className, &form_);
    TComponent& component = *made;
    made->SetName(description.name);
    form_.InsertComponent(std::move(made));
    if (auto* control = dynamic_cast<TControl*>(&component)) {
        control->SetParent(&form_);
    }
    ApplyProperties(component, description.className, description);
}

void TFormReader::ApplyProperties(TComponent& component, const std::string& className,
                                  const ObjectDescription& description) {
    for (const Property& property : description.properties) {
        const TPropertySetter* setter = registry_.FindSetter(className, property.name);
        if (setter == nullptr) {
            throw base::EReadError("Property " + property.name + " of " + description.name + " (" +
                                   className + ") does not exist");
        }
        (*setter)(component, property, *this);
    }
}

TComponent& TFormReader::ReferencedComponent(const Property& property) {
    const std::string& name = ValueAs<ComponentRef>(property, "a component reference").name;
    TComponent* component = form_.FindComponent(name);
    if (component == nullptr) {
        throw base::EReadError("Property " + property.name + ": component " + name + " not found");
    }
    return *component;
}

TComponent& StoredComponentNamed(const TForm& form, const std::string& name) {
    TComponent* component = form.FindComponent(name);
    if (component == nullptr) {
        throw base::EReadError("Form " + form.Name() + ": component " + name + " is missing");
    }
    return *component;
}

}  // namespace framework
