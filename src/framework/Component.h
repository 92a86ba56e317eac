#pragma once
// TComponent: the base of everything a form holds. A component has an owner, a name and a
// tag; it owns the components made for it and destroys them with itself, the last made first.
// Components are made with NewComponent, which hands the new one to its owner.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/Exceptions.h"
#include "framework/Persistent.h"

namespace framework {

using TComponentState = uint32_t;
inline constexpr TComponentState csDesigning = 0x1;
inline constexpr TComponentState csDestroying = 0x2;

enum TOperation : uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
  public:
    // owner is the component that will own this one (NewComponent hands it over), or null.
    explicit TComponent(TComponent* owner);
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // Names are unique among the components of one owner, whatever the case of their letters;
    // a clash fails with base::Exception.
    void SetName(const std::string& name);
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Fails with base::EListError outside 0 .. ComponentCount() - 1.
    TComponent* Components(int index) const;
    TComponent* FindComponent(const std::string& name) const;

    bool IsDesigning() const { return (state_ & csDesigning) != 0; }
    // Sets or clears design mode for this component and every component it owns.
    void SetDesigning(bool designing);

    // Takes ownership of a component; it is destroyed with this one unless taken out again.
    void InsertComponent(std::unique_ptr<TComponent> component);
    // Hands an owned component over to the caller; null if this does not own it.
    std::unique_ptr<TComponent> RemoveComponent(TComponent* component);
    // Destroys one owned component now: its BeforeDestruction, then its own components, then
    // the component itself. Safe from inside that component's own event handlers, provided the
    // handler touches it no more afterwards (a timer's, say); not for a form, a sprite or a push
    // button, whose own code goes on with them after their handlers (a form or a sprite
    // destroys itself with its Release).
    // A failure on the way (of a BeforeDestruction) is thrown once the component is gone.
    void DestroyComponent(TComponent* component);
    // Destroys every owned component, the last made first; the first failure is thrown once
    // all are gone.
    void DestroyComponents();

    // Runs just before the owner destroys this component, while it is whole.
    virtual void BeforeDestruction() {}

    std::string ClassName() const override { return "TComponent"; }

  protected:
    // DestroyComponents from a destructor, which no failure may leave: one is written to the
    // standard error (with an application object, a form's failures were shown in its box).
    void DestroyComponentsFromDestructor() noexcept;
    // Told when a component joins or leaves this owner.
    virtual void Notification(TComponent& /*component*/, TOperation /*operation*/) {}
    // Told when design mode is switched.
    virtual void DesigningChanged() {}

  private:
    TComponent* owner_;
    std::string name_;
    int32_t tag_ = 0;
    TComponentState state_ = 0;
    std::vector<std::unique_ptr<TComponent>> components_;
};

// The object as a T; fails with base::EConvertError "Invalid class typecast" when it is not one.
template <class T, class Source>
T& CheckedCast(Source& object) {
    T* cast = dynamic_cast<T*>(&object);
    if (cast == nullptr) {
        throw base::EConvertError("Invalid class typecast");
    }
    return *cast;
}

// Makes a T(&owner, args...) and hands it to owner; returns it.
template <class T, class... Args>
T* NewComponent(TComponent& owner, Args&&... args) {
    auto component = std::make_unique<T>(&owner, std::forward<Args>(args)...);
    T* made = component.get();
    owner.InsertComponent(std::move(component));
    return made;
}

}  // namespace framework
