#pragma once
// The component tree of a form: every component has a name, an owner and a tag, owns the components created
// with it as owner (freed with it, in reverse order), and can be found by name. User-interface thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/LanguageComponent.h"

namespace tessaline {

class TComponent : public ILanguageComponent {
  public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    std::wstring Name() const override { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }
    TComponentKind Kind() const override { return TComponentKind::Other; }
    TComponent* Owner() const { return owner_; }

    intptr_t Tag = 0;

    size_t ComponentCount() const override { return components_.size(); }
    TComponent* Component(size_t index) const override;
    // The owned component with this name (case ignored, A–Z), searched in this component's own list only.
    TComponent* FindComponent(const std::wstring& name) const;
    template <typename T>
    T* Find(const std::wstring& name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }

    // Asks to be told (Notification) when `component` is destroyed. The link goes both ways: whichever of the two
    // is destroyed first tells the other and is forgotten by it.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // True while the form description is being applied: setters record values without their side effects.
    bool Loading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    // Ends loading for this component and everything it owns, then runs Loaded on each.
    void EndLoading();

  protected:
    virtual void Loaded() {}
    // `component`, which this one asked about with FreeNotification, is being destroyed (its own parts are gone).
    virtual void Notification(TComponent* component) { (void)component; }

  private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::wstring name_;
    std::vector<TComponent*> components_;    // owned
    std::vector<TComponent*> freeNotifies_;  // not owned: linked both ways by FreeNotification
    bool loading_ = false;
};

// Creates a component owned by owner (which frees it) and names it.
template <typename T, typename... Args>
T* Create(TComponent* owner, const std::wstring& name, Args&&... args) {
    T* component = new T(owner, static_cast<Args&&>(args)...);
    component->SetName(name);
    return component;
}

}  // namespace tessaline
