#include "framework/ClassRegistry.h"

#include "base/Exceptions.h"

namespace framework {

TClassRegistry& TClassRegistry::Global() {
    static TClassRegistry registry = [] {
        TClassRegistry made;
        RegisterFrameworkClasses(made);
        return made;
    }();
    return registry;
}

void TClassRegistry::RegisterClass(const std::string& className, const std::string& baseClass,
                                   TComponentFactory factory) {
    Kind& kind = kinds_[className];
    kind.baseClass = baseClass;
    kind.factory = std::move(factory);
}

void TClassRegistry::RegisterProperty(const std::string& className, const std::string& propertyName,
                                      TPropertySetter setter) {
    auto it = kinds_.find(className);
    if (it == kinds_.end()) {
        throw base::Exception("RegisterProperty: class " + className + " is not registered");
    }
    it->second.properties[propertyName] = std::move(setter);
}

bool TClassRegistry::IsRegistered(const std::string& className) const {
    return kinds_.count(className) != 0;
}

std::unique_ptr<TComponent> TClassRegistry::Create(const std::string& className,
                                                   TComponent* owner) const {
    auto it = kinds_.find(className);
    if (it == kinds_.end() || !it->second.factory) {
        throw base::EReadError("Class " + className + " not found");
    }
    return it->second.factory(owner);
}

// The chain of kinds is walked at most once around, so a registry whose kinds derive from
// each other in a circle cannot hang the lookup.
const TPropertySetter* TClassRegistry::FindSetter(const std::string& className,
                                                  const std::string& propertyName) const {
    std::string current = className;
    for (size_t step = 0; step <= kinds_.size() && !current.empty(); ++step) {
        auto kind = kinds_.find(current);
        if (kind == kinds_.end()) {
            return nullptr;
        }
        auto setter = kind->second.properties.find(propertyName);
        if (setter != kind->second.properties.end()) {
            return &setter->second;
        }
        current = kind->second.baseClass;
    }
    return nullptr;
}

}  // namespace framework
