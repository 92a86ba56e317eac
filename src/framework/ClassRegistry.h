#pragma once
// The kinds of component a form description can make, by class name, with the properties each
// kind accepts. A kind names the kind it derives from and accepts that kind's properties too.
// Each property is applied through a setter that calls what a program would call.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/FormDescription.h"

namespace framework {

class TFormReader;

using TComponentFactory = std::function<std::unique_ptr<TComponent>(TComponent* owner)>;
using TPropertySetter =
    std::function<void(TComponent& component, const Property& property, TFormReader& reader)>;

class TClassRegistry {
  public:
    // The registry form descriptions use, with the framework's own kinds registered.
    static TClassRegistry& Global();

    // baseClass is "" for a kind that derives from no registered kind. A factory of null
    // registers a kind that only lends its properties (TControl).
    void RegisterClass(const std::string& className, const std::string& baseClass,
                       TComponentFactory factory);
    void RegisterProperty(const std::string& className, const std::string& propertyName,
                          TPropertySetter setter);
    // A setter for components of kind T.
    template <class T>
    void RegisterProperty(const std::string& className, const std::string& propertyName,
                          std::function<void(T&, const Property&, TFormReader&)> setter) {
        RegisterProperty(
            className, propertyName,
            [setter](TComponent& component, const Property& property, TFormReader& reader) {
                setter(CheckedCast<T>(component), property, reader);
            });
    }

    bool IsRegistered(const std::string& className) const;
    // Fails with base::EReadError for a kind that is not registered or cannot be made.
    std::unique_ptr<TComponent> Create(const std::string& className, TComponent* owner) const;
    // The setter of the kind or of the nearest kind it derives from; null when none has one.
    const TPropertySetter* FindSetter(const std::string& className,
                                      const std::string& propertyName) const;

  private:
    struct Kind {
        std::string baseClass;
        TComponentFactory factory;
        std::map<std::string, TPropertySetter> properties;
    };

    std::map<std::string, Kind> kinds_;
};

// Registers TComponent, TControl, TImage, TTimer and TForm with their stored properties.
void RegisterFrameworkClasses(TClassRegistry& registry);

}  // namespace framework
