#include "framework/Component.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>

#include "base/Exceptions.h"

namespace framework {
namespace {

// Component names are identifiers, compared without regard to the case of their letters.
bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// Runs `step`; a failure of it is kept in `failure` unless an earlier one is kept there.
template <class Step>
void KeepFirstFailure(std::exception_ptr& failure, Step step) {
    try {
        step();
    } catch (...) {
        if (!failure) {
            failure = std::current_exception();
        }
    }
}

}  // namespace

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner != nullptr && owner->IsDesigning()) {
        state_ |= csDesigning;
    }
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    DestroyComponentsFromDestructor();
}

void TComponent::DestroyComponentsFromDestructor() noexcept {
    try {
        DestroyComponents();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Failure while destroying a %s: %s\n", ClassName().c_str(),
                     error.what());
    } catch (...) {
        std::fprintf(stderr, "Failure while destroying a %s\n", ClassName().c_str());
    }
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) {
        return;
    }
    TComponent* clash = owner_ == nullptr ? nullptr : owner_->FindComponent(name);
    if (clash != nullptr && clash != this) {
        throw base::Exception("A component named " + name + " already exists");
    }
    name_ = name;
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) {
        throw base::EListError("Component index out of bounds (" + std::to_string(index) + ")");
    }
    return components_[static_cast<size_t>(index)].get();
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (const auto& component : components_) {
        if (!name.empty() && SameName(component->name_, name)) {
            return component.get();
        }
    }
    return nullptr;
}

void TComponent::SetDesigning(bool designing) {
    bool wasDesigning = IsDesigning();
    state_ = designing ? (state_ | csDesigning) : (state_ & ~csDesigning);
    for (const auto& component : components_) {
        component->SetDesigning(designing);
    }
    if (wasDesigning != designing) {
        DesigningChanged();
    }
}

void TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
    if (!component) {
        return;
    }
    if (!component->name_.empty() && FindComponent(component->name_) != nullptr) {
        throw base::Exception("A component named " + component->name_ + " already exists");
    }
    component->owner_ = this;
    TComponent& inserted = *component;
    components_.push_back(std::move(component));
    Notification(inserted, opInsert);
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find_if(components_.begin(), components_.end(),
                           [component](const auto& owned) { return owned.get() == component; });
    if (it == components_.end()) {
        return nullptr;
    }
    std::unique_ptr<TComponent> removed = std::move(*it);
    components_.erase(it);
    removed->owner_ = nullptr;
    Notification(*removed, opRemove);
    return removed;
}

void TComponent::DestroyComponent(TComponent* component) {
    auto it = std::find_if(components_.begin(), components_.end(),
                           [component](const auto& owned) { return owned.get() == component; });
    // Asked again while it goes (from a loop its BeforeDestruction runs, as the error box
    // does), it is left to the destruction already under way.
    if (it == components_.end() || (component->state_ & csDestroying) != 0) {
        return;
    }
    component->state_ |= csDestroying;
    // A failure on the way does not keep the component: it goes all the same, and the first
    // failure after it.
    std::exception_ptr failure;
    KeepFirstFailure(failure, [component] { component->BeforeDestruction(); });
    // Its own components go first, while it is still whole.
    KeepFirstFailure(failure, [component] { component->DestroyComponents(); });
    // BeforeDestruction may have changed the list; take the component out wherever it is now.
    RemoveComponent(component).reset();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TComponent::DestroyComponents() {
    std::exception_ptr failure;
    // One whose destruction is under way further up is left to it.
    auto lastNotGoing = [this] {
        return std::find_if(components_.rbegin(), components_.rend(),
                            [](const auto& owned) { return (owned->state_ & csDestroying) == 0; });
    };
    for (auto it = lastNotGoing(); it != components_.rend(); it = lastNotGoing()) {
        TComponent* last = it->get();
        KeepFirstFailure(failure, [this, last] { DestroyComponent(last); });
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace framework
