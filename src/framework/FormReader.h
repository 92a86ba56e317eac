#pragma once
// TFormReader: fills a form from its description. The root's properties go to the form
// itself; then each component is made in stored order through the class registry, owned by
// the form (a control also gets the form as its parent), named, and given its properties in
// stored order, each through its kind's setter. A component reference names a component made
// before it; an event binding names a handler the form defined (TForm::DefineHandler).
// A fault of the description (an unknown class or property, a value of the wrong kind, a
// missing reference or handler) is a base::EReadError naming it; a fault that a component
// finds in a value (a damaged picture, a frame not found) is that component's own exception.

#include <span>
#include <string>

#include "base/Exceptions.h"
#include "framework/ClassRegistry.h"
#include "framework/Form.h"
#include "framework/FormDescription.h"

namespace framework {

class TFormReader {
  public:
    TFormReader(TForm& form, const TClassRegistry& registry) : form_(form), registry_(registry) {}

    void Read(const ObjectDescription& root);

    TForm& Form() { return form_; }
    // The form's component of that name; fails when there is none yet.
    TComponent& ReferencedComponent(const Property& property);
    // The form's handler the binding names, as an event of kind Event.
    template <class Event>
    Event BoundHandler(const Property& property);

  private:
    void ReadComponent(const ObjectDescription& description);
    void ApplyProperties(TComponent& component, const std::string& className,
                         const ObjectDescription& description);

    TForm& form_;
    const TClassRegistry& registry_;
};

// Reads a stored description (FormDescription.h) into the form with the global registry; its
// byte blocks are read where they lie, not copied.
void ReadForm(TForm& form, std::span<const uint8_t> description);

// The component of that name a form's code works with, as a T. A description without it, or
// with a component of another class under that name, is a base::EReadError naming the form,
// the component and the class found.
TComponent& StoredComponentNamed(const TForm& form, const std::string& name);
template <class T>
T& StoredComponent(const TForm& form, const std::string& name) {
    TComponent& component = StoredComponentNamed(form, name);
    if (T* typed = dynamic_cast<T*>(&component)) {
        return *typed;
    }
    throw base::EReadError("Form " + form.Name() + ": component " + name + " is a " +
                           component.ClassName());
}

// The value of a property as the kind a setter wants; base::EReadError naming the property
// when it is of another kind.
int32_t IntegerProperty(const Property& property);
bool BooleanProperty(const Property& property);
const std::string& StringProperty(const Property& property);
uint32_t ColorProperty(const Property& property);
const std::string& IdentifierProperty(const Property& property);
const SetValue& SetProperty(const Property& property);
// A byte block's bytes, whether the description owns them or was read in place.
std::span<const uint8_t> BytesProperty(const Property& property);
const std::string& EventProperty(const Property& property);

template <class Event>
Event TFormReader::BoundHandler(const Property& property) {
    return form_.template Handler<Event>(EventProperty(property));
}

}  // namespace framework
