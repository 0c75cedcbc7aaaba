#pragma once
// One item of a popup menu and the tree of items under it: shared by the skinned menu and the standard popup
// menus. User-interface thread only.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "controls/Component.h"

namespace tessaline {

class TMenuItem;

using TMenuItemEvent = std::function<void(TMenuItem& sender)>;

class TMenuItem : public TComponent {
  public:
    explicit TMenuItem(TComponent* owner);
    // Frees the child items (whoever their component owner is) and leaves the parent's list.
    ~TMenuItem() override;

    TComponentKind Kind() const override { return TComponentKind::MenuItem; }
    std::wstring Caption() const override { return caption_; }
    void SetCaption(const std::wstring& caption) override { caption_ = caption; }

    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    bool RadioItem = false;
    bool Default = false;
    int ImageIndex = -1;
    TMenuItemEvent OnClick;

    // A caption of exactly "-" makes the item a separator line.
    bool IsLine() const { return caption_ == L"-"; }

    TMenuItem* Parent() const { return parent_; }
    size_t Count() const { return items_.size(); }
    // nullptr past the end.
    TMenuItem* Items(size_t index) const { return index < items_.size() ? items_[index] : nullptr; }
    // -1 when the item is not a child of this one.
    int IndexOf(const TMenuItem* item) const;

    // The item leaves its previous parent first. Insert past the end appends.
    void Add(TMenuItem* item);
    void Insert(size_t index, TMenuItem* item);
    // Takes the child out of the tree without freeing it; the caller or its component owner frees it.
    void Delete(size_t index);
    // Frees every child item.
    void Clear();

    // Runs OnClick; the handler may free the item.
    virtual void Click();

  private:
    std::wstring caption_;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;  // freed with this item
};

}  // namespace tessaline
