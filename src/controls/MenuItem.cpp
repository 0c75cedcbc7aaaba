#include "controls/MenuItem.h"

#include <algorithm>
#include <cassert>

namespace tessaline {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    Clear();
    if (parent_ != nullptr) {
        std::erase(parent_->items_, this);
        parent_ = nullptr;
    }
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(items_.size(), item);
}

void TMenuItem::Insert(size_t index, TMenuItem* item) {
    if (item == nullptr || item == this) {
        return;
    }
    // An ancestor under its own descendant would make the tree a cycle.
    for (const TMenuItem* p = this; p != nullptr; p = p->parent_) {
        if (p == item) {
            assert(false && "menu item inserted under itself");
            return;
        }
    }
    if (item->parent_ != nullptr) {
        std::erase(item->parent_->items_, item);
    }
    item->parent_ = this;
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(std::min(index, items_.size())), item);
}

void TMenuItem::Delete(size_t index) {
    if (index >= items_.size()) {
        return;
    }
    items_[index]->parent_ = nullptr;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TMenuItem::Clear() {
    while (!items_.empty()) {
        TMenuItem* last = items_.back();
        items_.pop_back();
        last->parent_ = nullptr;
        delete last;
    }
}

void TMenuItem::Click() {
    if (OnClick) {
        const TMenuItemEvent handler = OnClick;  // the handler may replace OnClick or free the item
        handler(*this);
    }
}

}  // namespace tessaline
