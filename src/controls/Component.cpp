#include "controls/Component.h"

#include <algorithm>

#include "base/Strings.h"

namespace tessaline {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_ != nullptr) {
        owner_->Insert(this);
    }
}

TComponent::~TComponent() {
    // Those that asked about this component learn of its end before anything of it goes.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(other->freeNotifies_, this);
        other->Notification(this);
    }
    // Later components may refer to earlier ones (a label to its focus control): free the newest first.
    while (!components_.empty()) {
        TComponent* last = components_.back();
        components_.pop_back();
        last->owner_ = nullptr;
        delete last;
    }
    if (owner_ != nullptr) {
        owner_->Remove(this);
    }
}

TComponent* TComponent::Component(size_t index) const {
    return index < components_.size() ? components_[index] : nullptr;
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
    if (name.empty()) {
        return nullptr;
    }
    for (TComponent* component : components_) {
        if (UpperAZ(component->name_) == UpperAZ(name)) {
            return component;
        }
    }
    return nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this ||
        std::find(freeNotifies_.begin(), freeNotifies_.end(), component) != freeNotifies_.end()) {
        return;
    }
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component != nullptr) {
        std::erase(freeNotifies_, component);
        std::erase(component->freeNotifies_, this);
    }
}

void TComponent::EndLoading() {
    loading_ = false;
    // By index: a Loaded handler may create more components under this owner.
    for (size_t i = 0; i < components_.size(); ++i) {
        components_[i]->EndLoading();
    }
    Loaded();
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
}

void TComponent::Remove(TComponent* component) {
    std::erase(components_, component);
}

}  // namespace tessaline
